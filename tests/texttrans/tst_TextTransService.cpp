#include "texttrans/TextTransService.h"

#include "core/SimpleStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/Util.h"

#include "TextTransHarness.h"

#include "TestMain.h"

#include <QtTest>

namespace {

const QString SupportLangRoute = StandinRoute::imtKey("support_lang");

// What one call delivered; a second delivery shows in calls.
struct Delivery
{
    int calls = 0;
    bool ok = false;
    QVariantMap data;
};

ServiceCallback into(const QSharedPointer<Delivery>& delivery)
{
    return [delivery](bool ok, const QVariantMap& data) {
        ++delivery->calls;
        delivery->ok = ok;
        delivery->data = data;
    };
}

QVariant path(const QVariantMap& table, const QStringList& keys)
{
    QVariant value = table;
    for (const QString& key : keys)
        value = value.toMap().value(key);
    return value;
}

QStringList codes(const QVariant& list)
{
    QStringList out;
    for (const QVariant& entry : list.toList())
        out.append(entry.toMap().value("code").toString());
    return out;
}

} // namespace

class TestTextTransService : public QObject
{
    Q_OBJECT
private:
    TextTransHarness harness;
    QSharedPointer<TextTransService> service;

    // A table of the stand-in's default, stamped `age` seconds ago.
    void storeCache(qint64 age, int version)
    {
        QVariantMap table = TextTransService::parseSupportLang(Fixtures::json("texttrans/support_lang.json").toVariantMap());
        table.insert("$time", quint32(TimeUtil::currentTimestamp() - age));
        table.insert("$version", version);
        QVERIFY(SimpleStorage::instance()->set(TextTransService::SupportLangCacheKey, mapToJson(table)));
    }

    QSharedPointer<Delivery> fetchSupportLang(bool force)
    {
        const auto delivery = QSharedPointer<Delivery>::create();
        service->supportLang(into(delivery), force);
        [&] { QTRY_COMPARE_WITH_TIMEOUT(delivery->calls, 1, 5000); }();
        return delivery;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(harness.setUp());
        service = QSharedPointer<TextTransService>::create();
    }

    void init()
    {
        // Far from a second boundary, so an age written here is the age read back.
        const qint64 ms = TimeUtil::currentMSecsSinceEpoch() - TimeUtil::offsetMSecs();
        TimeUtil::setOffsetMSecs(1100 - ms % 1000);
        SimpleStorage::instance()->remove(TextTransService::SupportLangCacheKey);
    }

    void cleanup()
    {
        QCOMPARE(harness.server.takeViolations(), QStringList());
        harness.server.reset();
        TimeUtil::setOffsetMSecs(0);
    }

    void parseSupportLang_data()
    {
        QTest::addColumn<QStringList>("keys");
        QTest::addColumn<QVariant>("expected");

        QTest::newRow("preferred sources by rank") << QStringList{"zh", "prio"} << QVariant(3);
        QTest::newRow("second preferred") << QStringList{"en", "prio"} << QVariant(2);
        QTest::newRow("third preferred") << QStringList{"fr", "prio"} << QVariant(1);
        QTest::newRow("others -1") << QStringList{"ja", "prio"} << QVariant(-1);
        QTest::newRow("first occurrence names it") << QStringList{"zh", "name"} << QVariant("中文");
        QTest::newRow("first occurrence spaces it") << QStringList{"zh", "space"} << QVariant(false);
        QTest::newRow("English name capitalised") << QStringList{"ja", "enName"} << QVariant("Japanese");
        QTest::newRow("empty English name") << QStringList{"fr", "enName"} << QVariant("");
        QTest::newRow("group from pinyin") << QStringList{"en", "group"} << QVariant("y");
        QTest::newRow("group keeps case") << QStringList{"de", "group"} << QVariant("D");
        QTest::newRow("group keeps digits") << QStringList{"ko", "group"} << QVariant("7");
        QTest::newRow("no pinyin groups under #") << QStringList{"fr", "group"} << QVariant("#");
        QTest::newRow("targets in reply order") << QStringList{"zh", "target"} << QVariant(QVariantList{"en", "ja", "de"});
        QTest::newRow("preferred targets") << QStringList{"zh", "targetPrf"} << QVariant(QVariantList{"en", "de"});
        QTest::newRow("second pair of a source wins") << QStringList{"en", "target"} << QVariant(QVariantList{"ja"});
        QTest::newRow("second pair, no preferred") << QStringList{"en", "targetPrf"} << QVariant(QVariantList{});
        QTest::newRow("feature renamed") << QStringList{"zh", "support", "en", "trans"} << QVariant(true);
        QTest::newRow("false feature") << QStringList{"zh", "support", "en", "sug_dynamic"} << QVariant(false);
        QTest::newRow("unknown feature keeps its name")
            << QStringList{"zh", "support", "en", "future_feature"} << QVariant(true);
        QTest::newRow("file feature") << QStringList{"zh", "support", "de", "trans_file"} << QVariant(true);
        QTest::newRow("block feature") << QStringList{"zh", "support", "de", "trans_block"} << QVariant(true);
        QTest::newRow("document feature") << QStringList{"zh", "support", "de", "trans_doc"} << QVariant(false);
        QTest::newRow("static feature") << QStringList{"zh", "support", "de", "sug_static"} << QVariant(false);
        QTest::newRow("selection feature") << QStringList{"zh", "support", "de", "sug_select"} << QVariant(true);
        QTest::newRow("domain names") << QStringList{"zh", "domain", "en"}
                                      << QVariant(QVariantList{
                                             QVariantMap{{"code", "b"}, {"name", "乙"}, {"enName", "Beta"}},
                                             QVariantMap{{"code", "a"}, {"name", "甲"}, {"enName", "Alpha"}},
                                             QVariantMap{{"code", "c"}, {"name", "丙"}, {"enName", "Gamma"}}});
    }

