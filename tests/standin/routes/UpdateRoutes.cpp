#include "StandinRoutes.h"
#include "StandinServer.h"

#include <QCryptographicHash>

namespace {

const QString ConfigDocumentPath = QStringLiteral("/files/config/desktop.json");

} // namespace

QString StandinRoutes::versionCheckCode(qint64 requestTime, const QString& version, const QString& url,
                                        qint64 responseTime)
{
    const QString text = QString::number(requestTime) + version + url + QString::number(responseTime);
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
}

QList<StandinRoute> StandinRoutes::update()
{
    // By default the client is up to date: status 200 with a null value and no message.
    StandinRoute checkVersion;
    checkVersion.key = QStringLiteral("/api/resourcemanageserver/checkVersion");
    checkVersion.required = QStringList{"value.name", "value.system_type", "value.old_version", "value.request_time"};
    checkVersion.handler = [](const StandinRequest&, StandinServer&) {
        return StandinReply::success(QJsonValue::Null);
    };

    // Answers the address of the configuration document, which the stand-in serves itself.
    StandinRoute findConfig;
    findConfig.key = QStringLiteral("/api/resourcemanageserver/findConfig");
    findConfig.handler = [](const StandinRequest&, StandinServer& server) {
        return StandinReply::success(server.apiUrl() + ConfigDocumentPath);
    };

    StandinRoute document;
    document.key = ConfigDocumentPath;
    document.envelope = StandinEnvelope::Plain;
    document.method = "GET";
    document.handler = [](const StandinRequest&, StandinServer&) {
        return StandinReply::success(QStringLiteral("{\"blackwhite\": false}"));
    };
    return {checkVersion, findConfig, document};
}
