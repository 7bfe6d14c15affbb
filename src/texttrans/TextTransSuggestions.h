#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

namespace TextTrans {

// The suggestion replies turned into what the page shows, free of network and State.

// "87.65%" for 0.8765: the score in hundredths of a percent, rounded, in single precision.
QString ratioText(double score);

// {"ratio", "source", "trans", "ratioStr", "repoStr"} from one "sentence_example_list" item; the
// last three come from its first translation and are empty when it has none.
QVariantMap sentenceSuggestion(const QVariantMap& item);
// {"ratio", "source", "trans"} from one "term_list" item; "trans" is its whole "trans_list".
QVariantMap termSuggestion(const QVariantMap& item);
// {"text", "target", "replace"} from each "ime_suggestion" item; "replace" is "ext_str" when
// present, else "text".
QVariantList imeCandidates(const QVariantList& items);
// The non-empty "text" of each "segment_suggestion" item.
QStringList selectionTexts(const QVariantList& items);

// The typed text as it is sent: for an English target typed up to the caret, without a trailing
// space, the server expects the space already there.
struct TypedText
{
    QString text;
    int editingPosition = 0;
    int caret = 0;
    bool spaceAdded = false;
};
TypedText typedForSuggestion(const QString& targetLang, const QString& typed, int editingPosition, int caret);

// The suggested sentence as rich text: "prefix" and "suggestion" segments ({"type", "start_pos",
// "len"}) marked up, every piece HTML-escaped so that server text never becomes markup.
QString suggestionMarkup(const QString& sentence, const QVariantList& segments);

// The typed text followed by the first "segment_suggestion" text; when a space was added for the
// request and the sentence has one at the caret, the space comes first.
QString suggestionTip(const QString& typed, const QVariantList& segments, bool spaceAdded, const QString& sentence,
                      int caret);

} // namespace TextTrans
