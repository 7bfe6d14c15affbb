#include "network/Request.h"

#include "network/JoinedBytesDevice.h"
#include "network/QReplyTimeout.h"
#include "platform/LowDelaySockets.h"

#include <QHttpMultiPart>
#include <QJsonDocument>
#include <QUrlQuery>

Request::Request()
    : networkManager(new QNetworkAccessManager)
{
}

Request::~Request()
{
    // Replies are owned by their shared pointers, which may outlive the manager (a slot of a
    // service destroyed later still holds one): end them here and hand them over.
    const auto replies = networkManager->findChildren<QNetworkReply*>(QString(), Qt::FindDirectChildrenOnly);
    for (QNetworkReply* reply : replies) {
        disconnect(reply, nullptr, this, nullptr);
        reply->abort();
        reply->setParent(nullptr);
    }
    networkManager->disconnect();
    delete networkManager;
}

QSharedPointer<QNetworkRequest> Request::makeRequest(const QString& url, const QVariantMap* query,
                                                     const QVariantMap* header)
{
    QUrl target(url, QUrl::TolerantMode);
    if (query) {
        QUrlQuery items;
        for (auto it = query->cbegin(); it != query->cend(); ++it)
            items.addQueryItem(it.key(), it.value().toString());
        target.setQuery(items);
    }
    auto request = QSharedPointer<QNetworkRequest>::create(target);
    if (header) {
        for (auto it = header->cbegin(); it != header->cend(); ++it) {
            if (it.key() == QLatin1String("content-type"))
                request->setHeader(QNetworkRequest::ContentTypeHeader, it.value());
            else
                request->setRawHeader(it.key().toLocal8Bit(), it.value().toString().toLocal8Bit());
        }
    }
    return request;
}

QSharedPointer<QNetworkReply> Request::asyncGet(const QString& url, const QVariantMap* query, int timeoutMs,
                                                ReplyCallback onSuccess, ReplyErrorCallback onError)
{
    const auto request = makeRequest(url, query);
    const auto reply = share(networkManager->get(*request));
    hanleReply(reply, timeoutMs, std::move(onSuccess), std::move(onError));
    return reply;
}

QSharedPointer<QNetworkReply> Request::asyncPostJson(const QString& url, const QByteArray& body,
                                                     const QString& contentType, int timeoutMs,
                                                     ReplyCallback onSuccess, ReplyErrorCallback onError,
                                                     Delivery delivery)
{
    if (delivery == Once)
        return asyncPostParts(url, {body}, contentType, timeoutMs, std::move(onSuccess), std::move(onError), Once);
    const QVariantMap header{{QStringLiteral("content-type"), contentType}};
    const auto request = makeRequest(url, nullptr, &header);
    const auto reply = share(networkManager->post(*request, body));
    hanleReply(reply, timeoutMs, std::move(onSuccess), std::move(onError));
    return reply;
}

QSharedPointer<QNetworkReply> Request::asyncPostJson(const QString& url, const QJsonObject* body, int timeoutMs,
                                                     ReplyCallback onSuccess, ReplyErrorCallback onError,
                                                     Delivery delivery)
{
    const QByteArray bytes = body ? QJsonDocument(*body).toJson(QJsonDocument::Indented) : QByteArray();
    return asyncPostJson(url, bytes, QStringLiteral("application/json"), timeoutMs, std::move(onSuccess),
                         std::move(onError), delivery);
}

QSharedPointer<QNetworkReply> Request::asyncPostParts(const QString& url, const QList<QByteArray>& parts,
                                                      const QString& contentType, int timeoutMs,
                                                      ReplyCallback onSuccess, ReplyErrorCallback onError,
                                                      Delivery delivery)
{
    const QVariantMap header{{QStringLiteral("content-type"), contentType}};
    const auto request = makeRequest(url, nullptr, &header);
    auto* body = new JoinedBytesDevice(parts, delivery == Once ? JoinedBytesDevice::ReadOnce
                                                               : JoinedBytesDevice::Rewinds);
    request->setHeader(QNetworkRequest::ContentLengthHeader, body->size());
    QNetworkReply* raw = delivery == Once ? postOnce(*request, body) : networkManager->post(*request, body);
    body->setParent(raw); // read for as long as the reply sends
    const auto reply = share(raw);
    hanleReply(reply, timeoutMs, std::move(onSuccess), std::move(onError));
    return reply;
}

