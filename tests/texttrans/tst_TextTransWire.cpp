#include "texttrans/TextTransWire.h"

#include "TextTransHarness.h"

#include "TestMain.h"

#include <QtTest>

using namespace TextTrans;

namespace {

QVariantMap sentence(const QString& str, int start, int len)
{
    return {{"str", str}, {"start", start}, {"len", len}};
}

} // namespace

class TestTextTransWire : public QObject
{
    Q_OBJECT
private slots:
    void cutSentences_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantList>("sentences");
        QTest::addColumn<QStringList>("textList");
        QTest::addColumn<QVariantList>("subs");
        QTest::addColumn<QVariantList>("sections");

        QTest::newRow("gap between two sentences")
            << QString("ab cd") << QVariantList{sentence("ab", 0, 2), sentence("cd", 3, 2)} << QStringList{"ab", "cd"}
            << QVariantList{"$0", " ", "$1"} << QVariantList{span(0, 2), span(3, 2)};
        QTest::newRow("leading break kept, trailing break dropped")
            << QString("\nab\n") << QVariantList{sentence("ab", 1, 2)} << QStringList{"ab"} << QVariantList{"\n", "$0"}
            << QVariantList{span(1, 2)};
        QTest::newRow("no sentences") << QString("   ") << QVariantList{} << QStringList{} << QVariantList{} << QVariantList{};
        QTest::newRow("the sentence's str is sent, not the cut")
            << QString("x  y") << QVariantList{sentence("X", 0, 1), sentence("Y", 3, 1)} << QStringList{"X", "Y"}
            << QVariantList{"$0", "  ", "$1"} << QVariantList{span(0, 1), span(3, 1)};
    }

    void cutSentences()
    {
        QFETCH(QString, text);
        QFETCH(QVariantList, sentences);
        const SentenceCut cut = ::cutSentences(text, sentences);
        QTEST(QVariant(cut.textList.toVariantList()).toStringList(), "textList");
        QTEST(cut.subs, "subs");
        QTEST(cut.sections, "sections");
    }

    void assembleResult_data()
    {
        QTest::addColumn<QVariantList>("subs");
        QTest::addColumn<QVariantList>("translations");
        QTest::addColumn<bool>("space");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantList>("spans");

        const QVariantList two{"Sixsix", "Four"};
        QTest::newRow("line break between, spaced language")
            << QVariantList{"$0", "\n", "$1"} << two << true << QString("Sixsix\nFour") << QVariantList{span(0, 6), span(7, 4)};
        QTest::newRow("adjacent, spaced language")
            << QVariantList{"$0", "$1"} << two << true << QString("Sixsix Four") << QVariantList{span(0, 6), span(7, 4)};
        QTest::newRow("adjacent, unspaced language")
            << QVariantList{"$0", "$1"} << two << false << QString("SixsixFour") << QVariantList{span(0, 6), span(6, 4)};
        QTest::newRow("gap ending in a space adds none")
            << QVariantList{"$0", "  ", "$1"} << two << true << QString("Sixsix  Four")
            << QVariantList{span(0, 6), span(8, 4)};
        QTest::newRow("leading gap, first reference spaced after it")
            << QVariantList{"- ", "$0", "x", "$1"} << two << true << QString("- Sixsixx Four")
            << QVariantList{span(2, 6), span(10, 4)};
        QTest::newRow("reference out of range skipped")
            << QVariantList{"$0", "$5", "$-1"} << QVariantList{"One"} << true << QString("One") << QVariantList{span(0, 3)};
        QTest::newRow("not a number reads as sentence 0")
            << QVariantList{"$x"} << QVariantList{"One"} << false << QString("One") << QVariantList{span(0, 3)};
        QTest::newRow("no pieces") << QVariantList{} << two << true << QString() << QVariantList{};
        QTest::newRow("positions count UTF-16 units")
            << QVariantList{"$0", "$1"} << QVariantList{QString::fromUtf8("a😀"), "b"} << true
            << QString::fromUtf8("a😀 b") << QVariantList{span(0, 3), span(4, 1)};
    }

    void assembleResult()
    {
        QFETCH(QVariantList, subs);
        QFETCH(QVariantList, translations);
        QFETCH(bool, space);
        const AssembledText out = ::assembleResult(subs, translations, space);
        QTEST(out.text, "text");
        QTEST(out.spans, "spans");
    }

    // A gap between sentences is source text even when it looks like a sentence reference.
    void gapStartingWithDollarSurvivesCutAndAssembly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("secondStart");
        QTest::addColumn<QString>("result");

        QTest::newRow("$x and a space") << QString("A.$x B.") << 5 << QString("X.$x Y.");
        QTest::newRow("$1 and a space") << QString("A.$1 B.") << 5 << QString("X.$1 Y.");
        QTest::newRow("exactly $0") << QString("A.$0B.") << 4 << QString("X.$0Y.");
        QTest::newRow("a lone $") << QString("A.$B.") << 3 << QString("X.$Y.");
        QTest::newRow("$$ stays doubled") << QString("A.$$B.") << 4 << QString("X.$$Y.");
    }

    void gapStartingWithDollarSurvivesCutAndAssembly()
    {
        QFETCH(QString, text);
        QFETCH(int, secondStart);
        const SentenceCut cut = ::cutSentences(text, {sentence("A.", 0, 2), sentence("B.", secondStart, 2)});
        const AssembledText out = ::assembleResult(cut.subs, {"X.", "Y."}, false);
        QTEST(out.text, "result");
        const int gap = secondStart - 2;
        QCOMPARE(out.spans, (QVariantList{span(0, 2), span(2 + gap, 2)}));
    }

    void autoTranslationBodySendsDomainOnlyWhenGiven_data()
    {
        QTest::addColumn<QString>("domain");
        QTest::addColumn<bool>("sent");
        QTest::newRow("null") << QString() << false;
        QTest::newRow("empty") << QString("") << false;
        QTest::newRow("patent") << QString("patent") << true;
    }

    void autoTranslationBodySendsDomainOnlyWhenGiven()
    {
        QFETCH(QString, domain);
        QFETCH(bool, sent);
        const QJsonObject body = autoTranslationBody({}, QJsonArray{"a"}, "en", "zh", domain);
        QCOMPARE(body.contains("text_domain"), sent);
        if (sent)
            QCOMPARE(body.value("text_domain").toString(), domain);
    }
};

PARLAVINE_TEST_MAIN(TestTextTransWire)
#include "tst_TextTransWire.moc"
