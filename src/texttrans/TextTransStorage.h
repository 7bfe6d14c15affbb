#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>

// The full text of history entries shown clipped, in the local table "text_trans_history2".
// A cache for one run: emptied at start-up and whenever local data is dropped.
class TextTransStorage
{
public:
    static bool insert(const QString& id, const QString& text, const QString& result, const QString& source,
                       const QString& target, const QString& time);
    // Appends the row of the id, if any, as {"id", "text", "result", "source", "target", "time", "type"}.
    static void select(QList<QVariantMap>& rows, const QString& id);
    static bool clear();

    TextTransStorage() = delete;
};
