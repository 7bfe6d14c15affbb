#pragma once

#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QObject>
#include <QSharedPointer>
#include <QVariantMap>

#include <functional>

class QReplyTimeout;

// The one place that speaks HTTP. Every exchange ends in at most one of its two callbacks.
class Request : public QObject
{
    Q_OBJECT
public:
    enum RequestErrorType {
        Timeout = 1, // code -100
        Network = 3, // the network layer's error code, -200 for TLS errors
        Reply = 4,   // -300 no reply, -301 status outside 200..299, -302 error after finishing
    };

    // Qt sends a request again when its kept-alive connection closes before any answer, though the
    // server may have read it and acted. A request that changes something goes Once: on a connection
    // of its own, with a body that cannot be sent twice (that case ends as a network error).
    enum Delivery { Reusable, Once };

    using ReplyCallback = std::function<void(QVariantMap& data, QSharedPointer<QNetworkReply> reply)>;
    using ReplyErrorCallback =
        std::function<void(RequestErrorType type, int code, QSharedPointer<QNetworkReply> reply)>;

    Request();
    ~Request() override;

    static QSharedPointer<QNetworkRequest> makeRequest(const QString& url, const QVariantMap* query = nullptr,
                                                       const QVariantMap* header = nullptr);

    QSharedPointer<QNetworkReply> asyncGet(const QString& url, const QVariantMap* query, int timeoutMs,
                                           ReplyCallback onSuccess, ReplyErrorCallback onError);
    QSharedPointer<QNetworkReply> asyncPostJson(const QString& url, const QByteArray& body,
                                                const QString& contentType, int timeoutMs,
                                                ReplyCallback onSuccess, ReplyErrorCallback onError,
                                                Delivery delivery = Reusable);
    QSharedPointer<QNetworkReply> asyncPostJson(const QString& url, const QJsonObject* body, int timeoutMs,
                                                ReplyCallback onSuccess, ReplyErrorCallback onError,
                                                Delivery delivery = Reusable);
    // Posts the parts one after another as one body, without joining them in memory.
    QSharedPointer<QNetworkReply> asyncPostParts(const QString& url, const QList<QByteArray>& parts,
                                                 const QString& contentType, int timeoutMs, ReplyCallback onSuccess,
                                                 ReplyErrorCallback onError, Delivery delivery = Reusable);
    QSharedPointer<QNetworkReply> asyncPostMultipart(const QString& url, const QVariantMap& parts, int timeoutMs,
                                                     ReplyCallback onSuccess, ReplyErrorCallback onError);

    void hanleReply(QSharedPointer<QNetworkReply> reply, int timeoutMs, ReplyCallback onSuccess,
                    ReplyErrorCallback onError);

    // Cancels a reply as its owner: the handlers end without a callback and its guard never fires.
    static void cancelReply(const QSharedPointer<QNetworkReply>& reply);

    static QVariantMap decodeBody(QNetworkReply* reply);

private:
    QSharedPointer<QNetworkReply> share(QNetworkReply* reply);
    QNetworkReply* postOnce(const QNetworkRequest& request, QIODevice* body);
    void dropHandlers(const QSharedPointer<QNetworkReply>& reply, const QSharedPointer<QReplyTimeout>& guard);
    void onFinished(const QSharedPointer<QNetworkReply>& reply, const QSharedPointer<QReplyTimeout>& guard,
                    const ReplyCallback& onSuccess, const ReplyErrorCallback& onError);

    QNetworkAccessManager* networkManager;
};

using ReplyCallback = Request::ReplyCallback;
using ReplyErrorCallback = Request::ReplyErrorCallback;