    void parseSupportLang()
    {
        QFETCH(QStringList, keys);
        QFETCH(QVariant, expected);
        const LangTable table = TextTransService::parseSupportLang(Fixtures::json("texttrans/support_lang.json").toVariantMap());
        QCOMPARE(path(table, keys), expected);
    }

    void parseSupportLangLeavesPlainTargetsAndEmptySourcesBare()
    {
        const LangTable table = TextTransService::parseSupportLang(Fixtures::json("texttrans/support_lang.json").toVariantMap());
        QCOMPARE(table.keys(), (QStringList{"de", "en", "fr", "ja", "ko", "zh"}));
        for (const QString code : {"ja", "ko", "fr"}) {
            const QVariantMap entry = table.value(code).toMap();
            QVERIFY2(entry.value("target").isNull() && entry.value("targetPrf").isNull(), qPrintable(code));
            QVERIFY2(!entry.contains("support") && !entry.contains("domain"), qPrintable(code));
        }
        QCOMPARE(codes(path(table, {"zh", "domain", "en"})), (QStringList{"b", "a", "c"}));
        QVERIFY(!path(table, {"zh", "domain"}).toMap().contains("ja"));
        QVERIFY(TextTransService::parseSupportLang({}).isEmpty());
    }

    void languageTableIsFetchedOnceADay()
    {
        const auto fresh = fetchSupportLang(false);
        QVERIFY(fresh->ok);
        QVERIFY(fresh->data.size() > 3);
        QVERIFY(!fresh->data.contains("$time") && !fresh->data.contains("$version"));
        QCOMPARE(harness.server.requestCount(SupportLangRoute), 1);
        QCOMPARE(harness.server.requests(SupportLangRoute).first().body.value("header").toObject(),
                 (QJsonObject{{"fn", "support_lang"}}));

        const auto cached = fetchSupportLang(false);
        QCOMPARE(harness.server.requestCount(SupportLangRoute), 1);
        QVERIFY(cached->ok);
        QCOMPARE(mapToJson(cached->data), mapToJson(fresh->data));

        TimeUtil::setOffsetMSecs(TimeUtil::offsetMSecs() + 86401 * 1000LL);
        fetchSupportLang(false);
        QCOMPARE(harness.server.requestCount(SupportLangRoute), 2);

        QVERIFY(SimpleStorage::instance()->remove(TextTransService::SupportLangCacheKey));
        fetchSupportLang(false);
        QCOMPARE(harness.server.requestCount(SupportLangRoute), 3);
    }

