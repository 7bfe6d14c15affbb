#include "StandinShape.h"

QString StandinShape::mismatch(const QJsonValue& actual, const QJsonValue& shape, const QString& path,
                               const QSet<QString>& optional)
{
    if (actual.type() != shape.type())
        return QStringLiteral("%1 has JSON type %2 instead of %3").arg(path).arg(actual.type()).arg(shape.type());
    if (!shape.isObject())
        return QString();
    const QJsonObject object = actual.toObject();
    const QJsonObject expected = shape.toObject();
    const QString prefix = path.isEmpty() ? QString() : path + QLatin1Char('.');
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (!expected.contains(it.key()))
            return QStringLiteral("unexpected key %1%2").arg(prefix, it.key());
    }
    for (auto it = expected.begin(); it != expected.end(); ++it) {
        const QString key = prefix + it.key();
        if (!object.contains(it.key())) {
            if (optional.contains(key))
                continue;
            return QStringLiteral("missing key %1").arg(key);
        }
        const QString inner = mismatch(object.value(it.key()), it.value(), key, optional);
        if (!inner.isEmpty())
            return inner;
    }
    return QString();
}

QJsonObject StandinShape::apiHeader()
{
    return {{"session", QString()}, {"client_key", QString()}, {"user_name", QString()}};
}