QSharedPointer<QNetworkReply> Request::asyncPostMultipart(const QString& url, const QVariantMap& parts,
                                                          int timeoutMs, ReplyCallback onSuccess,
                                                          ReplyErrorCallback onError)
{
    auto* multipart = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    for (auto it = parts.cbegin(); it != parts.cend(); ++it) {
        QHttpPart part;
        part.setHeader(QNetworkRequest::ContentDispositionHeader,
                       QStringLiteral("form-data; name=\"%1\"").arg(it.key()));
        part.setBody(it.value().toByteArray());
        multipart->append(part);
    }
    const auto request = makeRequest(url);
    QNetworkReply* raw = networkManager->post(*request, multipart);
    multipart->setParent(raw); // the body must live as long as the reply reads it
    const auto reply = share(raw);
    hanleReply(reply, timeoutMs, std::move(onSuccess), std::move(onError));
    return reply;
}

void Request::hanleReply(QSharedPointer<QNetworkReply> reply, int timeoutMs, ReplyCallback onSuccess,
                         ReplyErrorCallback onError)
{
    const QSharedPointer<QReplyTimeout> guard(new QReplyTimeout(reply, timeoutMs), &QObject::deleteLater);

    connect(guard.data(), &QReplyTimeout::timeout, this, [reply, guard, onError]() {
        if (onError)
            onError(Timeout, -100, reply);
        guard->disconnect();
    });
    // The connection this reply comes on is kept for the next request, which its callbacks may send.
    connect(reply.data(), &QNetworkReply::metaDataChanged, this, [] { LowDelaySockets::apply(); });
    connect(reply.data(), &QNetworkReply::finished, this, [this, reply, guard, onSuccess, onError]() {
        onFinished(reply, guard, onSuccess, onError);
    });
    connect(reply.data(), &QNetworkReply::errorOccurred, this,
            [this, reply, guard, onError](QNetworkReply::NetworkError code) {
                if (code == QNetworkReply::OperationCanceledError) {
                    // Either the guard timing out (it has let go already and reports itself)
                    // or the owner cancelling, after which nothing may be reported at all.
                    disconnect(reply.data(), nullptr, this, nullptr);
                    if (guard->isArmed())
                        guard->disarm();
                    return;
                }
                if (onError)
                    onError(Network, code, reply);
                dropHandlers(reply, guard);
            });
    connect(reply.data(), &QNetworkReply::sslErrors, this, [this, reply, guard, onError]() {
        if (onError)
            onError(Network, -200, reply);
        dropHandlers(reply, guard);
    });
}

void Request::cancelReply(const QSharedPointer<QNetworkReply>& reply)
{
    if (reply.isNull() || !reply->isRunning())
        return;
    // The notice comes first: it is the transport's own handler that drops the handlers silently.
    emit reply->errorOccurred(QNetworkReply::OperationCanceledError);
    reply->abort();
}

QVariantMap Request::decodeBody(QNetworkReply* reply)
{
    const QByteArray body = reply->readAll();
    const QString contentType = reply->header(QNetworkRequest::ContentTypeHeader).toString().toLower();
    if (contentType.contains(QLatin1String("application/json")))
        return QJsonDocument::fromJson(body).object().toVariantMap();
    if (contentType.contains(QLatin1String("text/plain")))
        return {{QStringLiteral("text"), QString::fromUtf8(body)}};
    return {{QStringLiteral("bytes"), body}};
}

QNetworkReply* Request::postOnce(const QNetworkRequest& request, QIODevice* body)
{
    // A manager keeps connections of its own: this one opens a fresh connection, which no answer
    // before it can leave half closed, and closes it with the manager.
    auto* own = new QNetworkAccessManager(networkManager);
    QNetworkReply* reply = own->post(request, body);
    reply->setParent(networkManager); // ended with the other replies when the transport goes
    connect(reply, &QNetworkReply::finished, own, &QObject::deleteLater);
    return reply;
}

QSharedPointer<QNetworkReply> Request::share(QNetworkReply* reply)
{
    return QSharedPointer<QNetworkReply>(reply, &QObject::deleteLater);
}

void Request::dropHandlers(const QSharedPointer<QNetworkReply>& reply, const QSharedPointer<QReplyTimeout>& guard)
{
    disconnect(reply.data(), nullptr, this, nullptr);
    guard->disarm();
}

void Request::onFinished(const QSharedPointer<QNetworkReply>& reply, const QSharedPointer<QReplyTimeout>& guard,
                         const ReplyCallback& onSuccess, const ReplyErrorCallback& onError)
{
    if (reply.isNull()) {
        if (onError)
            onError(Reply, -300, reply);
        guard->disarm();
        return;
    }
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status < 200 || status >= 300) {
        if (onError)
            onError(Reply, reply->error() != QNetworkReply::NoError ? -302 : -301, reply);
    } else if (onSuccess) {
        QVariantMap data = decodeBody(reply.data());
        onSuccess(data, reply);
    }
    dropHandlers(reply, guard);
}
