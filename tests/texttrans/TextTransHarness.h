#pragma once

#include "core/User.h"

#include "StandinServer.h"

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

// A private home and a signed-in user talking to the stand-in: call setUp() from initTestCase,
// before anything opens the database or the API client.
struct TextTransHarness
{
    QTemporaryDir home;
    StandinServer server;

    bool setUp()
    {
        if (!home.isValid() || !server.start())
            return false;
        qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
        qputenv("PARLAVINE_API_URL", server.apiUrl().toUtf8());
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        User* user = User::instance();
        user->userName = QStringLiteral("tester");
        user->userId = QStringLiteral("u-1");
        user->clientKey = QStringLiteral("desktop-test");
        user->session = QStringLiteral("session-1");
        return true;
    }

    // The requests of one route, in order, as their JSON bodies.
    QList<QJsonObject> bodies(const QString& routeKey) const
    {
        QList<QJsonObject> out;
        for (const StandinRequest& request : server.requests(routeKey))
            out.append(request.body);
        return out;
    }
};

inline QJsonObject fixtureObject(const QString& name)
{
    QFile file(QStringLiteral(PARLAVINE_FIXTURES_DIR "/texttrans/") + name);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

inline QVariantMap span(int start, int len)
{
    return {{QStringLiteral("start"), start}, {QStringLiteral("len"), len}};
}
