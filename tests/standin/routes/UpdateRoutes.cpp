#include "StandinRoutes.h"
#include "StandinServer.h"

#include <QCryptographicHash>

namespace {

const QString ConfigDocumentPath = QStringLiteral("/files/config/desktop.json");
const QString CheckVersionPath = QStringLiteral("/api/resourcemanageserver/checkVersion");

// The client sends both calls without a header, the check with its typed fields.
QString checkVersionShape(const StandinRequest& request)
{
    if (request.body.contains(QStringLiteral("header")))
        return QStringLiteral("checkVersion: unexpected header");
    if (request.at(QStringLiteral("value.name")).toString() != QLatin1String("Parlavine"))
        return QStringLiteral("checkVersion: value.name is not \"Parlavine\"");
    if (!request.at(QStringLiteral("value.request_time")).isDouble())
        return QStringLiteral("checkVersion: value.request_time is not a number");
    if (!request.at(QStringLiteral("value.system_type")).isString()
        || !request.at(QStringLiteral("value.old_version")).isString())
        return QStringLiteral("checkVersion: system_type and old_version must be strings");
    return QString();
}

QString findConfigShape(const StandinRequest& request)
{
    if (request.body.contains(QStringLiteral("header")))
        return QStringLiteral("findConfig: unexpected header");
    if (!request.at(QStringLiteral("value")).isString())
        return QStringLiteral("findConfig: value is not a string");
    return QString();
}

} // namespace

QString StandinRoutes::versionCheckCode(qint64 requestTime, const QString& version, const QString& url,
                                        qint64 responseTime)
{
    const QString text = QString::number(requestTime) + version + url + QString::number(responseTime);
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
}

StandinRoute StandinRoutes::versionOffer(const VersionOffer& offer)
{
    StandinRoute route = update().at(0);
    route.handler = [offer](const StandinRequest& request, StandinServer&) {
        const qint64 requestTime = request.at(QStringLiteral("value.request_time")).toVariant().toLongLong();
        const qint64 responseTime = offer.withResponseTime ? requestTime + 5 : 0;
        QString code = versionCheckCode(requestTime, offer.version, offer.url, responseTime);
        if (offer.code == VersionOffer::Lower)
            code = code.toLower();
        else if (offer.code == VersionOffer::Wrong)
            code = QStringLiteral("0123456789ABCDEF0123456789ABCDEF");
        QJsonObject value{{QStringLiteral("version"), offer.version},
                          {QStringLiteral("url"), offer.url},
                          {QStringLiteral("desc"), offer.desc}};
        if (offer.withResponseTime)
            value.insert(QStringLiteral("response_time"), responseTime);
        if (offer.code != VersionOffer::Missing)
            value.insert(QStringLiteral("check_code"), code);
        return StandinReply::success(value);
    };
    return route;
}

StandinRoute StandinRoutes::download(const QString& path, const StandinReply& reply)
{
    StandinRoute route;
    route.key = path;
    route.envelope = StandinEnvelope::Plain;
    route.method = "GET";
    route.handler = [reply](const StandinRequest&, StandinServer&) { return reply; };
    return route;
}

QList<StandinRoute> StandinRoutes::update()
{
    // By default the client is up to date: status 200 with a null value and no message.
    StandinRoute checkVersion;
    checkVersion.key = CheckVersionPath;
    checkVersion.required = QStringList{"value.name", "value.system_type", "value.old_version", "value.request_time"};
    checkVersion.validate = checkVersionShape;
    checkVersion.handler = [](const StandinRequest&, StandinServer&) {
        return StandinReply::success(QJsonValue::Null);
    };

    // Answers the address of the configuration document, which the stand-in serves itself.
    StandinRoute findConfig;
    findConfig.key = QStringLiteral("/api/resourcemanageserver/findConfig");
    findConfig.required = QStringList{"value"};
    findConfig.validate = findConfigShape;
    findConfig.handler = [](const StandinRequest&, StandinServer& server) {
        return StandinReply::success(server.apiUrl() + ConfigDocumentPath);
    };

    const StandinRoute document = download(
        ConfigDocumentPath, StandinReply::raw("{\"blackwhite\": false}", "text/plain"));
    return {checkVersion, findConfig, document};
}
