#include "StandinServer.h"

#include "StandinRoutes.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QUrlQuery>

#include <httplib.h>

#include <chrono>
#include <csignal>

#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>

struct StandinServer::Listener
{
    httplib::Server server;
    std::thread thread;
    int port = 0;
};

namespace {

constexpr int ThreadsPerPort = 32;
constexpr char ControlPrefix[] = "/__standin/";

QByteArray compact(const QJsonObject& object)
{
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

void setJson(httplib::Response& out, const QJsonObject& object, int status = 200)
{
    out.status = status;
    const QByteArray bytes = compact(object);
    out.set_content(bytes.constData(), size_t(bytes.size()), "application/json");
}

// Announces the full length, sends `sent` bytes of it and then drops the connection.
void sendTruncated(httplib::Response& out, const QByteArray& bytes, int sent)
{
    out.status = 200;
    out.set_content_provider(size_t(bytes.size()), "application/json",
                             [bytes, sent](size_t, size_t, httplib::DataSink& sink) {
                                 if (sent > 0)
                                     sink.write(bytes.constData(), size_t(sent));
                                 return false;
                             });
}

int portOf(int fd, int (*name)(int, sockaddr*, socklen_t*))
{
    sockaddr_in address{};
    socklen_t length = sizeof(address);
    if (name(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 || address.sin_family != AF_INET)
        return 0;
    return ntohs(address.sin_port);
}

// httplib hands a handler no socket: it is found by its two ends among the process's descriptors.
void closeConnection(int serverPort, int clientPort)
{
    const int fd = StandinServer::socketBetween(serverPort, clientPort);
    if (fd >= 0)
        shutdown(fd, SHUT_RDWR);
}

QJsonObject violationBody(const QString& violation)
{
    return {{QStringLiteral("status"), 400},
            {QStringLiteral("error"), QStringLiteral("standin-violation")},
            {QStringLiteral("message"), violation}};
}

QString contentType(const StandinRequest& request)
{
    return request.headers.value(QStringLiteral("content-type"));
}

QString requestId(const StandinRequest& request)
{
    return QStringLiteral("standin-%1").arg(request.seq);
}

QJsonObject envelopeReply(const StandinReply& reply, StandinEnvelope envelope, const StandinRequest& request)
{
    const bool ok = reply.kind == StandinReply::Kind::Success;
    if (envelope == StandinEnvelope::Imt) {
        QJsonObject body = ok ? reply.payload.toObject() : QJsonObject();
        body.insert(QStringLiteral("header"),
                    QJsonObject{{QStringLiteral("ret_code"), ok ? QStringLiteral("succ") : reply.code},
                                {QStringLiteral("request_id"), requestId(request)}});
        if (!ok || !body.contains(QStringLiteral("message")))
            body.insert(QStringLiteral("message"), reply.message);
        return body;
    }
    return {{QStringLiteral("status"), ok ? 200 : reply.status},
            {QStringLiteral("value"), ok ? reply.payload : QJsonValue()},
            {QStringLiteral("error"), ok ? QString() : reply.code},
            {QStringLiteral("message"), reply.message},
            {QStringLiteral("header"), QJsonObject{{QStringLiteral("request_id"), requestId(request)}}}};
}

// Collector and plain downloads have no envelope: success is the payload, failure an HTTP status.
void sendBare(const StandinReply& reply, httplib::Response& out)
{
    if (reply.kind == StandinReply::Kind::Failure) {
        out.status = reply.status;
        out.set_content(reply.message.toStdString(), "text/plain");
    } else if (reply.payload.isString()) {
        out.set_content(reply.payload.toString().toStdString(), "text/plain");
    } else {
        const QJsonDocument doc = reply.payload.isArray() ? QJsonDocument(reply.payload.toArray())
                                                          : QJsonDocument(reply.payload.toObject());
        out.set_content(doc.toJson(QJsonDocument::Compact).toStdString(), "application/json");
    }
}

} // namespace

StandinServer::StandinServer(const QList<StandinRoute>& routes)
{
    for (const StandinRoute& route : routes)
        m_routes.insert(route.key, route);
}

StandinServer::StandinServer()
    : StandinServer(StandinRoutes::all())
{
}

int StandinServer::socketBetween(int localPort, int peerPort)
{
    DIR* fds = opendir("/proc/self/fd");
    if (!fds)
        return -1;
    int found = -1;
    while (const dirent* entry = readdir(fds)) {
        const int fd = atoi(entry->d_name);
        if (fd > 2 && portOf(fd, getsockname) == localPort && portOf(fd, getpeername) == peerPort) {
            found = fd;
            break;
        }
    }
    closedir(fds);
    return found;
}

StandinServer::~StandinServer()
{
    stop();
}

bool StandinServer::start(int apiPort, int collectorPort)
{
    auto listen = [this](const QString& portName, int port, std::atomic<int>& bound) -> std::unique_ptr<Listener> {
        auto listener = std::make_unique<Listener>();
        httplib::Server::Handler handler = [this, portName](const httplib::Request& in, httplib::Response& out) {
            handle(portName, in, out);
        };
        httplib::Server& server = listener->server;
        server.Get(".*", handler).Post(".*", handler).Put(".*", handler).Patch(".*", handler).Delete(".*", handler);
        // Short keep-alive so that stop() does not wait long for idle client connections.
        server.set_keep_alive_timeout(1);
        // Replies go out whole at once: otherwise Nagle's algorithm holds the body back until the
        // client's delayed acknowledgement of the headers, and tests would measure the stand-in.
        server.set_tcp_nodelay(true);
        server.new_task_queue = [] { return new httplib::ThreadPool(ThreadsPerPort); };
        listener->port = port == 0 ? server.bind_to_any_port("127.0.0.1")
                                   : (server.bind_to_port("127.0.0.1", port) ? port : -1);
        if (listener->port <= 0)
            return nullptr;
        bound = listener->port;   // handlers may ask for the URLs as soon as the first request arrives
        Listener* raw = listener.get();
        listener->thread = std::thread([raw] { raw->server.listen_after_bind(); });
        // stop() is a no-op until the accept loop runs, so wait for it.
        for (int i = 0; i < 5000 && !raw->server.is_running(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return listener;
    };
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = false;
    }
    // A client gone mid-answer (or a connection closed on purpose) must not kill the process that
    // writes to it.
    std::signal(SIGPIPE, SIG_IGN);
    m_api = listen(QStringLiteral("api"), apiPort, m_apiPort);
    m_collector = m_api ? listen(QStringLiteral("collector"), collectorPort, m_collectorPort) : nullptr;
    if (!m_collector) {
        stop();
        return false;
    }
    return true;
}

void StandinServer::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::unique_ptr<Listener>* listener : {&m_api, &m_collector}) {
        if (!*listener)
            continue;
        (*listener)->server.stop();
        if ((*listener)->thread.joinable())
            (*listener)->thread.join();
        listener->reset();
    }
}

int StandinServer::apiPort() const
{
    return m_apiPort;
}

int StandinServer::collectorPort() const
{
    return m_collectorPort;
}

QString StandinServer::apiUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(apiPort());
}

