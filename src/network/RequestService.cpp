#include "network/RequestService.h"

#include "core/AppConfig.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/User.h"
#include "core/Util.h"
#include "network/NetworkFailure.h"
#include "network/Request.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>
#include <QUrl>

#include <mutex>

static RequestService* s_requestService = nullptr;

static const Hud::Callback kNothing = [] {};
static const QString kSessionOut = QStringLiteral("Session-Out");

static RequestService::Hooks& hooks()
{
    static RequestService::Hooks wired;
    return wired;
}

// Everything one call needs to send itself again: a retry, a re-send with a newer session,
// or a re-send after a renewal.
struct RequestService::Call
{
    enum Envelope { Api, Imt };

    Envelope envelope = Api;
    QString url;
    QJsonObject body; // its header session is rewritten in place before a re-send
    QByteArray fields; // when set, the members sent after body's header, as JSON text
    ServiceCallback callback;
    QString hudWindow;
    bool report = false;
    int tries = 1;
    bool once = false;
    bool freshConnection = false; // sent again on a connection of its own after a lost one
    bool renewal = false;
    QString senderId; // the user who sent it; a re-send never lands in another account
    QSharedPointer<CallHandle> handle = QSharedPointer<CallHandle>::create();

    void finish(bool ok, const QVariantMap& data) const
    {
        if (!handle->isCancelled() && callback)
            callback(ok, data);
    }
};

RequestService* RequestService::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_requestService = new RequestService; });
    return s_requestService;
}

RequestService::RequestService()
    : transport(new Request)
    , baseUrl(AppConfig::apiUrl())
{
    connect(User::instance(), &User::sessionUpdateFinished, this, &RequestService::sessionUpdateFinished);
}

RequestService::~RequestService()
{
    disconnect();
    delete transport;
    clearWaitHandlers();
    s_requestService = nullptr;
}

static QSharedPointer<QJsonObject> bodyWith(const QJsonValue& value, const QVariantMap& header)
{
    auto body = QSharedPointer<QJsonObject>::create();
    body->insert(QStringLiteral("value"), value);
    if (!header.isEmpty())
        body->insert(QStringLiteral("header"), QJsonObject::fromVariantMap(header));
    return body;
}

QSharedPointer<QJsonObject> RequestService::makeBody(const QVariantMap& value, const QVariantMap& header)
{
    return bodyWith(QJsonObject::fromVariantMap(value), header);
}

QSharedPointer<QJsonObject> RequestService::makeVariantBody(const QVariant& value, const QVariantMap& header)
{
    return bodyWith(QJsonValue::fromVariant(value), header);
}

QSharedPointer<QJsonObject> RequestService::makeBody(const QVariantList& valuePairs, const QVariantList& headerPairs)
{
    return makeBody(pairListToMap(valuePairs), pairListToMap(headerPairs));
}

QSharedPointer<QJsonObject> RequestService::makeVariantBody(const QVariant& value, const QVariantList& headerPairs)
{
    return makeVariantBody(value, pairListToMap(headerPairs));
}

QSharedPointer<QVariantMap> RequestService::shareMap(const QVariantMap& map)
{
    return QSharedPointer<QVariantMap>::create(map);
}

QSharedPointer<CallHandle> RequestService::postJson(const QString& path, const QJsonObject& body,
                                                    ServiceCallback callback, const QString& hudWindow, bool report,
                                                    int tries)
{
    auto call = CallPtr::create();
    call->url = baseUrl + path;
    call->body = body;
    call->callback = std::move(callback);
    call->hudWindow = hudWindow;
    call->report = report;
    call->tries = tries;
    return post(call);
}

QSharedPointer<CallHandle> RequestService::postJsonForTrans(const QString& path, const QJsonObject& body,
                                                            ServiceCallback callback, const QString& hudWindow,
                                                            int tries)
{
    auto call = CallPtr::create();
    call->envelope = Call::Imt;
    call->url = baseUrl + path;
    call->body = body;
    call->callback = std::move(callback);
    call->hudWindow = hudWindow;
    call->tries = tries;
    return post(call);
}

QSharedPointer<CallHandle> RequestService::postJsonBytesForTrans(const QString& path, const QJsonObject& header,
                                                                 const QByteArray& fields, ServiceCallback callback,
                                                                 const QString& hudWindow, int tries)
{
    auto call = CallPtr::create();
    call->envelope = Call::Imt;
    call->url = baseUrl + path;
    call->body = QJsonObject{{QStringLiteral("header"), header}};
    call->fields = fields;
    call->callback = std::move(callback);
    call->hudWindow = hudWindow;
    call->tries = tries;
    return post(call);
}

