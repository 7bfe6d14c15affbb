#include "core/State.h"
#include "platform/FakeSystemTheme.h"
#include "shell/GlobalCtrl.h"
#include "shell/WinMsgFilter.h"

#include "TestMain.h"

#include <QtTest>

class TestWinMsgFilter : public QObject
{
    Q_OBJECT
private:
    static int questionsShown()
    {
        return State::instance()->windowHud().size();
    }

private slots:
    void initTestCase()
    {
        State::instance()->startScreenScale = 1.0;
    }

    void scaleChangeAsksOnceAndWithdrawsOnReturn()
    {
        State* state = State::instance();
        WinMsgFilter filter;
        filter.onScaleChanged(1.5);
        QCOMPARE(state->screenDpi(), 1.5);
        QCOMPARE(questionsShown(), 1);
        filter.onScaleChanged(2.0);
        QCOMPARE(questionsShown(), 1);
        filter.onScaleChanged(1.0);
        QCOMPARE(questionsShown(), 0);
        QCOMPARE(filter.pendingScaleQuestion(), -1);

        // A cancelled question is asked again on the next change.
        filter.onScaleChanged(1.5);
        QCOMPARE(questionsShown(), 1);
        emit state->windowHudCancelTap(filter.pendingScaleQuestion());
        QCOMPARE(filter.pendingScaleQuestion(), -1);
        QCOMPARE(questionsShown(), 0);
        filter.onScaleChanged(1.0);
    }

    void copyTranslatePopupIgnoresScaleChanges()
    {
        State* state = State::instance();
        WinMsgFilter filter;
        state->setShowCopyTransTrigger(true);
        filter.onScaleChanged(1.5);
        QCOMPARE(state->screenDpi(), 1.0);
        QCOMPARE(questionsShown(), 0);
        state->setShowCopyTransTrigger(false);
    }

    void desktopThemeIsFollowedOnlyInModeZero()
    {
        State* state = State::instance();
        FakeSystemTheme desktop(false);
        GlobalCtrl::instance()->setSystemTheme(&desktop);
        WinMsgFilter filter;
        filter.install();

        GlobalCtrl::instance()->setAppColorThemeMode(1);
        desktop.setPrefersDark(true);
        QCOMPARE(state->windowColor().value("type").toInt(), 0);

        GlobalCtrl::instance()->setAppColorThemeMode(0);
        QCOMPARE(state->windowColor().value("type").toInt(), 1);
        desktop.setPrefersDark(false);
        QCOMPARE(state->windowColor().value("type").toInt(), 0);
        GlobalCtrl::instance()->setSystemTheme(nullptr);
    }
};

PARLAVINE_TEST_MAIN(TestWinMsgFilter)
#include "tst_WinMsgFilter.moc"
