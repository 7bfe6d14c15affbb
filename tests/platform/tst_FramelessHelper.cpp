#include "platform/FramelessHelper.h"

#include "TestMain.h"

#include <QtTest>

using F = FramelessHelper;

class TestFramelessHelper : public QObject
{
    Q_OBJECT
private slots:
    void hitTest_data()
    {
        // A 1000 x 700 window at (100, 50): right = 1100, bottom = 750.
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("rightInset");
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<int>("expected");
        QTest::newRow("3 px below the top edge is the top band") << QPoint(500, 53) << 1.0 << 154 << true << int(F::HitTop);
        QTest::newRow("8 px below the top edge is caption") << QPoint(500, 58) << 1.0 << 154 << true << int(F::HitCaption);
        QTest::newRow("caption bottom line") << QPoint(500, 86) << 1.0 << 154 << true << int(F::HitCaption);
        QTest::newRow("below the caption is client") << QPoint(500, 87) << 1.0 << 154 << true << int(F::HitNone);
        QTest::newRow("caption scaled by 1.5 reaches top + 54") << QPoint(500, 104) << 1.5 << 154 << true << int(F::HitCaption);
        QTest::newRow("scaled caption ends there") << QPoint(500, 105) << 1.5 << 154 << true << int(F::HitNone);
        QTest::newRow("window buttons are left to the window") << QPoint(1000, 70) << 1.0 << 154 << true << int(F::HitNone);
        QTest::newRow("caption stops at right - inset") << QPoint(946, 70) << 1.0 << 154 << true << int(F::HitCaption);
        QTest::newRow("caption covers the left band") << QPoint(100, 70) << 1.0 << 154 << true << int(F::HitCaption);
        QTest::newRow("top-left pixel is the left band") << QPoint(100, 50) << 1.0 << 154 << true << int(F::HitLeft);
        QTest::newRow("top-left corner") << QPoint(101, 51) << 1.0 << 154 << true << int(F::HitTopLeft);
        QTest::newRow("top-right corner") << QPoint(1099, 51) << 1.0 << 154 << true << int(F::HitTopRight);
        QTest::newRow("right band") << QPoint(1095, 400) << 1.0 << 154 << true << int(F::HitRight);
        QTest::newRow("left band") << QPoint(107, 400) << 1.0 << 154 << true << int(F::HitLeft);
        QTest::newRow("just inside the left band") << QPoint(108, 400) << 1.0 << 154 << true << int(F::HitNone);
        QTest::newRow("bottom band") << QPoint(500, 742) << 1.0 << 154 << true << int(F::HitBottom);
        QTest::newRow("bottom-right pixel") << QPoint(1099, 749) << 1.0 << 154 << true << int(F::HitBottomRight);
        QTest::newRow("bottom-left corner") << QPoint(100, 749) << 1.0 << 154 << true << int(F::HitBottomLeft);
        QTest::newRow("past the right edge") << QPoint(1100, 400) << 1.0 << 154 << true << int(F::HitNone);
        QTest::newRow("fixed window: no bands") << QPoint(1099, 749) << 1.0 << 50 << false << int(F::HitNone);
        QTest::newRow("fixed window: caption still drags") << QPoint(500, 60) << 1.0 << 50 << false << int(F::HitCaption);
    }

    void hitTest()
    {
        QFETCH(QPoint, point);
        QFETCH(double, scale);
        QFETCH(int, rightInset);
        QFETCH(bool, resizable);
        QFETCH(int, expected);
        const F::Frame frame = F::frameOf(QRect(100, 50, 1000, 700));
        QCOMPARE(F::hitTest(frame, point, scale, 36, rightInset, resizable), expected);
    }

    void negativeCoordinatesWorkAsAnywhere()
    {
        // A screen left of and above the primary one.
        const F::Frame frame = F::frameOf(QRect(-1500, -900, 800, 600));
        QCOMPARE(F::hitTest(frame, QPoint(-1200, -880), 1.0, 36, 154, true), int(F::HitCaption));
        QCOMPARE(F::hitTest(frame, QPoint(-701, -301), 1.0, 36, 154, true), int(F::HitBottomRight));
    }

    void resizeByHandKeepsTheMinimumSize_data()
    {
        QTest::addColumn<int>("hitCode");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<QRect>("expected");
        // From (100, 100, 400 x 300), at least 200 x 150.
        QTest::newRow("bottom-right grows") << int(F::HitBottomRight) << QPoint(50, 20) << QRect(100, 100, 450, 320);
        QTest::newRow("left edge moves the left side") << int(F::HitLeft) << QPoint(-30, 0) << QRect(70, 100, 430, 300);
        QTest::newRow("left edge stops at the minimum") << int(F::HitLeft) << QPoint(300, 0) << QRect(300, 100, 200, 300);
        QTest::newRow("top edge stops at the minimum") << int(F::HitTop) << QPoint(0, 400) << QRect(100, 250, 400, 150);
        QTest::newRow("right edge stops at the minimum") << int(F::HitRight) << QPoint(-500, 0) << QRect(100, 100, 200, 300);
    }

    void resizeByHandKeepsTheMinimumSize()
    {
        QFETCH(int, hitCode);
        QFETCH(QPoint, delta);
        QFETCH(QRect, expected);
        QCOMPARE(F::resized(QRect(100, 100, 400, 300), F::edgesOf(hitCode), delta, QSize(200, 150)), expected);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestFramelessHelper)
#include "tst_FramelessHelper.moc"
