#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/User.h"

#include "TestMain.h"

#include <QMetaMethod>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// Records the names of State's signals in the order they are emitted.
class SignalLog : public QObject
{
    Q_OBJECT
public:
    explicit SignalLog(State* state)
    {
        const QMetaObject* meta = state->metaObject();
        const QMetaMethod hitSlot = metaObject()->method(metaObject()->indexOfSlot("hit()"));
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            if (meta->method(i).methodType() == QMetaMethod::Signal)
                connect(state, meta->method(i), this, hitSlot);
        }
    }
    QStringList names;

public slots:
    void hit() { names << QString::fromLatin1(sender()->metaObject()->method(senderSignalIndex()).name()); }
};

static QStringList repeated(const QString& name, int times)
{
    QStringList names;
    for (int i = 0; i < times; ++i)
        names << name;
    return names;
}

class TestState : public QObject
{
    Q_OBJECT

    QTemporaryDir home;
    State* state = nullptr;

private slots:
    // Settings are read once, at construction: store two before State exists.
    void initTestCase()
    {
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        QuickStorage::instance()->setValue("copy_trans", "1");
        QuickStorage::instance()->setValue("copy_trans_cc", "0");
        state = State::instance();
    }

    void storedSwitches()
    {
        QVERIFY(state->copyTransBySelect());
        QVERIFY(!state->copyTransCCOpen());
        // Absent keys read as "", which is not "0".
        QVERIFY(state->copyTransAutoDetail());
        QVERIFY(state->copyTransAutoMergeBreak());
        QVERIFY(state->copyTransQuickOpen());
        QVERIFY(state->transAutoMergeBreak());
    }

    void userPropertiesReadLive()
    {
        User* user = User::instance();
        QSignalSpy logined(state, &State::userLoginedChange);
        QVERIFY(!state->userLogined());
        user->userName = "ana";
        user->userBalance = 12.5;
        QCOMPARE(state->property("userName").toString(), QStringLiteral("ana"));
        QCOMPARE(state->userBalance(), 12.5);
        QCOMPARE(logined.count(), 0);
        user->clear();
        QCOMPARE(state->userName(), QString());
    }

    void defaults()
    {
        QCOMPARE(state->version(), QStringLiteral("Alpha0.11.0(20240229)"));
        QCOMPARE(state->platform(), QStringLiteral("linux"));
        QCOMPARE(state->updateInfo().value("type").toString(), QStringLiteral("linux"));
        QCOMPARE(state->updateInfo().value("version").toString(), state->version());
        QCOMPARE(state->textTransLangData().keys(), (QStringList{"auto", "en", "zh"}));
        QCOMPARE(state->fileTransLangData().keys(), (QStringList{"en", "zh"}));
        QVERIFY(state->langCodeByEnName.isEmpty());
        QCOMPARE(state->windowColor().value("type").toInt(), 0);
        QCOMPARE(state->windowFontSize().value("level").toInt(), 0);
        QCOMPARE(state->windowFontSize().value("normal").toInt(), 14);
    }

