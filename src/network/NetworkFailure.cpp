#include "network/NetworkFailure.h"

#include <QCoreApplication>
#include <QNetworkReply>

namespace {

const char* kContext = "NetworkFailure";

// Qt groups its errors in hundreds: proxy, content, protocol, server.
const char* byGroup(int code)
{
    if (code >= 101 && code <= 199)
        return QT_TRANSLATE_NOOP("NetworkFailure", "代理服务器连接失败");
    if (code >= 201 && code <= 299)
        return QT_TRANSLATE_NOOP("NetworkFailure", "服务器拒绝了请求");
    if (code >= 301 && code <= 399)
        return QT_TRANSLATE_NOOP("NetworkFailure", "通信协议错误");
    if (code >= 401 && code <= 499)
        return QT_TRANSLATE_NOOP("NetworkFailure", "服务器内部错误");
    return QT_TRANSLATE_NOOP("NetworkFailure", "未知网络错误");
}

const char* source(int code)
{
    switch (code) {
    case QNetworkReply::ConnectionRefusedError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "连接被拒绝");
    case QNetworkReply::RemoteHostClosedError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "服务器断开了连接");
    case QNetworkReply::HostNotFoundError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "找不到服务器");
    case -100:
    case QNetworkReply::TimeoutError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "连接超时");
    case QNetworkReply::OperationCanceledError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "请求已取消");
    case -200:
    case QNetworkReply::SslHandshakeFailedError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "安全连接（TLS）失败");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::BackgroundRequestNotAllowedError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "网络暂时不可用");
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        return QT_TRANSLATE_NOOP("NetworkFailure", "服务器转向出错");
    default:
        return byGroup(code);
    }
}

} // namespace

QString NetworkFailure::text(int code)
{
    return QCoreApplication::translate(kContext, source(code));
}

QString NetworkFailure::describe(const QVariantMap& error)
{
    const QString codeKey = QStringLiteral("errorCode");
    if (error.contains(codeKey))
        return text(error.value(codeKey).toInt());
    return error.value(QStringLiteral("message")).toString();
}
