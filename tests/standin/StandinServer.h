#pragma once

#include "StandinAccounts.h"
#include "StandinReply.h"
#include "StandinRequest.h"
#include "StandinRoute.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The remote API and the telemetry collector on two 127.0.0.1 ports, each a real HTTP/1.1 server on
// its own threads. Every method is thread-safe, so a Qt Test can script it and read its log while the
// client under test talks to it over the network.
//
// A request is answered by the first reply scripted for its route (consumed), else "Session-Out" when
// valid sessions are configured and its header session is not one of them, else the route's default.
// A request that matches no route or lacks what its route requires is a violation: it is logged with
// the reason, answered HTTP 400, and listed by violations().
class StandinServer
{
public:
    explicit StandinServer(const QList<StandinRoute>& routes);
    StandinServer();   // with StandinRoutes::all()
    ~StandinServer();

    StandinServer(const StandinServer&) = delete;
    StandinServer& operator=(const StandinServer&) = delete;

    // Port 0 picks a free port. False when a port cannot be bound.
    bool start(int apiPort = 0, int collectorPort = 0);
    // Releases hanging requests, stops both servers and joins their threads.
    void stop();

    int apiPort() const;
    int collectorPort() const;
    QString apiUrl() const;          // "http://127.0.0.1:<apiPort>"
    QString collectorUrl() const;
    // This process's IPv4 socket whose two ends are these ports, or -1: a connection of the
    // stand-in, or a client's in the same process.
    static int socketBetween(int localPort, int peerPort);

    // Adds a route, or replaces the one with the same key.
    void addRoute(const StandinRoute& route);
    // Queues a reply for the route key; one is consumed per request. A key "imt:fn" also serves
    // requests with an action that have no queue of their own.
    void script(const QString& routeKey, const StandinReply& reply);
    int pendingScripts(const QString& routeKey) const;

    // From now on only these sessions are valid; renewSession() swaps one for a new one.
    void setValidSessions(const QStringList& sessions);
    void clearValidSessions();   // every session is valid again (the default)
    QString renewSession(const QString& oldSession);
    // The account service's users, sessions and codes (reset with the server).
    StandinAccounts& accounts() { return m_accounts; }

    QList<StandinRequest> requests() const;
    QList<StandinRequest> requests(const QString& routeKey) const;
    int requestCount(const QString& routeKey) const;
    QStringList violations() const;
    QStringList takeViolations();
    void clearLog();
    // Scripts, log (numbering from 1 again), violations and sessions back to the start.
    void reset();

    // Called on a server thread after each request has been logged (the executable prints them).
    void setObserver(std::function<void(const StandinRequest&)> observer);

private:
    struct Listener;
    struct Outcome;

    void handle(const QString& port, const httplib::Request& in, httplib::Response& out);
    bool handleControl(const httplib::Request& in, httplib::Response& out);
    StandinRequest readRequest(const QString& port, const httplib::Request& in) const;
    std::optional<StandinRoute> resolve(StandinRequest& request) const;
    QString check(const StandinRequest& request, const StandinRoute& route) const;
    StandinReply choose(const StandinRequest& request, const StandinRoute& route);
    void record(StandinRequest& request);
    void send(const StandinReply& reply, const StandinRoute& route, const StandinRequest& request,
              httplib::Response& out);
    void sendRaw(const StandinReply& reply, httplib::Response& out);
    // Waits for ms (or, with -1, until stop()); false when the server is stopping.
    bool pause(int ms);

    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    QHash<QString, StandinRoute> m_routes;
    QHash<QString, std::deque<StandinReply>> m_scripts;
    std::optional<QSet<QString>> m_validSessions;
    StandinAccounts m_accounts;
    int m_renewals = 0;
    QList<StandinRequest> m_log;
    QStringList m_violations;
    int m_seq = 0;
    std::function<void(const StandinRequest&)> m_observer;
    std::atomic<int> m_apiPort{0};
    std::atomic<int> m_collectorPort{0};
    std::unique_ptr<Listener> m_api;
    std::unique_ptr<Listener> m_collector;
};
