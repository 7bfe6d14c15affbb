#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

// Files under tests/fixtures/, named relative to it ("standin/two_sentences.json").
namespace Fixtures {
QString path(const QString& name);
// The JSON object in the file; fails the running test when it is missing or not an object.
QJsonObject json(const QString& name);
// A Debian package as the update downloads it: the archive header and members, "debian-binary"
// and one of dataBytes patterned bytes (odd sizes get their padding byte).
QByteArray debPackage(int dataBytes);
} // namespace Fixtures
