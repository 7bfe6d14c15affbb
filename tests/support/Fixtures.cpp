#include "Fixtures.h"

#include <QFile>
#include <QJsonDocument>
#include <QtTest>

QString Fixtures::path(const QString& name)
{
    return QStringLiteral(PARLAVINE_FIXTURES_DIR "/") + name;
}

QJsonObject Fixtures::json(const QString& name)
{
    QFile file(path(name));
    QJsonParseError error;
    const QJsonDocument doc = file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll(), &error)
                                                             : QJsonDocument();
    if (!doc.isObject())
        QTest::qFail(qPrintable(QStringLiteral("fixture %1 is missing or not a JSON object").arg(name)), __FILE__,
                     __LINE__);
    return doc.object();
}

QByteArray Fixtures::debPackage(int dataBytes)
{
    const auto member = [](const char* name, const QByteArray& data) {
        QByteArray header = QByteArray(name).leftJustified(16, ' ') + QByteArray("0").leftJustified(12, ' ')
                            + QByteArray("0     0     100644  ") + QByteArray::number(data.size()).leftJustified(10, ' ')
                            + "`\n";
        return header + data + (data.size() % 2 ? QByteArray("\n") : QByteArray());
    };
    QByteArray data(dataBytes, Qt::Uninitialized);
    for (int i = 0; i < dataBytes; ++i)
        data[i] = char((i * 131 + i / 7) & 0xff);
    return "!<arch>\n" + member("debian-binary", "2.0\n") + member("data.tar.xz", data);
}
