#include "StandinRequest.h"

#include <QStringList>

namespace {

QJsonObject mapToObject(const QMap<QString, QString>& map)
{
    QJsonObject object;
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        object.insert(it.key(), it.value());
    return object;
}

QMap<QString, QString> objectToMap(const QJsonObject& object)
{
    QMap<QString, QString> map;
    for (auto it = object.constBegin(); it != object.constEnd(); ++it)
        map.insert(it.key(), it.value().toString());
    return map;
}

} // namespace

QJsonValue StandinRequest::at(const QString& path) const
{
    QJsonValue value = body;
    for (const QString& key : path.split(QLatin1Char('.'))) {
        if (!value.isObject() || !value.toObject().contains(key))
            return QJsonValue(QJsonValue::Undefined);
        value = value.toObject().value(key);
    }
    return value;
}

QJsonObject StandinRequest::toJson() const
{
    return {
        {QStringLiteral("seq"), seq},
        {QStringLiteral("port"), port},
        {QStringLiteral("clientPort"), clientPort},
        {QStringLiteral("method"), method},
        {QStringLiteral("path"), path},
        {QStringLiteral("route"), route},
        {QStringLiteral("headers"), mapToObject(headers)},
        {QStringLiteral("query"), mapToObject(query)},
        {QStringLiteral("rawQuery"), rawQuery},
        {QStringLiteral("rawBody"), QString::fromUtf8(rawBody)},
        {QStringLiteral("body"), body},
        {QStringLiteral("violation"), violation},
    };
}

StandinRequest StandinRequest::fromJson(const QJsonObject& json)
{
    StandinRequest request;
    request.seq = json.value(QStringLiteral("seq")).toInt();
    request.port = json.value(QStringLiteral("port")).toString();
    request.clientPort = json.value(QStringLiteral("clientPort")).toInt();
    request.method = json.value(QStringLiteral("method")).toString();
    request.path = json.value(QStringLiteral("path")).toString();
    request.route = json.value(QStringLiteral("route")).toString();
    request.headers = objectToMap(json.value(QStringLiteral("headers")).toObject());
    request.query = objectToMap(json.value(QStringLiteral("query")).toObject());
    request.rawQuery = json.value(QStringLiteral("rawQuery")).toString();
    request.rawBody = json.value(QStringLiteral("rawBody")).toString().toUtf8();
    request.body = json.value(QStringLiteral("body")).toObject();
    request.violation = json.value(QStringLiteral("violation")).toString();
    return request;
}
