#pragma once

#include <QString>
#include <QVariantMap>

namespace TextTrans {

// The history list's arithmetic and entries, free of network and State.

constexpr int HistoryPageSize = 20;
constexpr int HistoryClipLength = 128;
const QString HistoryEndId = QStringLiteral("$end");

// The page that continues a list of `listed` entries. Rounded down: a partly listed page is asked
// again (its listed entries are skipped) rather than passed over.
int nextHistoryPage(int listed);

// A source text over the clip length as the list shows it: cut, and "..." added.
QString clippedHistoryText(const QString& text);

// The list entry of one server item {"id", "src_lang", "tgt_lang", "src_text", "tgt_text", "type"}.
// With clipLong, a source text over the clip length is cut (and "..." added) and the result
// dropped, and a result over it is dropped: "clip" tells that the full text is kept elsewhere.
// "cloud" starts false.
QVariantMap historyEntry(const QVariantMap& item, bool clipLong);

} // namespace TextTrans