QString StandinServer::collectorUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(collectorPort());
}

void StandinServer::addRoute(const StandinRoute& route)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_routes.insert(route.key, route);
}

void StandinServer::script(const QString& routeKey, const StandinReply& reply)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_scripts[routeKey].push_back(reply);
}

int StandinServer::pendingScripts(const QString& routeKey) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_scripts.value(routeKey).size());
}

void StandinServer::setValidSessions(const QStringList& sessions)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_validSessions = QSet<QString>(sessions.cbegin(), sessions.cend());
}

void StandinServer::clearValidSessions()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_validSessions.reset();
}

QString StandinServer::renewSession(const QString& oldSession)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const QString renewed = QStringLiteral("standin-session-%1").arg(++m_renewals);
    if (m_validSessions) {
        m_validSessions->remove(oldSession);
        m_validSessions->insert(renewed);
    }
    return renewed;
}

QList<StandinRequest> StandinServer::requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_log;
}

QList<StandinRequest> StandinServer::requests(const QString& routeKey) const
{
    QList<StandinRequest> matching;
    const bool imtFunction = routeKey.startsWith(QLatin1String("imt:"));
    for (const StandinRequest& request : requests()) {
        if (request.route == routeKey || (imtFunction && request.route.startsWith(routeKey + QLatin1Char('/'))))
            matching.append(request);
    }
    return matching;
}

