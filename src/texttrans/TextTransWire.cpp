#include "texttrans/TextTransWire.h"

#include "core/User.h"

namespace TextTrans {

QJsonObject imtHeader(const QString& fn)
{
    const User* user = User::instance();
    return {{QStringLiteral("fn"), fn},
            {QStringLiteral("session"), user->session},
            {QStringLiteral("client_key"), user->clientKey},
            {QStringLiteral("user"), user->userName}};
}

QJsonObject emptyReference()
{
    return {{QStringLiteral("sentence_lib"), QJsonArray()}, {QStringLiteral("term_lib"), QJsonArray()}};
}

QJsonObject textAnalysisBody(const QJsonObject& header, const QString& text, bool mergeBrokenLine)
{
    return {{QStringLiteral("header"), header},
            {QStringLiteral("normalize"), QJsonObject{{QStringLiteral("merge_broken_line"), mergeBrokenLine}}},
            {QStringLiteral("text"), text},
            {QStringLiteral("type"), QStringLiteral("plain")}};
}

QJsonObject autoTranslationBody(const QJsonObject& header, const QJsonArray& textList, const QString& sourceLang,
                                const QString& targetLang, const QString& domain)
{
    QJsonObject body{{QStringLiteral("header"), header},
                     {QStringLiteral("model_category"), QStringLiteral("normal")},
                     {QStringLiteral("type"), QStringLiteral("plain")},
                     {QStringLiteral("reference"), emptyReference()},
                     {QStringLiteral("source"),
                      QJsonObject{{QStringLiteral("lang"), sourceLang}, {QStringLiteral("text_list"), textList}}},
                     {QStringLiteral("target"), QJsonObject{{QStringLiteral("lang"), targetLang}}}};
    if (!domain.isEmpty())
        body.insert(QStringLiteral("text_domain"), domain);
    return body;
}

namespace {

// A gap is stored with a leading "$" doubled, so that no source text reads as a sentence reference.
QString escapedGap(const QString& gap)
{
    return gap.startsWith(QLatin1Char('$')) ? QLatin1Char('$') + gap : gap;
}

} // namespace

SentenceCut cutSentences(const QString& text, const QVariantList& sentences)
{
    SentenceCut cut;
    cut.subs.reserve(sentences.size() * 2);
    cut.sections.reserve(sentences.size());
    int pos = 0;
    for (int i = 0; i < sentences.size(); ++i) {
        const QVariantMap sentence = sentences.at(i).toMap();
        const int start = sentence.value(QStringLiteral("start")).toInt();
        const int len = sentence.value(QStringLiteral("len")).toInt();
        // Overlapping sentences leave no gap between them.
        if (start > pos)
            cut.subs.append(escapedGap(text.mid(pos, start - pos)));
        cut.textList.append(sentence.value(QStringLiteral("str")).toString());
        cut.subs.append(QStringLiteral("$%1").arg(i));
        pos = start + len;
        cut.sections.append(QVariantMap{{QStringLiteral("start"), start}, {QStringLiteral("len"), len}});
    }
    return cut;
}

AssembledText assembleResult(const QVariantList& subs, const QVariantList& translations, bool space)
{
    AssembledText out;
    int pos = 0;
    for (int i = 0; i < subs.size(); ++i) {
        QString piece = subs.at(i).toString();
        const bool escaped = piece.startsWith(QLatin1String("$$"));
        if (escaped || !piece.startsWith(QLatin1Char('$'))) {
            if (escaped)
                piece.remove(0, 1);
            out.text += piece;
            pos += piece.size();
            continue;
        }
        const int n = piece.midRef(1).toInt();
        if (n < 0 || n >= translations.size())
            continue;
        const QString sentence = translations.at(n).toString();
        int start = pos;
        if (i > 0 && space && !out.text.endsWith(QLatin1Char(' ')) && !out.text.endsWith(QLatin1Char('\n'))) {
            out.text += QLatin1Char(' ');
            ++start;
        }
        out.text += sentence;
        pos = start + sentence.size();
        out.spans.append(QVariantMap{{QStringLiteral("start"), start}, {QStringLiteral("len"), sentence.size()}});
    }
    return out;
}

} // namespace TextTrans