    // Writing the same value twice through the QML path: setter properties emit on every
    // write, the others only on the first; read-only ones refuse the write.
    void writeRules_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<int>("emits");
        QTest::newRow("setter int") << "retcode" << QVariant(601) << 2;
        QTest::newRow("setter text") << "mainCurPage" << QVariant("fileTransPage") << 2;
        QTest::newRow("setter list") << "windowHud" << QVariant(QVariantList{1}) << 2;
        QTest::newRow("setter bool") << "textTransStreamed" << QVariant(false) << 2;
        QTest::newRow("qml text") << "quitStyle" << QVariant("hide") << 1;
        QTest::newRow("qml map") << "copyTransData" << QVariant(QVariantMap{{"state", 3}}) << 1;
        QTest::newRow("qml double") << "screenDpi" << QVariant(1.5) << 1;
        QTest::newRow("qml with native setter") << "language" << QVariant("en") << 1;
        QTest::newRow("read-only user") << "userLogined" << QVariant(true) << 0;
        QTest::newRow("read-only constant") << "platform" << QVariant("win") << 0;
    }
    void writeRules()
    {
        QFETCH(QString, property);
        QFETCH(QVariant, value);
        QFETCH(int, emits);
        const QByteArray name = property.toLatin1();
        const QVariant before = state->property(name);
        SignalLog log(state);
        state->setProperty(name, value);
        state->setProperty(name, value);
        QCOMPARE(log.names, repeated(property + "Change", emits));
        QCOMPARE(state->property(name), emits ? value : before);
        state->setProperty(name, before);
    }

    void nativeSettersAlwaysEmit()
    {
        SignalLog log(state);
        state->setLanguage(state->language());
        state->setShowUpdateWindow(state->showUpdateWindow());
        state->setRetmsg(state->retmsg());
        state->setUpdateInfo(state->updateInfo());
        state->setThemeColor(0);
        state->setThemeColor(0);
        QCOMPARE(log.names, (QStringList{"languageChange", "showUpdateWindowChange", "retmsgChange",
                                         "updateInfoChange", "windowColorChange", "windowColorChange"}));
    }

    void copyTransTriggerAndDetail()
    {
        state->copyTransDataRef()["stayOn"] = false;
        SignalLog log(state);
        state->setShowCopyTransTrigger(true);
        state->setShowCopyTransTrigger(true);
        QCOMPARE(log.names, (QStringList{"showCopyTransTriggerChange", "windowStayBottomChange"}));
        QVERIFY(state->windowStayBottom());

        // Only the stay-bottom flag still differs.
        state->windowStayBottomRef() = false;
        log.names.clear();
        state->setShowCopyTransTrigger(true);
        QCOMPARE(log.names, QStringList{"windowStayBottomChange"});

        log.names.clear();
        state->setShowCopyTransDetail(true);
        state->copyTransDataRef()["stayOn"] = true;
        state->setShowCopyTransDetail(false); // pinned: stays shown
        QVERIFY(state->showCopyTransDetail());
        state->copyTransDataRef()["stayOn"] = false;
        state->setShowCopyTransDetail(false);
        state->setShowCopyTransDetail(false);
        QVERIFY(!state->showCopyTransDetail());
        QCOMPARE(log.names, repeated("showCopyTransDetailChange", 2));
        state->setShowCopyTransTrigger(false);
    }

    void textTransSourceAndResult()
    {
        const bool trigger = state->textTransSourceTrigger();
        SignalLog log(state);
        state->setTextTransSource("hello", false);
        state->setTextTransSource("hello", false);
        const QStringList once{"textTransSourceRequestBlockChange", "textTransSourceChange",
                               "textTransSourceTriggerChange"};
        QCOMPARE(log.names, once + once);
        QCOMPARE(state->textTransSourceTrigger(), trigger);
        QCOMPARE(state->textTransSourceRequestBlock(), 2);

        log.names.clear();
        state->setProperty("textTransSourceRequestBlock", 0);
        state->setTextTransSource("again", true);
        QCOMPARE(log.names, (QStringList{"textTransSourceRequestBlockChange", "textTransSourceChange",
                                         "textTransSourceTriggerChange"}));
        QCOMPARE(state->textTransSourceRequestBlock(), 0);

        state->setProperty("textTransResultHumanModified", true);
        log.names.clear();
        state->setProperty("textTransResult", "bonjour"); // QML writes go through the setter too
        QCOMPARE(log.names, QStringList{"textTransResultChange"});
        QVERIFY(!state->textTransResultHumanModified());
    }

    void featureMapState()
    {
        SignalLog log(state);
        state->setCopyTransData(10086);
        state->setScreenshotTransData(2);
        QCOMPARE(log.names, (QStringList{"copyTransDataChange", "screenshotTransDataChange"}));
        QCOMPARE(state->copyTransData().value("state").toInt(), 10086);
        QCOMPARE(state->copyTransData().value("posi").toString(), QStringLiteral("righttop"));
        QCOMPARE(state->screenshotTransData().value("targetLang").toString(), QStringLiteral("en"));
    }

    void repoCurrentId()
    {
        QSignalSpy detail(state, &State::termRepoDetailChange);
        SignalLog log(state);
        state->setTermRepoCurId("r1");
        state->setTermRepoCurId("r1");
        QCOMPARE(log.names, (QStringList{"termRepoCurIdChange", "termRepoDetailChange"}));
        QCOMPARE(detail.takeFirst().at(0).toInt(), 0);

        log.names.clear();
        state->setProperty("termRepoCurId", "r2"); // QML: the id signal only
        QCOMPARE(log.names, QStringList{"termRepoCurIdChange"});

        log.names.clear();
        state->setTermSentRepoCurId("m1");
        QCOMPARE(log.names, (QStringList{"termSentRepoCurIdChange", "termSentRepoDetailChange"}));
    }

    void userInfoNotification()
    {
        SignalLog log(state);
        state->notifyUserInfo();
        QCOMPARE(log.names, (QStringList{"userNameChange", "userEmailChange", "userApiTokenChange", "userLogoChange"}));
    }

    void textHistory()
    {
        SignalLog log(state);
        state->addTextTransHistory({"a", "b"}, false);
        state->addTextTransHistory({"c"}, true);
        state->removeTextTransHistory(3);
        state->removeTextTransHistory(-1);
        state->removeTextTransHistory(0);
        QCOMPARE(state->textTransHistory, (QVariantList{"b", "c"}));
        QVERIFY(log.names.isEmpty());
    }

    void windowHudQueue()
    {
        state->setWindowHud({});
        SignalLog log(state);
        state->addWindowHud({{"tag", 7}, {"title", "first"}});
        state->addWindowHud({{"tag", "7"}, {"title", "second"}});
        state->removeWindowHud(7);
        state->removeWindowHud(8);
        QCOMPARE(log.names, repeated("windowHudChange", 3));
        QCOMPARE(state->windowHud().size(), 1);
        QCOMPARE(state->windowHud().first().toMap().value("title").toString(), QStringLiteral("second"));
    }

    void englishNameIndex()
    {
        state->setTextTransLangData({{"de", QVariantMap{{"enName", "German"}}}, {"zh", QVariantMap{{"enName", "Chinese"}}}});
        state->setFileTransLangData({{"zh-CN", QVariantMap{{"enName", "CHINESE"}}}});
        QCOMPARE(state->langCodeByEnName.value("german").toString(), QStringLiteral("de"));
        QCOMPARE(state->langCodeByEnName.value("chinese").toString(), QStringLiteral("zh-CN"));
        QCOMPARE(state->textTransLangData().size(), 2);
    }

    void quickTransfile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("typeValid");
        QTest::newRow("backslashes") << "C:\\Users\\me\\Report.PDF" << "Report.PDF" << "pdf" << true;
        QTest::newRow("slashes") << "/home/me/notes.md" << "notes.md" << "md" << true;
        QTest::newRow("no dot") << "/home/me/Makefile" << "Makefile" << "makefile" << false;
        QTest::newRow("trailing slash") << "/home/me/" << "" << "" << false;
        QTest::newRow("empty") << "" << "" << "" << false;
    }
    void quickTransfile()
    {
        QFETCH(QString, path);
        QSignalSpy changed(state, &State::quickTransfileDataChange);
        state->setQuickTransfileData(path);
        const QVariantMap data = state->quickTransfileData();
        QCOMPARE(changed.count(), 1);
        QCOMPARE(data.value("path").toString(), path);
        QTEST(data.value("name").toString(), "name");
        QTEST(data.value("type").toString(), "type");
        QTEST(data.value("typeValid").toBool(), "typeValid");
    }

    void repoList()
    {
        QSignalSpy list(state, &State::termRepoListChange);
        SignalLog log(state);
        state->setTermRepoList({{"a", QVariantMap{{"name", "A"}}}, {"b", QVariantMap{}}}, false);
        state->setTermRepoList({{"b", QVariantMap{{"name", "B2"}}}, {"c", QVariantMap{}}}, true);
        QCOMPARE(log.names, (QStringList{"termRepoListChange", "termRepoMapChange", "termRepoListChange",
                                         "termRepoMapChange"}));
        QCOMPARE(list.at(0).at(0).toInt(), 0);
        QCOMPARE(list.at(1).at(0).toInt(), 2);
        QCOMPARE(state->termRepoMap().keys(), (QStringList{"a", "b", "c"}));
        QCOMPARE(state->termRepoMap().value("b").toMap().value("name").toString(), QStringLiteral("B2"));
        QVERIFY(state->termSentRepoMap().isEmpty());
    }

    // The memory repositories are the same code on other members; run the page story on both.
    void repoPages_data()
    {
        QTest::addColumn<bool>("memory");
        QTest::newRow("term") << false;
        QTest::newRow("memory") << true;
    }
    void repoPages()
    {
        QFETCH(bool, memory);
        const QString prefix = memory ? "termSentRepo" : "termRepo";
        const auto setList = [&](const QVariantMap& m) {
            memory ? state->setTermSentRepoList(m, false) : state->setTermRepoList(m, false);
        };
        const auto updatePage = [&](const QString& repo, int page, const QVariantList& s, int count) {
            memory ? state->updateTermSentRepoSentences(repo, page, s, count, 1)
                   : state->updateTermRepoSentences(repo, page, s, count, 1);
        };
        const auto edit = [&](const QString& id) {
            memory ? state->updateTermSentRepoSentence("r", 0, id, "S", "T")
                   : state->updateTermRepoSentence("r", 0, id, "S", "T");
        };
        const auto remove = [&](const QString& repo, int page, const QString& id) {
            return memory ? state->removeTermSentRepoSentences(repo, page, id)
                          : state->removeTermRepoSentences(repo, page, id);
        };
        const auto entry = [&] {
            return state->property((prefix + "Map").toLatin1()).toMap().value("r").toMap();
        };
        const auto page0 = [&] { return entry().value("sentences").toMap().value("0").toList(); };

        setList({{"r", QVariantMap{{"name", "R"}, {"sentenceCount", 0}}}});
        SignalLog log(state);
        updatePage("missing", 0, {QVariantMap{{"id", 1}}}, 1);
        edit("404");
        QCOMPARE(remove("missing", 0, "1"), -1);
        QCOMPARE(remove("r", 5, "1"), -1);
        QVERIFY(log.names.isEmpty());

        updatePage("r", 0, {QVariantMap{{"id", 1}, {"source", "s1"}}, QVariantMap{{"id", 2}, {"source", "s2"}}}, 1);
        QCOMPARE(log.names, (QStringList{prefix + "DetailChange", prefix + "SentIndexChange", prefix + "MapChange"}));
        QCOMPARE(state->property((prefix + "SentIndex").toLatin1()).toInt(), 0);
        QCOMPARE(entry().value("name").toString(), QStringLiteral("R"));

        log.names.clear();
        edit("2");
        QCOMPARE(log.names, (QStringList{prefix + "MapChange", prefix + "DetailChange"}));
        QCOMPARE(page0().at(1).toMap().value("target").toString(), QStringLiteral("T"));

        QCOMPARE(remove("r", 0, "1"), 1);
        QCOMPARE(entry().value("sentenceCount").toInt(), 0);
        QCOMPARE(remove("r", 0, "2"), 0); // count stays at 0, an empty page stays stored
        QCOMPARE(entry().value("sentenceCount").toInt(), 0);
        QVERIFY(entry().value("sentences").toMap().contains("0"));

        updatePage("r", 0, {}, 0);
        QCOMPARE(state->property((prefix + "SentIndex").toLatin1()).toInt(), -1);
    }

    void removedRowIsAnnounced()
    {
        state->setTermRepoList({{"r", QVariantMap{}}}, false);
        state->updateTermRepoSentences("r", 3, {QVariantMap{{"id", "a"}}, QVariantMap{{"id", "b"}}}, 2, 1);
        QSignalSpy detail(state, &State::termRepoDetailChange);
        state->updateTermRepoSentence("r", 3, "b", "x", "y");
        QCOMPARE(state->removeTermRepoSentences("r", 3, "b"), 1);
        QCOMPARE(detail.at(0).at(0).toInt(), 1);
        QCOMPARE(detail.at(1).at(0).toInt(), 1);
    }

    void singletonGoneAfterDestruction()
    {
        delete State::instance();
        QVERIFY(!State::instance());
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestState)
#include "tst_State.moc"
