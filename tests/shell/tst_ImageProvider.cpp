#include "shell/ImageProvider.h"

#include "TestMain.h"

#include <QtTest>

class TestImageProvider : public QObject
{
    Q_OBJECT
private slots:
    void storedPixmapsReachQml()
    {
        auto* provider = new ImageProvider;
        QCOMPARE(ImageProvider::instance(), provider);
        QPixmap red(4, 3);
        red.fill(Qt::red);
        QPixmap blue(5, 5);
        blue.fill(Qt::blue);

        provider->setPixmap("screenshot", red);
        provider->setPixmap("screenshot", blue);
        QSize size(-1, -1);
        QCOMPARE(provider->requestPixmap("screenshot", &size, QSize(1, 1)).size(), QSize(5, 5));
        QCOMPARE(size, QSize(-1, -1));
        QCOMPARE(provider->pixmap("screenshot")->size(), QSize(5, 5));

        // An empty pixmap counts as absent.
        provider->setPixmap("screenshot_clip", QPixmap());
        QVERIFY(!provider->hasPixmap("screenshot_clip"));
        QVERIFY(provider->requestPixmap("screenshot_clip", &size, QSize()).isNull());
        QCOMPARE(provider->pixmap("screenshot_clip"), nullptr);
        QVERIFY(provider->requestPixmap("unknown", &size, QSize()).isNull());

        provider->removePixmap("screenshot");
        QVERIFY(!provider->hasPixmap("screenshot"));
        delete provider;
        QCOMPARE(ImageProvider::instance(), nullptr);
    }
};

PARLAVINE_TEST_MAIN(TestImageProvider)
#include "tst_ImageProvider.moc"