QSharedPointer<CallHandle> RequestService::postSessionRenewal(const QString& path, const QJsonObject& body,
                                                              ServiceCallback callback)
{
    auto call = CallPtr::create();
    call->url = baseUrl + path;
    call->body = body;
    call->callback = std::move(callback);
    call->report = true;
    call->tries = 3;
    call->renewal = true;
    return post(call);
}

QSharedPointer<CallHandle> RequestService::post(const CallPtr& call)
{
    if (call->tries == Once) {
        call->once = true;
        call->tries = 1;
    }
    call->senderId = User::instance()->userId;
    send(call);
    return call->handle;
}

void RequestService::send(const CallPtr& call)
{
    const auto onReply = [this, call](QVariantMap& data, QSharedPointer<QNetworkReply> raw) {
        if (call->envelope == Call::Api)
            onPostJsonReply(call, data, raw);
        else
            onPostJsonForTransReply(call, data, raw);
    };
    const auto onError = [this, call](Request::RequestErrorType type, int code, QSharedPointer<QNetworkReply> reply) {
        const int httpStatus = reply ? reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() : 0;
        // The path only: a query or Qt's own error text (which quotes the whole address) may carry the session.
        log(QStringLiteral("request failed: %1: %2 (%3), HTTP %4"), QUrl(call->url).path(), QString::number(code),
            NetworkFailure::text(code), QString::number(httpStatus));
        onPostJsonError(call, type, code, httpStatus);
    };
    const Request::Delivery delivery = call->once || call->freshConnection ? Request::Once : Request::Reusable;
    if (call->fields.isEmpty()) {
        call->handle->setReply(transport->asyncPostJson(call->url, &call->body, AppConfig::requestTimeoutMs(), onReply,
                                                        onError, delivery));
        return;
    }
    // The fields are large: streamed behind the header of the moment, never copied.
    const QByteArray header =
        QJsonDocument(call->body.value(QStringLiteral("header")).toObject()).toJson(QJsonDocument::Compact);
    call->handle->setReply(transport->asyncPostParts(call->url, {"{\"header\":" + header + ',', call->fields, "}"},
                                                     QStringLiteral("application/json"),
                                                     AppConfig::requestTimeoutMs(), onReply, onError, delivery));
}

// The result of a 200 reply, from its "value".
static QVariantMap apiResult(const QVariantMap& reply)
{
    const QString valueKey = QStringLiteral("value");
    if (!reply.contains(valueKey))
        return {{valueKey, QString()}};
    const QVariant value = reply.value(valueKey);
    if (!value.isValid() || value.userType() == QMetaType::Nullptr)
        return {{valueKey, QStringLiteral("null")},
                {QStringLiteral("error"), reply.value(QStringLiteral("error"))},
                {QStringLiteral("message"), reply.value(QStringLiteral("message"))}};
    if (value.userType() == QMetaType::QVariantMap)
        return value.toMap();
    return {{valueKey, value}};
}

void RequestService::onPostJsonReply(const CallPtr& call, const QVariantMap& reply,
                                     const QSharedPointer<QNetworkReply>& raw)
{
    const int status = reply.value(QStringLiteral("status"), -1).toInt();
    const QString error = reply.value(QStringLiteral("error")).toString();
    if (status == 500 && call->tries > 1) {
        --call->tries;
        send(call);
    } else if (status == 500) {
        const QString message = reply.value(QStringLiteral("message")).toString();
        if (!message.isEmpty()) {
            if (!call->hudWindow.isEmpty())
                Hud::warning(message, QString(), call->hudWindow);
            if (call->report)
                reportFailure(reply, raw, error);
        }
        call->finish(false, reply);
    } else if (status == 200) {
        call->finish(true, apiResult(reply));
    } else if (status == 401 && error == kSessionOut) {
        onSessionOut(call, reply);
    } else if (status == 401) {
        call->finish(false, reply);
        if (!call->hudWindow.isEmpty())
            Hud::warning(error, QString(), call->hudWindow);
    } else {
        call->finish(false, reply);
    }
}

void RequestService::onPostJsonForTransReply(const CallPtr& call, const QVariantMap& reply,
                                             const QSharedPointer<QNetworkReply>& raw)
{
    const QString headerKey = QStringLiteral("header");
    if (!reply.contains(headerKey)) {
        call->finish(false, reply);
        return;
    }
    const QString retCode = reply.value(headerKey).toMap().value(QStringLiteral("ret_code")).toString();
    if (retCode == QLatin1String("succ")) {
        call->finish(true, reply);
        return;
    }
    if (retCode == kSessionOut) {
        onSessionOut(call, reply);
        return;
    }
    if (call->tries > 1) {
        --call->tries;
        send(call);
        return;
    }
    if (!call->hudWindow.isEmpty()) {
        QString message = reply.value(QStringLiteral("message")).toString();
        if (message.startsWith(QLatin1String("Server is busy now")) && State::instance()->isChineseUi())
            message = QStringLiteral("服务器现在有点忙，请稍后重试哟");
        if (message.isEmpty()) {
            Hud::error(tr("服务器异常，请稍后重试"), QString(), kNothing, call->hudWindow);
        } else {
            Hud::error(message, QString(), kNothing, call->hudWindow);
            reportFailure(reply, raw, retCode);
        }
    }
    call->finish(false, reply);
}

