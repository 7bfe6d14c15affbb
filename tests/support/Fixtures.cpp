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
