#include "StandinRoutes.h"

namespace {

// The dump travels as standard Base64 under an upload name ending in ".dmp".
QString uploadShape(const StandinRequest& request)
{
    const QString name = request.at(QStringLiteral("value.file_name")).toString();
    if (!name.endsWith(QLatin1String(".dmp")))
        return QStringLiteral("uploadCrashLogFile: file_name does not end in \".dmp\"");
    const QByteArray content = request.at(QStringLiteral("value.file_content")).toString().toLatin1();
    const auto decoded = QByteArray::fromBase64Encoding(content, QByteArray::AbortOnBase64DecodingErrors);
    if (content.isEmpty() || !decoded)
        return QStringLiteral("uploadCrashLogFile: file_content is not Base64");
    return QString();
}

} // namespace

QList<StandinRoute> StandinRoutes::crashUpload()
{
    StandinRoute upload;
    upload.key = QStringLiteral("/api/resourcemanageserver/uploadCrashLogFile");
    upload.required = StandinHeaders::with(StandinHeaders::api(), {"value.file_name", "value.file_content"});
    upload.validate = uploadShape;
    upload.handler = [](const StandinRequest&, StandinServer&) { return StandinReply::success(QJsonValue::Null); };
    return {upload};
}
