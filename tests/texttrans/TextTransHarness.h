#pragma once

#include "core/Dispatch.h"
#include "core/State.h"
#include "core/User.h"

#include "Fixtures.h"
#include "StandinFixture.h"

#include <QtTest>

// A signed-in user talking to the in-process stand-in; the XDG folders are the test main's
// sandbox. Call setUp() from initTestCase, before anything uses the API client.
struct TextTransHarness
{
    StandinFixture standin;
    StandinServer& server = standin.server();

    static bool setUp()
    {
        qputenv("PARLAVINE_REQUEST_TIMEOUT_MS", "5000");
        User* user = User::instance();
        user->userName = QStringLiteral("tester");
        user->userId = QStringLiteral("u-1");
        user->clientKey = QStringLiteral("desktop-test");
        user->session = QStringLiteral("session-1");
        return true;
    }

    // The page controller's first start loads both language tables from the stand-in; the
    // controller is released again and the log emptied.
    bool loadLanguageTables()
    {
        State* state = State::instance();
        if (!Dispatch::instance()->initController(Dispatch::Ctrl_TextTrans))
            return false;
        if (!QTest::qWaitFor([state] { return state->textTransLangData().size() > 3 && !state->textTransSugLangData().isEmpty(); }, 5000))
            return false;
        Dispatch::instance()->releaseController(Dispatch::Ctrl_TextTrans);
        server.clearLog();
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

inline QVariantMap span(int start, int len)
{
    return {{QStringLiteral("start"), start}, {QStringLiteral("len"), len}};
}