int StandinServer::requestCount(const QString& routeKey) const
{
    return requests(routeKey).size();
}

QStringList StandinServer::violations() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_violations;
}

QStringList StandinServer::takeViolations()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QStringList taken;
    taken.swap(m_violations);
    return taken;
}

void StandinServer::clearLog()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_log.clear();
}

void StandinServer::reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_scripts.clear();
    m_log.clear();
    m_violations.clear();
    m_validSessions.reset();
    m_renewals = 0;
    m_seq = 0;
    m_accounts.reset();
}

void StandinServer::setObserver(std::function<void(const StandinRequest&)> observer)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_observer = std::move(observer);
}

void StandinServer::handle(const QString& port, const httplib::Request& in, httplib::Response& out)
{
    if (port == QLatin1String("api") && in.path.rfind(ControlPrefix, 0) == 0) {
        if (!handleControl(in, out))
            setJson(out, violationBody(QStringLiteral("unknown control request")), 404);
        return;
    }
    StandinRequest request = readRequest(port, in);
    const std::optional<StandinRoute> route = resolve(request);
    if (route)
        request.violation = check(request, *route);
    record(request);
    if (!route || !request.violation.isEmpty()) {
        setJson(out, violationBody(request.violation), 400);
        return;
    }
    send(choose(request, *route), *route, request, out);
}

bool StandinServer::handleControl(const httplib::Request& in, httplib::Response& out)
{
    const QJsonObject body = QJsonDocument::fromJson(QByteArray::fromStdString(in.body)).object();
    const QString path = QString::fromStdString(in.path).mid(int(sizeof(ControlPrefix)) - 1);
    if (in.method == "GET" && path == QLatin1String("log")) {
        QJsonArray logged;
        for (const StandinRequest& request : requests())
            logged.append(request.toJson());
        setJson(out, {{QStringLiteral("requests"), logged},
                      {QStringLiteral("violations"), QJsonArray::fromStringList(violations())}});
        return true;
    }
    if (in.method != "POST")
        return false;
    if (path == QLatin1String("script")) {
        bool ok = false;
        const StandinReply reply = StandinReply::fromJson(body.value(QStringLiteral("reply")).toObject(), &ok);
        const QString route = body.value(QStringLiteral("route")).toString();
        if (!ok || route.isEmpty())
            return false;
        script(route, reply);
    } else if (path == QLatin1String("sessions")) {
        const QJsonValue valid = body.value(QStringLiteral("valid"));
        if (valid.isArray()) {
            QStringList sessions;
            for (const QJsonValue& session : valid.toArray())
                sessions.append(session.toString());
            setValidSessions(sessions);
        } else {
            clearValidSessions();
        }
    } else if (path == QLatin1String("reset")) {
        reset();
    } else {
        return false;
    }
    setJson(out, {{QStringLiteral("ok"), true}});
    return true;
}

StandinRequest StandinServer::readRequest(const QString& port, const httplib::Request& in) const
{
    StandinRequest request;
    request.port = port;
    request.clientPort = in.remote_port;
    request.method = QString::fromStdString(in.method);
    request.path = QString::fromStdString(in.path);
    for (const auto& header : in.headers)
        request.headers.insert(QString::fromStdString(header.first).toLower(), QString::fromStdString(header.second));
    for (const auto& param : in.params)
        request.query.insert(QString::fromStdString(param.first), QString::fromStdString(param.second));
    const std::string::size_type queryStart = in.target.find('?');
    if (queryStart != std::string::npos)
        request.rawQuery = QString::fromStdString(in.target.substr(queryStart + 1));
    request.rawBody = QByteArray::fromStdString(in.body);
    const QJsonDocument json = QJsonDocument::fromJson(request.rawBody);
    if (json.isObject()) {
        request.body = json.object();
    } else if (contentType(request).startsWith(QLatin1String("application/x-www-form-urlencoded"))) {
        const QUrlQuery form(QString::fromUtf8(request.rawBody));
        for (const auto& item : form.queryItems(QUrl::FullyDecoded))
            request.body.insert(item.first, item.second);
    }
    return request;
}