void RequestService::onPostJsonError(const CallPtr& call, int type, int code, int httpStatus)
{
    // The server closed a kept-alive connection just as this call went out on it: Qt's own resend
    // can then fail with an "unknown" error, which is no missing dependency. A call that may be
    // repeated goes once more, on a connection of its own.
    if (type == Request::Network && code == QNetworkReply::UnknownNetworkError && httpStatus == 0 && !call->once
        && !call->freshConnection) {
        call->freshConnection = true;
        send(call);
        return;
    }
    // Qt's error enum is no number a user or the support can read; the server's status is. A broken
    // reply under a 200 is the transport's fault, told by its code.
    const bool statusFailed = httpStatus > 0 && (httpStatus < 200 || httpStatus >= 300);
    const QString detail = statusFailed ? QStringLiteral("HTTP %1").arg(httpStatus) : NetworkFailure::text(code);
    if (type == Request::Network && code == QNetworkReply::UnknownNetworkError) {
        // Shown even without a window: the fix lies outside the program.
        Hud::askStatic(tr("网络异常, 是否安装环境依赖?"), tr("%1。尝试安装依赖库来解决当前问题").arg(detail),
                       &RequestService::openDependencyHelp, kNothing, call->hudWindow);
    } else if (type == Request::Network && !call->hudWindow.isEmpty()) {
        Hud::error(tr("网络异常，请检查网络"), detail, kNothing, call->hudWindow);
    }
    call->finish(false, {{QStringLiteral("errorCode"), code}});
}

void RequestService::onSessionOut(const CallPtr& call, const QVariantMap& reply)
{
    User* user = User::instance();
    const QJsonObject header = call->body.value(QStringLiteral("header")).toObject();
    const QString sessionKey = QStringLiteral("session");
    if (header.contains(sessionKey)) {
        if (header.value(sessionKey).toString() != user->session) {
            if (isSenderLoggedIn(*call))
                resendWithSession(call, user->session);
            else
                call->finish(false, reply);
            return;
        }
        // A renewal waiting for itself would never end.
        if (user->userSessionUpdating && !call->renewal) {
            park(call, reply);
            return;
        }
    }
    if (!user->isLoggedOut())
        logoutExpired();
    call->finish(false, reply);
}

void RequestService::park(const CallPtr& call, const QVariantMap& reply)
{
    sessionWaitHandlers.push_back([this, call, reply]() {
        if (call->handle->isCancelled())
            return;
        if (isSenderLoggedIn(*call))
            resendWithSession(call, User::instance()->session);
        else
            call->finish(false, reply);
    });
}

bool RequestService::isSenderLoggedIn(const Call& call) const
{
    const User* user = User::instance();
    return !user->session.isEmpty() && user->userId == call.senderId;
}

void RequestService::resendWithSession(const CallPtr& call, const QString& session)
{
    QJsonObject header = call->body.value(QStringLiteral("header")).toObject();
    header.insert(QStringLiteral("session"), session);
    call->body.insert(QStringLiteral("header"), header);
    send(call);
}

void RequestService::logoutExpired()
{
    User::instance()->clear();
    State::instance()->notifyUserInfo();
    emit State::instance()->userLoginedChange();
    Hud::warning(tr("登录态过期，请重新登录"), QString(), QStringLiteral("login"));
}

void RequestService::reportFailure(const QVariantMap& reply, const QSharedPointer<QNetworkReply>& raw,
                                   const QString& error)
{
    const QString requestId =
        reply.value(QStringLiteral("header")).toMap().value(QStringLiteral("request_id")).toString();
    const QString message = reply.value(QStringLiteral("message")).toString();
    if (hooks().reportError)
        hooks().reportError(QStringLiteral("post[%1]:%2").arg(requestId, raw->url().toString()),
                            QStringLiteral("%1:%2").arg(error, message));
}

void RequestService::sessionUpdateFinished()
{
    // Re-sends are asynchronous, so nothing is parked while the list runs; a call parked
    // again waits for the next renewal.
    std::vector<std::function<void()>> handlers;
    handlers.swap(sessionWaitHandlers);
    for (const auto& handler : handlers)
        handler();
}

void RequestService::clearWaitHandlers()
{
    sessionWaitHandlers.clear();
}

void RequestService::openDependencyHelp()
{
    if (hooks().openUrl)
        hooks().openUrl(AppConfig::supportUrl());
}

void RequestService::setHooks(Hooks wired)
{
    hooks() = std::move(wired);
}
