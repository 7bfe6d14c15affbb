#pragma once

#include "shell/StateListModel.h"

#include <QVariantList>
#include <QVariantMap>

class State;

// Base of the two models over the shown page of the current repository's entries.
class RepoDetailTableModel : public StateListModel
{
    Q_OBJECT
public:
    static constexpr int PageSize = 50;

    // Where in State one kind of repository keeps its map, current id and shown page.
    struct Source
    {
        const QVariantMap& (State::*map)() const;
        const QString& (State::*curId)() const;
        const int& (State::*page)() const;
        void (State::*detailChange)(int);
    };

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    RepoDetailTableModel(const Source& source, const char* name, QObject* parent);
    QVariant rowData(int row, int role) const override;

private:
    QVariantList currentPage() const;

    Source source;
};
