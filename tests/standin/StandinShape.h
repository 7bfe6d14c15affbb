#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QSet>
#include <QString>

// Strict bodies: a request must carry exactly the keys of a shape, with the JSON types of its
// sample leaves (nested objects name their keys). Paths in `optional` may be absent.
namespace StandinShape {

// Why actual differs from shape, or "" when it fits.
QString mismatch(const QJsonValue& actual, const QJsonValue& shape, const QString& path = QString(),
                 const QSet<QString>& optional = {});

// The API envelope's header as the client fills it from the signed-in user.
QJsonObject apiHeader();

} // namespace StandinShape
