#include "core/QuickStorage.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"

#include "TestMain.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

class TestUser : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.filePath("config").toUtf8());
    }

    void init()
    {
        User* user = User::instance();
        user->saveAutoLogin(false);
        user->clear();
        user->userLoginType = 0;
    }

    void deviceIdIsCreatedOnceAndKept()
    {
        User* user = User::instance();
        const QString id = user->clientKey;
        QVERIFY2(QRegularExpression("^desktop-[0-9a-f]{32}$").match(id).hasMatch(), qPrintable(id));
        QCOMPARE(QuickStorage::instance()->getValue("uuid"), id);
        QCOMPARE(user->deviceId(), id);
        user->clientKey.clear();
        user->clear();
        QCOMPARE(user->clientKey, id);
    }

    void rememberedLoginComesBack()
    {
        User* user = signIn();
        user->saveAutoLogin(true);
        QVERIFY(user->isUserAutoLogin);
        user->setLogo("https://img.example/a.png");
        user->clear();
        user->userLoginType = 0;
        QVERIFY(user->isLoggedOut());

        QVERIFY(user->loadAutoLogin());
        QCOMPARE(user->session, QStringLiteral("s-1"));
        QCOMPARE(user->userId, QStringLiteral("42"));
        QCOMPARE(user->userName, QStringLiteral("ana, \"b\""));
        QCOMPARE(user->userLoginType, 2);
        QCOMPARE(user->userLogo, QStringLiteral("https://img.example/a.png"));
        // Signed in only once the service has confirmed the session.
        QVERIFY(user->isLoggedOut());
    }

    // A record whose check code matches but that names no session or no user signs nobody in.
    void recordWithoutSessionOrIdIsRefused_data()
    {
        QTest::addColumn<QString>("session");
        QTest::addColumn<QString>("id");
        QTest::newRow("no session") << "" << "42";
        QTest::newRow("no user id") << "s-1" << "";
    }
    void recordWithoutSessionOrIdIsRefused()
    {
        QFETCH(QString, session);
        QFETCH(QString, id);
        User* user = signIn();
        user->session = session;
        user->userId = id;
        user->saveAutoLogin(true);
        user->clear();
        QVERIFY(!user->loadAutoLogin());
        QVERIFY(user->session.isEmpty());
        QVERIFY(user->userId.isEmpty());
        QVERIFY(user->userName.isEmpty());
    }

    void tamperedRecordIsRejected_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QVariant>("value");
        QTest::newRow("session") << "s" << QVariant("s-2");
        QTest::newRow("user id") << "i" << QVariant("43");
        QTest::newRow("name") << "n" << QVariant("eve");
        QTest::newRow("time") << "t" << QVariant(1);
        QTest::newRow("login type") << "p" << QVariant(0);
        QTest::newRow("check code") << "c" << QVariant(QString(64, 'a'));
        QTest::newRow("not json") << "" << QVariant();
    }
    void tamperedRecordIsRejected()
    {
        QFETCH(QString, field);
        QFETCH(QVariant, value);
        User* user = signIn();
        user->saveAutoLogin(true);
        QString stored = QuickStorage::instance()->getValue("loginTemp");
        if (field.isEmpty()) {
            stored.chop(1);
        } else {
            QVariantMap record = mapFromStr(stored);
            QVERIFY(record.contains(field));
            record[field] = value;
            stored = mapToJson(record);
        }
        QuickStorage::instance()->setValue("loginTemp", stored);
        user->profileLoaded = true;

        QVERIFY(!user->loadAutoLogin());
        QVERIFY(user->session.isEmpty());
        QVERIFY(user->userId.isEmpty());
        QVERIFY(user->userName.isEmpty());
        QCOMPARE(user->userLoginType, 0);
        QVERIFY(user->isLoggedOut());
        QVERIFY(user->isUserAutoLogin); // the flag and the record stay as they were
        QCOMPARE(QuickStorage::instance()->getValue("loginTemp"), stored);
    }

    void avatarOfAnotherUserIsIgnored_data()
    {
        QTest::addColumn<QString>("avatar");
        QTest::addColumn<QString>("logo");
        QTest::newRow("own") << "42@_https://img.example/pic.png" << "https://img.example/pic.png";
        QTest::newRow("other user") << "41@_https://img.example/pic.png" << "";
        QTest::newRow("address with separator") << "42@_https://img.example/a@_b.png" << "";
    }
    void avatarOfAnotherUserIsIgnored()
    {
        QFETCH(QString, avatar);
        QFETCH(QString, logo);
        User* user = signIn();
        user->saveAutoLogin(true);
        QuickStorage::instance()->setValue("loginTemp_Avatar", avatar);
        user->clear();
        QVERIFY(user->loadAutoLogin());
        QCOMPARE(user->userLogo, logo);
    }

    void newSessionRefreshesTheRecord()
    {
        User* user = signIn();
        user->saveAutoLogin(true);
        const QVariantMap before = mapFromStr(QuickStorage::instance()->getValue("loginTemp"));
        user->userSessionUpdating = true;

        TimeUtil::setOffsetMSecs(3610 * 1000LL);
        user->setSessionKey("s-renewed");
        TimeUtil::setOffsetMSecs(0);

        QVERIFY(!user->userSessionUpdating);
        const QVariantMap after = mapFromStr(QuickStorage::instance()->getValue("loginTemp"));
        QCOMPARE(after.value("s").toString(), QStringLiteral("s-renewed"));
        QVERIFY(after.value("t").toUInt() >= before.value("t").toUInt() + 3610);
        QVERIFY(after.value("c") != before.value("c"));
        user->clear();
        QVERIFY(user->loadAutoLogin());
        QCOMPARE(user->session, QStringLiteral("s-renewed"));
    }

    void forgettingAndSigningOut()
    {
        User* user = signIn();
        user->saveAutoLogin(true);
        user->setLogo("pic.png");
        user->userBalance = 12.5;
        user->userSessionUpdating = true;

        user->clear();
        QVERIFY(user->isLoggedOut());
        QCOMPARE(user->userBalance, -1.0);
        QVERIFY(!user->userSessionUpdating);
        QVERIFY(user->userLogo.isEmpty());
        QCOMPARE(user->userLoginType, 2);
        QVERIFY(user->isUserAutoLogin);

        user->saveAutoLogin(false);
        QVERIFY(!user->isUserAutoLogin);
        QVERIFY(QuickStorage::instance()->getValue("loginTemp").isEmpty());
        QVERIFY(QuickStorage::instance()->getValue("loginTemp_Avatar").isEmpty());
        QVERIFY(!user->loadAutoLogin());
    }

    void logoIsRememberedOnlyWithTheLogin()
    {
        User* user = signIn();
        user->setLogo("https://img.example/pic.png");
        QCOMPARE(user->userLogo, QStringLiteral("https://img.example/pic.png"));
        QVERIFY(QuickStorage::instance()->getValue("loginTemp_Avatar").isEmpty());
    }

    // Only a web picture becomes the avatar, from the profile or from the settings entry, which
    // the record's check code does not cover; anything else leaves the letter avatar.
    void avatarIsOnlyAWebPicture_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("shown");
        QTest::newRow("http") << "http://img.example/a.png" << true;
        QTest::newRow("https, upper-case scheme") << "HTTPS://img.example/a.png" << true;
        QTest::newRow("local file") << "file:///etc/passwd" << false;
        QTest::newRow("bare path") << "/home/ana/a.png" << false;
        QTest::newRow("inline data") << "data:image/png;base64,iVBORw0KGgo=" << false;
        QTest::newRow("resource") << "qrc:/ui/assets/empty.png" << false;
        QTest::newRow("no host") << "http:///etc/passwd" << false;
        QTest::newRow("bare name") << "avatar-ann" << false;
    }
    void avatarIsOnlyAWebPicture()
    {
        QFETCH(QString, picture);
        QFETCH(bool, shown);
        User* user = signIn();
        user->saveAutoLogin(true);
        user->setLogo(picture);
        QCOMPARE(user->userLogo, shown ? picture : QString());

        QuickStorage::instance()->setValue("loginTemp_Avatar", "42@_" + picture);
        user->clear();
        QVERIFY(user->loadAutoLogin());
        QCOMPARE(user->userLogo, shown ? picture : QString());
    }

private:
    static User* signIn()
    {
        User* user = User::instance();
        user->session = QStringLiteral("s-1");
        user->userId = QStringLiteral("42");
        user->userName = QStringLiteral("ana, \"b\"");
        user->userLoginType = 2;
        user->profileLoaded = true;
        return user;
    }

    QTemporaryDir home;
};

PARLAVINE_GUILESS_TEST_MAIN(TestUser)
#include "tst_User.moc"
