#include "update/GlobalService.h"

#include "core/State.h"
#include "core/TimeUtil.h"
#include "network/Request.h"

#include <QCryptographicHash>

namespace {

const QString CheckVersionPath = QStringLiteral("/api/resourcemanageserver/checkVersion");
const QString FindConfigPath = QStringLiteral("/api/resourcemanageserver/findConfig");
constexpr int Tries = 3;
constexpr int ConfigTimeoutMs = 60000;

} // namespace

void GlobalService::checkVersion(ServiceCallback callback)
{
    const State* state = State::instance();
    const auto requestTime = static_cast<qint32>(TimeUtil::currentTimestamp());
    const QVariantMap value{{QStringLiteral("name"), QStringLiteral("Parlavine")},
                            {QStringLiteral("system_type"), state->updateInfo().value(QStringLiteral("type"))},
                            {QStringLiteral("old_version"), state->version()},
                            {QStringLiteral("request_time"), requestTime}};
    const auto body = RequestService::makeBody(value, {});
    RequestService::instance()->postJson(
        CheckVersionPath, *body,
        [requestTime, callback](bool ok, const QVariantMap& data) {
            onCheckVersionReply(requestTime, ok, data, callback);
        },
        QString(), true, Tries);
}

QString GlobalService::updateCheckCode(qint32 requestTime, const QString& version, const QString& url,
                                       qint64 responseTime)
{
    const QString text = QStringLiteral("%1%2%3%4").arg(QString::number(requestTime), version, url,
                                                       QString::number(responseTime));
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
}

void GlobalService::onCheckVersionReply(qint32 requestTime, bool ok, const QVariantMap& data,
                                        const ServiceCallback& callback)
{
    if (!ok) {
        callback(false, data);
        return;
    }
    if (!data.contains(QStringLiteral("version"))) {
        const bool latest = data.value(QStringLiteral("value")).toString() == QLatin1String("null")
            && data.value(QStringLiteral("message")).toString().isEmpty();
        if (!latest) {
            callback(false, data);
            return;
        }
        QVariantMap answer = data;
        answer.insert(QStringLiteral("isLastest"), true);
        callback(true, answer);
        return;
    }
    const QString expected = updateCheckCode(requestTime, data.value(QStringLiteral("version")).toString(),
                                             data.value(QStringLiteral("url")).toString(),
                                             data.value(QStringLiteral("response_time")).toLongLong());
    callback(data.value(QStringLiteral("check_code")).toString().toUpper() == expected, data);
}

void GlobalService::findConfig(const QString& key, ServiceCallback callback)
{
    const auto body = RequestService::makeVariantBody(key, QVariantMap());
    RequestService::instance()->postJson(
        FindConfigPath, *body,
        [callback](bool ok, const QVariantMap& data) { onFindConfigReply(ok, data, callback); }, QString(), true,
        Tries);
}

void GlobalService::onFindConfigReply(bool ok, const QVariantMap& data, const ServiceCallback& callback)
{
    RequestService* service = RequestService::instance();
    if (!ok || !service) {
        callback(false, {});
        return;
    }
    service->request()->asyncGet(
        data.value(QStringLiteral("value")).toString(), nullptr, ConfigTimeoutMs,
        [callback](QVariantMap& document, QSharedPointer<QNetworkReply>) { callback(true, document); },
        [callback](Request::RequestErrorType, int, QSharedPointer<QNetworkReply>) { callback(false, {}); });
}
