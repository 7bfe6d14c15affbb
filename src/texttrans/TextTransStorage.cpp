#include "texttrans/TextTransStorage.h"

#include "core/Storage.h"

namespace {

QString quoted(QString value)
{
    return value.replace(QLatin1Char('\''), QLatin1String("''"));
}

const QStringList& columns()
{
    static const QStringList names{QStringLiteral("id"),     QStringLiteral("text"),   QStringLiteral("result"),
                                   QStringLiteral("source"), QStringLiteral("target"), QStringLiteral("time"),
                                   QStringLiteral("type")};
    return names;
}

} // namespace

bool TextTransStorage::insert(const QString& id, const QString& text, const QString& result, const QString& source,
                              const QString& target, const QString& time)
{
    // One arg() pass: a "%2" inside a text is not substituted again. An id already stored keeps its
    // row and counts as stored; any other failure does not.
    return Storage::instance()->execQuery(
        QStringLiteral("insert or ignore into text_trans_history2 (id, text, result, source, target, time, type) "
                       "values('%1', '%2', '%3', '%4', '%5', '%6', '%7')")
            .arg(quoted(id), quoted(text), quoted(result), quoted(source), quoted(target), quoted(time),
                 QStringLiteral("text")));
}

void TextTransStorage::select(QList<QVariantMap>& rows, const QString& id)
{
    const auto query = Storage::instance()->execSelect(
        QStringLiteral("SELECT id, text, result, source, target, time, type FROM text_trans_history2 WHERE id = '%1'")
            .arg(quoted(id)));
    while (query->next()) {
        QVariantMap row;
        for (const QString& column : columns())
            row.insert(column, query->value(column).toString());
        rows.append(row);
    }
}

bool TextTransStorage::clear()
{
    return Storage::instance()->execQuery(QStringLiteral("DELETE FROM text_trans_history2"));
}
