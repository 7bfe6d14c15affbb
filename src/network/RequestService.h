#pragma once

#include "network/CallHandle.h"

#include <QJsonObject>
#include <QNetworkReply>
#include <QObject>
#include <QSharedPointer>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <vector>

class Request;

// ok is true only for a successful reply; otherwise data is the reply map, or
// {"errorCode": code} when the transport failed.
using ServiceCallback = std::function<void(bool ok, const QVariantMap& data)>;

// The one client of the product's JSON API: envelopes, retries, session recovery,
// user-visible failures and failure reports.
class RequestService : public QObject
{
    Q_OBJECT
public:
    static RequestService* instance(); // created on first call; null once destroyed at exit
    ~RequestService() override;

    // For the one plain GET that goes around the API envelopes (the configuration download).
    Request* request() const { return transport; }

    // {"value": value, "header": header}; "header" only when it has entries.
    static QSharedPointer<QJsonObject> makeBody(const QVariantMap& value, const QVariantMap& header);
    static QSharedPointer<QJsonObject> makeVariantBody(const QVariant& value, const QVariantMap& header);
    // The same from flat [key, value, key, value, ...] lists; a later equal key wins.
    static QSharedPointer<QJsonObject> makeBody(const QVariantList& valuePairs, const QVariantList& headerPairs);
    static QSharedPointer<QJsonObject> makeVariantBody(const QVariant& value, const QVariantList& headerPairs);
    static QSharedPointer<QVariantMap> shareMap(const QVariantMap& map);

    // hudWindow names the window that shows a failure ("" shows none, except the code-99
    // dialog); report sends API failures to telemetry; tries bounds the attempts. The handle
    // cancels the whole call, retries and re-sends included.
    //
    // tries for a call that changes something or proves who the user is: any answer ends it (only a
    // session renewal re-sends it, after the server refused it), and nothing on the way repeats it.
    static constexpr int Once = 0;
    QSharedPointer<CallHandle> postJson(const QString& path, const QJsonObject& body, ServiceCallback callback,
                                        const QString& hudWindow, bool report, int tries);
    QSharedPointer<CallHandle> postJsonForTrans(const QString& path, const QJsonObject& body,
                                                ServiceCallback callback, const QString& hudWindow, int tries);
    // The same for a body too large to hold as a JSON object: fields is the body's top-level
    // members other than "header", as compact JSON text without the braces. The header (with
    // the session of the moment) is written in front of them at every send.
    QSharedPointer<CallHandle> postJsonBytesForTrans(const QString& path, const QJsonObject& header,
                                                     const QByteArray& fields, ServiceCallback callback,
                                                     const QString& hudWindow, int tries);
    // A session renewal is posted like postJson("", report, 3 tries) but is never parked behind
    // itself: a renewal answered "Session-Out" logs the user out.
    QSharedPointer<CallHandle> postSessionRenewal(const QString& path, const QJsonObject& body,
                                                  ServiceCallback callback);

    static void openDependencyHelp();

    // How failures reach telemetry and the help page reaches a browser; wired at start-up.
    struct Hooks
    {
        std::function<void(const QString& what, const QString& detail)> reportError;
        std::function<void(const QString& url)> openUrl;
    };
    static void setHooks(Hooks hooks);

public slots:
    void sessionUpdateFinished(); // runs the calls parked for the renewal
    void clearWaitHandlers();

private:
    struct Call;
    using CallPtr = QSharedPointer<Call>;

    RequestService();
    QSharedPointer<CallHandle> post(const CallPtr& call);
    void send(const CallPtr& call);
    void onPostJsonReply(const CallPtr& call, const QVariantMap& reply, const QSharedPointer<QNetworkReply>& raw);
    void onPostJsonForTransReply(const CallPtr& call, const QVariantMap& reply,
                                 const QSharedPointer<QNetworkReply>& raw);
    // httpStatus: the status line of a reply that came, else 0.
    void onPostJsonError(const CallPtr& call, int type, int code, int httpStatus);
    void onSessionOut(const CallPtr& call, const QVariantMap& reply);
    void park(const CallPtr& call, const QVariantMap& reply);
    bool isSenderLoggedIn(const Call& call) const;
    void resendWithSession(const CallPtr& call, const QString& session);
    void logoutExpired();
    void reportFailure(const QVariantMap& reply, const QSharedPointer<QNetworkReply>& raw, const QString& error);

    Request* transport;
    std::vector<std::function<void()>> sessionWaitHandlers;
    QString baseUrl;
};
