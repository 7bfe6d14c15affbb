#include "TestMain.h"
#include "core/WindowGeometry.h"

class TestWindowGeometry : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowSize_data()
    {
        QTest::addColumn<int>("availWidth");
        QTest::addColumn<int>("availHeight");
        QTest::addColumn<double>("dpiScale");
        QTest::addColumn<double>("widthScale");
        QTest::addColumn<double>("heightScale");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("size");

        QTest::newRow("full HD") << 1920 << 1040 << 1.0 << 1.0 << 1.0 << QSize(1000, 600) << QSize(1152, 768);
        // Factors cut to multiples of 1/200; the minimum wins over the preferred size.
        QTest::newRow("small laptop") << 1366 << 728 << 1.0 << 0.85 << 0.805 << QSize(964, 561) << QSize(964, 561);
        QTest::newRow("dense wide") << 2560 << 1400 << 1.5 << 1.0 / 1.5 << 1.0 / 1.5 << QSize(920, 533)
                                    << QSize(1200, 800);
        // 1.25 is not above the threshold: no dpi shrink, but the 0.8 factor is gone.
        QTest::newRow("scale 1.25") << 1536 << 824 << 1.25 << 0.96 << 0.915 << QSize(990, 583) << QSize(1152, 768);
        // Ultra-wide: the width-derived height reaches the work area, so the height rules.
        QTest::newRow("ultra-wide") << 2560 << 1000 << 1.0 << 1.0 << 1.0 << QSize(1000, 600) << QSize(1000, 640);
        // The minimum width is bounded by the work area, the minimum height is not.
        QTest::newRow("narrower than the minimum") << 800 << 1000 << 1.0 << 0.5 << 1.0 << QSize(720, 600)
                                                   << QSize(720, 600);
        QTest::newRow("lower than the minimum") << 1600 << 500 << 1.0 << 1.0 << 0.555 << QSize(1000, 511)
                                                << QSize(1000, 511);
    }

    void mainWindowSize()
    {
        QFETCH(int, availWidth);
        QFETCH(int, availHeight);
        QFETCH(double, dpiScale);
        QFETCH(double, widthScale);
        QFETCH(double, heightScale);
        QFETCH(QSize, minimum);
        QFETCH(QSize, size);

        const MainWindowGeometry g = WindowGeometry::mainWindowSize(availWidth, availHeight, dpiScale);
        QCOMPARE(g.widthScale, widthScale);
        QCOMPARE(g.heightScale, heightScale);
        QCOMPARE(QSize(g.minWidth, g.minHeight), minimum);
        QCOMPARE(QSize(g.width, g.height), size);
    }

    void restoredSize_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("dpiScale");
        QTest::addColumn<QSize>("size");

        const QSize computed(1152, 768);
        QTest::newRow("narrower: stored wins") << "1920|1040|1|1000|900" << 1.0 << QSize(1000, 900);
        QTest::newRow("lower: stored wins") << "1920|1040|1|1300|700" << 1.0 << QSize(1300, 700);
        QTest::newRow("not smaller: computed") << "1920|1040|1|1300|900" << 1.0 << computed;
        QTest::newRow("equal: computed") << "1920|1040|1|1152|768" << 1.0 << computed;
        QTest::newRow("other work area") << "1920|1080|1|1000|700" << 1.0 << computed;
        QTest::newRow("scale 1.25 matches") << "1920|1040|1.25|1000|700" << 1.25 << QSize(1000, 700);
        QTest::newRow("scale 2 matches") << "1920|1040|2|1000|700" << 2.0 << QSize(1000, 700);
        // Stored with six significant digits, compared with a tolerance.
        QTest::newRow("scale 128/96 matches") << "1920|1040|1.33333|1000|700" << 128.0 / 96.0 << QSize(1000, 700);
        QTest::newRow("scale 1.75 matches") << "1920|1040|1.75|1000|700" << 1.75 << QSize(1000, 700);
        QTest::newRow("other scale") << "1920|1040|1.5|1000|700" << 1.25 << computed;
        QTest::newRow("zero width") << "1920|1040|1|0|700" << 1.0 << computed;
        QTest::newRow("negative height") << "1920|1040|1|1000|-5" << 1.0 << computed;
        QTest::newRow("wider than the screen") << "1920|1040|1|1921|700" << 1.0 << computed;
        QTest::newRow("taller than the screen") << "1920|1040|1|1000|1041" << 1.0 << computed;
        QTest::newRow("screen-sized fits") << "1920|1040|1|1920|700" << 1.0 << QSize(1920, 700);
        QTest::newRow("four parts") << "1920|1040|1|1000" << 1.0 << computed;
        QTest::newRow("six parts") << "1920|1040|1|1000|700|" << 1.0 << computed;
        QTest::newRow("empty") << "" << 1.0 << computed;
        QTest::newRow("size not a number") << "1920|1040|1|wide|700" << 1.0 << computed;
    }

    void restoredSize()
    {
        QFETCH(QString, stored);
        QFETCH(double, dpiScale);
        QFETCH(QSize, size);
        QCOMPARE(WindowGeometry::restoredSize(stored, 1920, 1040, dpiScale, QSize(1152, 768)), size);
    }

    void centredOriginOnAnOffsetWorkArea()
    {
        // A panel on the left and on top moves the work area; odd leftovers truncate toward zero,
        // also when the window is larger than the work area.
        QCOMPARE(WindowGeometry::centredOrigin(QRect(64, 27, 1856, 1053), QSize(1152, 768)), QPoint(416, 169));
        QCOMPARE(WindowGeometry::centredOrigin(QRect(0, 0, 800, 600), QSize(1001, 601)), QPoint(-100, 0));
    }

    void dpiScaleIncludesThePixelRatio()
    {
        QCOMPARE(WindowGeometry::dpiScale(96.0, 1.0), 1.0);
        QCOMPARE(WindowGeometry::dpiScale(144.0, 1.0), 1.5);
        QCOMPARE(WindowGeometry::dpiScale(96.0, 2.0), 2.0);
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestWindowGeometry)
#include "tst_WindowGeometry.moc"