std::optional<StandinRoute> StandinServer::resolve(StandinRequest& request) const
{
    QStringList candidates;
    if (request.port == QLatin1String("api") && request.path == QLatin1String("/api/imt")) {
        const QString fn = request.at(QStringLiteral("header.fn")).toString();
        const QString action = request.at(QStringLiteral("header.action")).toString();
        if (fn.isEmpty()) {
            request.route = StandinRoute::imtKey(QString());
            request.violation = QStringLiteral("/api/imt request without header.fn");
            return std::nullopt;
        }
        candidates = QStringList{StandinRoute::imtKey(fn, action), StandinRoute::imtKey(fn)};
    } else {
        candidates = QStringList{request.path};
    }
    request.route = candidates.first();
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const QString& key : candidates) {
        if (m_routes.contains(key))
            return m_routes.value(key);
    }
    request.violation = QStringLiteral("unexpected request %1 %2 (route %3) on the %4 port")
                            .arg(request.method, request.path, request.route, request.port);
    return std::nullopt;
}

QString StandinServer::check(const StandinRequest& request, const StandinRoute& route) const
{
    const bool collector = route.envelope == StandinEnvelope::Collector;
    if (collector != (request.port == QLatin1String("collector")))
        return QStringLiteral("%1 reached on the %2 port").arg(route.key, request.port);
    if (request.method != QString::fromLatin1(route.method))
        return QStringLiteral("%1 with method %2 instead of %3")
            .arg(route.key, request.method, QString::fromLatin1(route.method));
    const bool envelope = route.envelope == StandinEnvelope::Api || route.envelope == StandinEnvelope::Imt;
    if (envelope && !QJsonDocument::fromJson(request.rawBody).isObject())
        return QStringLiteral("%1 with a body that is not a JSON object").arg(route.key);
    if (envelope && !contentType(request).startsWith(QLatin1String("application/json")))
        return QStringLiteral("%1 with content type \"%2\"").arg(route.key, contentType(request));
    QStringList missing;
    QStringList required = route.required;
    if (route.envelope == StandinEnvelope::Api)
        required.prepend(QStringLiteral("value"));
    for (const QString& path : required) {
        if (request.at(path).isUndefined())
            missing.append(path);
    }
    for (const QString& key : route.requiredQuery) {
        if (!request.query.contains(key))
            missing.append(QStringLiteral("query ") + key);
    }
    if (!missing.isEmpty())
        return QStringLiteral("%1 missing %2").arg(route.key, missing.join(", "));
    return route.validate ? route.validate(request) : QString();
}

StandinReply StandinServer::choose(const StandinRequest& request, const StandinRoute& route)
{
    StandinReply reply = StandinReply::byDefault();
    bool expired = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (const QString& key : {request.route, route.key}) {
            auto queue = m_scripts.find(key);
            if (queue != m_scripts.end() && !queue->empty()) {
                reply = queue->front();
                queue->pop_front();
                break;
            }
        }
        const QJsonValue session = request.at(QStringLiteral("header.session"));
        expired = m_validSessions && session.isString() && !m_validSessions->contains(session.toString());
    }
    if (reply.kind != StandinReply::Kind::Default)
        return reply;
    const int delay = reply.delayMs;
    if (expired)
        reply = StandinReply::sessionOut();
    else
        reply = route.handler ? route.handler(request, *this) : StandinReply::success();
    return reply.after(delay);
}