    void cacheAgeAndVersion_data()
    {
        QTest::addColumn<qint64>("age");
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("force");
        QTest::addColumn<bool>("requested");
        QTest::newRow("a day old is used") << qint64(86400) << 20231018 << false << false;
        QTest::newRow("a second older is fetched") << qint64(86401) << 20231018 << false << true;
        QTest::newRow("stamped in the future") << qint64(-5) << 20231018 << false << true;
        QTest::newRow("another version") << qint64(0) << 20231017 << false << true;
        QTest::newRow("forced") << qint64(0) << 20231018 << true << true;
    }

    void cacheAgeAndVersion()
    {
        QFETCH(qint64, age);
        QFETCH(int, version);
        QFETCH(bool, force);
        QFETCH(bool, requested);
        storeCache(age, version);
        const auto delivery = fetchSupportLang(force);
        QVERIFY(delivery->ok);
        QCOMPARE(harness.server.requestCount(SupportLangRoute), requested ? 1 : 0);
        // A fetched table replaces the record, stamped now; a used one stays as it was.
        const QVariantMap stored =
            mapFromStr(SimpleStorage::instance()->get(TextTransService::SupportLangCacheKey).toString());
        QCOMPARE(stored.value("$version").toInt(), 20231018);
        QCOMPARE(stored.value("$time").toUInt(), quint32(TimeUtil::currentTimestamp() - (requested ? 0 : age)));
        QCOMPARE(delivery->data.contains("ja"), true);
    }

    void failedFetchKeepsTheRecordAndDeliversTheReply()
    {
        storeCache(10, 20231018);
        const QString before = SimpleStorage::instance()->get(TextTransService::SupportLangCacheKey).toString();
        for (int i = 0; i < 3; ++i) // every try
            harness.server.script(SupportLangRoute, StandinReply::failure("fail", "down"));
        const auto delivery = fetchSupportLang(true);
        QVERIFY(!delivery->ok);
        QCOMPARE(delivery->data.value("header").toMap().value("ret_code").toString(), QString("fail"));
        QCOMPARE(SimpleStorage::instance()->get(TextTransService::SupportLangCacheKey).toString(), before);
    }

    // A suggestion has its own slot: asking for one while a translation runs leaves it running.
    void suggestionLeavesTheTranslationRunning()
    {
        harness.server.script(StandinRoute::imtKey("text_analysis"), StandinReply::byDefault().after(300));
        const auto translated = QSharedPointer<Delivery>::create();
        const auto suggested = QSharedPointer<Delivery>::create();
        service->translation("Hello.", "en", "zh", QString(), into(translated), false, false, 1);
        service->staticSuggest("Hello.", "en", "zh", into(suggested));
        QTRY_COMPARE_WITH_TIMEOUT(translated->calls, 1, 5000);
        QVERIFY(translated->ok);
        QCOMPARE(translated->data.value("auto_translation").toList(), QVariantList{"[zh] 你好."});
        QCOMPARE(suggested->calls, 1);
        QVERIFY(suggested->ok);
    }

    void newerTranslationCancelsTheOlder()
    {
        const QString analysis = StandinRoute::imtKey("text_analysis");
        harness.server.script(analysis, StandinReply::byDefault().after(300));
        const auto older = QSharedPointer<Delivery>::create();
        const auto newer = QSharedPointer<Delivery>::create();
        service->translation("Hello.", "en", "zh", QString(), into(older), false, false, 1);
        QTRY_COMPARE_WITH_TIMEOUT(harness.server.requestCount(analysis), 1, 5000);
        service->translation("Thank you.", "en", "zh", QString(), into(newer), false, false, 1);
        QTRY_COMPARE_WITH_TIMEOUT(newer->calls, 1, 5000);
        QCOMPARE(newer->data.value("realSourceText").toString(), QString("Thank you."));
        // Another service's slower call ends after the older answer has come back: still silent.
        const auto other = QSharedPointer<TextTransService>::create();
        const auto marker = QSharedPointer<Delivery>::create();
        harness.server.script(analysis, StandinReply::byDefault().after(400));
        other->translation("Hello.", "en", "zh", QString(), into(marker), false, false, 1);
        QTRY_COMPARE_WITH_TIMEOUT(marker->calls, 1, 5000);
        QCOMPARE(older->calls, 0);
        QCOMPARE(harness.server.requestCount(StandinRoute::imtKey("auto_translation")), 2);
    }
};

PARLAVINE_TEST_MAIN(TestTextTransService)
#include "tst_TextTransService.moc"
