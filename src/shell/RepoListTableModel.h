#pragma once

#include "shell/StateListModel.h"

#include <QList>
#include <QVariantList>
#include <QVariantMap>

class State;

// Base of the two repository list models: rows rebuilt from a State map, oldest first, and a
// filtered copy shown while the search text is not empty.
class RepoListTableModel : public StateListModel
{
    Q_OBJECT
public:
    // Where in State one kind of repository keeps its map, selection and search text.
    struct Source
    {
        const QVariantMap& (State::*map)() const;
        const QString& (State::*curId)() const;
        void (State::*setCurId)(const QString&);
        const QString& (State::*searchText)() const;
        void (State::*listChange)(int);
        void (State::*searchTextChange)();
        int controllerId;
    };

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QHash<int, QByteArray> roleNames() const override;

    // A row is (id, name, creation time), oldest first; equal times keep the map's key order.
    static QList<QVariantList> rowsOf(const QVariantMap& repositories);

public slots:
    void updateModel(int start) override;
    void searchUpdate();

protected:
    RepoListTableModel(const Source& source, const char* name, QObject* parent);
    QVariant rowData(int row, int role) const override;

private:
    const QList<QVariantList>& activeList() const;
    void rebuildSearchList();

    Source source;
    QList<QVariantList> repoList;
    QList<QVariantList> searchList;
};