void StandinServer::record(StandinRequest& request)
{
    std::function<void(const StandinRequest&)> observer;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        request.seq = ++m_seq;
        m_log.append(request);
        if (!request.violation.isEmpty())
            m_violations.append(request.violation);
        observer = m_observer;
    }
    if (observer)
        observer(request);
}

void StandinServer::send(const StandinReply& reply, const StandinRoute& route, const StandinRequest& request,
                         httplib::Response& out)
{
    const QByteArray interrupted = compact(envelopeReply(StandinReply::success(), route.envelope, request));
    if (reply.delayMs > 0 && !pause(reply.delayMs)) {
        sendTruncated(out, interrupted, 0);
        return;
    }
    switch (reply.kind) {
    case StandinReply::Kind::Hang:
        pause(-1);
        sendTruncated(out, interrupted, 0);
        return;
    case StandinReply::Kind::Disconnect:
        sendTruncated(out, interrupted, interrupted.size() / 2);
        return;
    case StandinReply::Kind::CloseUnanswered:
        closeConnection(request.port == QLatin1String("api") ? m_apiPort : m_collectorPort, request.clientPort);
        sendTruncated(out, interrupted, 0);
        return;
    case StandinReply::Kind::Body:
        setJson(out, reply.body, reply.status);
        return;
    case StandinReply::Kind::Raw:
        sendRaw(reply, out);
        return;
    case StandinReply::Kind::Default:
    case StandinReply::Kind::Success:
    case StandinReply::Kind::Failure:
        break;
    }
    if (route.envelope == StandinEnvelope::Api || route.envelope == StandinEnvelope::Imt)
        setJson(out, envelopeReply(reply, route.envelope, request));
    else
        sendBare(reply, out);
}

void StandinServer::sendRaw(const StandinReply& reply, httplib::Response& out)
{
    out.status = reply.status;
    if (!reply.location.isEmpty())
        out.set_header("Location", reply.location.constData());
    if (reply.chunkBytes <= 0 && !reply.chunked && !reply.untilClose && reply.dropAfter < 0) {
        out.set_content(reply.bytes.constData(), size_t(reply.bytes.size()), reply.contentType.constData());
        return;
    }
    const QByteArray bytes = reply.bytes;
    const size_t piece = reply.chunkBytes > 0 ? size_t(reply.chunkBytes) : size_t(qMax(1, bytes.size()));
    const size_t limit = reply.dropAfter >= 0 ? qMin(size_t(reply.dropAfter), size_t(bytes.size())) : size_t(bytes.size());
    const int delay = reply.chunkDelayMs;
    const bool drops = reply.dropAfter >= 0;
    // Writes the next piece from offset; false ends the body (a close when it is cut short).
    const auto write = [this, bytes, piece, limit, delay, drops](size_t offset, httplib::DataSink& sink) {
        if (offset >= limit) {
            if (!drops)
                sink.done();
            return !drops;
        }
        if (offset > 0 && delay > 0 && !pause(delay))
            return false;
        const size_t n = qMin(piece, limit - offset);
        return sink.write(bytes.constData() + offset, n);
    };
    // A provider without a length is only asked for more: it keeps its own offset.
    const auto unsized = [write, piece, limit] {
        auto sent = std::make_shared<size_t>(0);
        return [write, sent, piece, limit](size_t, httplib::DataSink& sink) {
            const size_t offset = *sent;
            if (!write(offset, sink))
                return false;
            *sent = qMin(offset + piece, limit);
            return true;
        };
    };
    if (reply.chunked) {
        out.set_chunked_content_provider(reply.contentType.constData(), unsized());
    } else if (reply.untilClose) {
        out.set_content_provider(reply.contentType.constData(), unsized());
    } else {
        out.set_content_provider(size_t(bytes.size()), reply.contentType.constData(),
                                 [write](size_t offset, size_t, httplib::DataSink& sink) { return write(offset, sink); });
    }
}

bool StandinServer::pause(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const auto stopping = [this] { return m_stopping; };
    if (ms < 0)
        m_wake.wait(lock, stopping);
    else
        m_wake.wait_for(lock, std::chrono::milliseconds(ms), stopping);
    return !m_stopping;
}
