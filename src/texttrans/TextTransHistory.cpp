#include "texttrans/TextTransHistory.h"

namespace TextTrans {

int nextHistoryPage(int listed)
{
    return listed / HistoryPageSize;
}

QString clippedHistoryText(const QString& text)
{
    // Never half a surrogate pair: the cut would show as a broken character.
    const int length = text.at(HistoryClipLength - 1).isHighSurrogate() ? HistoryClipLength - 1 : HistoryClipLength;
    return text.left(length) + QStringLiteral("...");
}

QVariantMap historyEntry(const QVariantMap& item, bool clipLong)
{
    QString text = item.value(QStringLiteral("src_text")).toString();
    QString result = item.value(QStringLiteral("tgt_text")).toString();
    bool clip = false;
    if (clipLong && text.size() > HistoryClipLength) {
        text = clippedHistoryText(text);
        result.clear();
        clip = true;
    }
    if (clipLong && result.size() > HistoryClipLength) {
        result.clear();
        clip = true;
    }
    return {{QStringLiteral("id"), item.value(QStringLiteral("id")).toString()},
            {QStringLiteral("sourceLang"), item.value(QStringLiteral("src_lang"))},
            {QStringLiteral("targetLang"), item.value(QStringLiteral("tgt_lang"))},
            {QStringLiteral("text"), text},
            {QStringLiteral("result"), result},
            {QStringLiteral("cloud"), false},
            {QStringLiteral("clip"), clip},
            {QStringLiteral("type"), item.value(QStringLiteral("type")).toString()}};
}

} // namespace TextTrans
