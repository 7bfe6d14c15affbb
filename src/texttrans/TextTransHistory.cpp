#include "texttrans/TextTransHistory.h"

namespace TextTrans {

int nextHistoryPage(int listed)
{
    return listed / HistoryPageSize;
}

QVariantMap historyEntry(const QVariantMap& item, bool clipLong)
{
    QString text = item.value(QStringLiteral("src_text")).toString();
    QString result = item.value(QStringLiteral("tgt_text")).toString();
    bool clip = false;
    if (clipLong && text.size() > HistoryClipLength) {
        text = text.left(HistoryClipLength) + QStringLiteral("...");
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
