#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QVariantList>

namespace TextTrans {

// The client-side work of one translation, kept free of network and State so that it can be
// tested and measured on its own: the two "/api/imt" bodies, the cut of the analysed text into
// sentences and gaps, and the result text joined from the translated sentences.

// The analysed text cut for "auto_translation": the sentences to send, the pieces of the source
// ("$N" for sentence N, other pieces literal with a leading "$" doubled) and the {"start", "len"}
// span of every sentence.
struct SentenceCut
{
    QJsonArray textList;
    QVariantList subs;
    QVariantList sections;
};

// The result text and the {"start", "len"} span of every translated sentence in it.
struct AssembledText
{
    QString text;
    QVariantList spans;
};

// {"fn", "session", "client_key", "user"} of the signed-in user.
QJsonObject imtHeader(const QString& fn);
// {"sentence_lib": [], "term_lib": []}; the suggestion bodies send it under a different key.
QJsonObject emptyReference();

QJsonObject textAnalysisBody(const QJsonObject& header, const QString& text, bool mergeBrokenLine);
// "text_domain" only when the domain is not empty.
QJsonObject autoTranslationBody(const QJsonObject& header, const QJsonArray& textList, const QString& sourceLang,
                                const QString& targetLang, const QString& domain);

// text is the analysed text, sentences its "sentence_list" ({"str", "start", "len"}). Text after
// the last sentence is not carried.
SentenceCut cutSentences(const QString& text, const QVariantList& sentences);

// Joins the gap pieces and the translated sentences in the order of subs; with space, sentences
// are separated by one " " unless the text so far ends in a space or a line break. A reference
// outside the translations is skipped.
AssembledText assembleResult(const QVariantList& subs, const QVariantList& translations, bool space);

} // namespace TextTrans
