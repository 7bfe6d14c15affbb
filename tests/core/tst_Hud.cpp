#include "core/Hud.h"
#include "core/State.h"

#include "TestMain.h"

#include <QtTest>

namespace {

QVariantList huds()
{
    return State::instance()->windowHud();
}

QVariantMap hudOf(int tag)
{
    for (const QVariant& entry : huds()) {
        if (entry.toMap().value("tag").toInt() == tag)
            return entry.toMap();
    }
    return {};
}

} // namespace

class TestHud : public QObject
{
    Q_OBJECT
private slots:
    // Runs first: the tags of a run start at 1.
    void publishesRequests()
    {
        QSignalSpy changed(State::instance(), &State::windowHudChange);
        const int first = Hud::warning("t", "m", QString());
        QCOMPARE(first, 1);
        QCOMPARE(changed.count(), 1);
        const QVariantMap expected{{"title", "t"},       {"type", "warning"},   {"message", "m"},
                                   {"sureBtnText", "好的"}, {"cancelBtnText", ""}, {"window", "main"},
                                   {"tag", 1},           {"lite", false}};
        QCOMPARE(huds().last().toMap(), expected);

        const int toast = Hud::infoInWindow("saved", QString(), [] {}, "setting");
        QCOMPARE(toast, 2);
        const QVariantMap lite = hudOf(toast);
        QCOMPARE(lite.value("lite").toBool(), true);
        QCOMPARE(lite.value("window").toString(), QStringLiteral("setting"));
        QCOMPARE(lite.value("sureBtnText").toString(), QString());
        QCOMPARE(lite.value("cancelBtnText").toString(), QString());

        const QVariantMap ask = hudOf(Hud::askStatic("q", "m", [] {}, [] {}));
        QCOMPARE(ask.value("type").toString(), QStringLiteral("ask"));
        QCOMPARE(ask.value("sureBtnText").toString(), QStringLiteral("确定"));
        QCOMPARE(ask.value("cancelBtnText").toString(), QStringLiteral("取消"));
    }

    void answersRunExactlyOnce_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::newRow("sure") << true;
        QTest::newRow("cancel") << false;
    }
    void answersRunExactlyOnce()
    {
        QFETCH(bool, confirm);
        int sure = 0;
        int cancel = 0;
        // "term" has no window yet: the request waits in the list until someone answers it.
        const int tag = Hud::ask("q", "m", "yes", "no", [&] { ++sure; }, [&] { ++cancel; }, "term");
        QCOMPARE(hudOf(tag).value("window").toString(), QStringLiteral("term"));

        QSignalSpy changed(State::instance(), &State::windowHudChange);
        for (int i = 0; i < 2; ++i) {
            if (confirm)
                emit State::instance()->windowHudSureTap(tag);
            else
                emit State::instance()->windowHudCancelTap(tag);
        }
        QCOMPARE(sure, confirm ? 1 : 0);
        QCOMPARE(cancel, confirm ? 0 : 1);
        QVERIFY(hudOf(tag).isEmpty());
        QCOMPARE(changed.count(), 1);
    }

    void toastCancelRunsNothing()
    {
        int sure = 0;
        const int tag = Hud::error("bad", QString(), [&] { ++sure; }, "login");
        Hud::instance()->cancelBtnTap(tag);
        QCOMPARE(sure, 0);
        QVERIFY(hudOf(tag).isEmpty());
    }

    void unknownTagChangesNothing()
    {
        Hud::info("keep", QString());
        const QVariantList before = huds();
        QSignalSpy changed(State::instance(), &State::windowHudChange);
        emit State::instance()->windowHudCancelTap(9999);
        QCOMPARE(huds(), before);
        QCOMPARE(changed.count(), 0);
    }

    void callbackShowingAnotherHud()
    {
        int followUp = 0;
        bool answeredStillListed = false;
        int tag = 0;
        tag = Hud::infoWithCallback("first", QString(), [&] {
            answeredStillListed = !hudOf(tag).isEmpty();
            followUp = Hud::info("second", QString());
        });
        Hud::instance()->sureBtnTap(tag);
        QVERIFY(answeredStillListed);
        QVERIFY(followUp > tag);
        QVERIFY(hudOf(tag).isEmpty());
        QCOMPARE(hudOf(followUp).value("title").toString(), QStringLiteral("second"));
    }

    void answerRepeatedInsideCallback()
    {
        int sure = 0;
        int tag = 0;
        tag = Hud::warningWithCallback("again", QString(), [&] {
            ++sure;
            emit State::instance()->windowHudSureTap(tag);
        });
        Hud::instance()->sureBtnTap(tag);
        QCOMPARE(sure, 1);
        QVERIFY(hudOf(tag).isEmpty());
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestHud)
#include "tst_Hud.moc"
