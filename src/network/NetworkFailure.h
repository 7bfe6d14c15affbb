#pragma once

#include <QString>
#include <QVariantMap>

// What a failed transfer is called where the user reads it: Qt's error enum (and the transport's
// own -100 for a time-out, -200 for a refused certificate) in words, never as a number.
namespace NetworkFailure {

QString text(int code);
// What went wrong with a call, from the map a failed call hands its callback: the transport's
// failure in words, else the server's own message (empty when it sent none).
QString describe(const QVariantMap& error);

} // namespace NetworkFailure
