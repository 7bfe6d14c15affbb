// The client-side work of one translation: both request bodies built and serialised, both
// replies decoded, the analysed text cut into sentences and the result joined with its spans.
#include "texttrans/TextTransWire.h"

#include <QJsonDocument>
#include <QVariantList>

#include <benchmark/benchmark.h>

using namespace TextTrans;

namespace {

constexpr int CharsPerSentence = 100;

struct Fixture
{
    QString text;
    QByteArray analysisReply;
    QByteArray translationReply;
};

// Sentences of 99 letters and a full stop, separated by one space or a line break.
Fixture makeFixture(int chars)
{
    Fixture f;
    QJsonArray sentences;
    QJsonArray translations;
    const int count = chars / CharsPerSentence;
    for (int i = 0; i < count; ++i) {
        const QString sentence = QString(CharsPerSentence - 2, QChar('a' + i % 26)) + QLatin1Char('.');
        const int start = f.text.size();
        f.text += sentence + (i % 5 == 4 ? QLatin1Char('\n') : QLatin1Char(' '));
        sentences.append(QJsonObject{{"str", sentence}, {"start", start}, {"len", sentence.size()}});
        translations.append(QStringLiteral("[zh] ") + QString(CharsPerSentence - 10, QChar(0x4E00 + i)));
    }
    const QJsonObject header{{"ret_code", "succ"}, {"request_id", "r"}};
    f.analysisReply = QJsonDocument(QJsonObject{{"header", header},
                                                {"text", f.text},
                                                {"language", "en"},
                                                {"sentence_list", sentences}})
                          .toJson(QJsonDocument::Compact);
    f.translationReply = QJsonDocument(QJsonObject{{"header", header}, {"auto_translation", translations}})
                             .toJson(QJsonDocument::Compact);
    return f;
}

QVariantMap decode(const QByteArray& bytes)
{
    return QJsonDocument::fromJson(bytes).object().toVariantMap();
}

void BM_OneTranslation(benchmark::State& state)
{
    const Fixture f = makeFixture(int(state.range(0)));
    const QJsonObject header{{"fn", "x"}, {"session", "s"}, {"client_key", "k"}, {"user", "u"}};
    for (auto _ : state) {
        const QByteArray first =
            QJsonDocument(textAnalysisBody(header, f.text, false)).toJson(QJsonDocument::Compact);
        const QVariantMap analysed = decode(f.analysisReply);
        const SentenceCut cut = cutSentences(analysed.value("text").toString(), analysed.value("sentence_list").toList());
        const QByteArray second = QJsonDocument(autoTranslationBody(header, cut.textList, "en", "zh", QString()))
                                      .toJson(QJsonDocument::Compact);
        const QVariantMap translated = decode(f.translationReply);
        const AssembledText result = assembleResult(cut.subs, translated.value("auto_translation").toList(), false);
        benchmark::DoNotOptimize(first.size() + second.size() + result.text.size() + result.spans.size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OneTranslation)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

// The two pure steps alone, without JSON encoding and decoding.
void BM_CutAndAssemble(benchmark::State& state)
{
    const Fixture f = makeFixture(int(state.range(0)));
    const QVariantMap analysed = decode(f.analysisReply);
    const QVariantList sentences = analysed.value("sentence_list").toList();
    const QVariantList translations = decode(f.translationReply).value("auto_translation").toList();
    for (auto _ : state) {
        const SentenceCut cut = cutSentences(f.text, sentences);
        const AssembledText result = assembleResult(cut.subs, translations, true);
        benchmark::DoNotOptimize(result.text.size());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CutAndAssemble)->Arg(2000)->Arg(20000)->Unit(benchmark::kMicrosecond)->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
