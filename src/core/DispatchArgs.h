#pragma once

#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

class QQuickTextDocument;

// The arguments of one Dispatch action, read by position with QVariant's own conversions.
// A position past the end of the list reads as an invalid QVariant, so a short list gives
// "", 0, false, an empty map or list, or a null document instead of reading past the end.
class DispatchArgs
{
public:
    explicit DispatchArgs(const QVariantList& list) : m_list(list) {}

    QVariant at(int position) const { return position < m_list.size() ? m_list.at(position) : QVariant(); }
    QString s(int position) const { return at(position).toString(); }
    int i(int position) const { return at(position).toInt(); }
    bool b(int position) const { return at(position).toBool(); }
    QVariantMap m(int position) const { return at(position).toMap(); }
    QStringList l(int position) const { return at(position).toStringList(); }
    // QML passes an editor's textDocument; anything else gives null.
    QQuickTextDocument* d(int position) const;

private:
    const QVariantList& m_list;
};
