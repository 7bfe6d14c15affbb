#include "shell/RepoListTableModel.h"

#include "core/Dispatch.h"
#include "core/State.h"

#include <algorithm>

namespace {
enum Role { RepoName = 100, RepoId, Index = 120 };
}

RepoListTableModel::RepoListTableModel(const Source& source, const char* name, QObject* parent)
    : StateListModel(name, parent), source(source)
{
    connect(State::instance(), source.listChange, this, qOverload<int>(&RepoListTableModel::updateModel));
    connect(State::instance(), source.searchTextChange, this, &RepoListTableModel::searchUpdate);
}

QList<QVariantList> RepoListTableModel::rowsOf(const QVariantMap& repositories)
{
    QList<QVariantList> rows;
    for (auto it = repositories.cbegin(); it != repositories.cend(); ++it) {
        const QVariantMap entry = it.value().toMap();
        // Seconds since the epoch; a record made from an add reply has none and sorts as 0.
        rows.append({it.key(), entry.value("name").toString(), entry.value("createTime").toLongLong()});
    }
    std::stable_sort(rows.begin(), rows.end(), [](const QVariantList& a, const QVariantList& b) {
        return a.at(2).toLongLong() < b.at(2).toLongLong();
    });
    return rows;
}

void RepoListTableModel::updateModel(int start)
{
    State* state = State::instance();
    // An emptied map is applied too: the last repository deleted must disappear.
    repoList = rowsOf((state->*source.map)());
    if (!repoList.isEmpty() && (state->*source.curId)().isEmpty()) {
        const QString firstId = repoList.first().first().toString();
        (state->*source.setCurId)(firstId);
        Dispatch::instance()->run(source.controllerId, QStringLiteral("updateRepoSentences"), {firstId, true});
    }
    rebuildSearchList();
    announce(start);
}

void RepoListTableModel::searchUpdate()
{
    rebuildSearchList();
    announce(0);
}

void RepoListTableModel::rebuildSearchList()
{
    searchList.clear();
    const QString text = (State::instance()->*source.searchText)();
    if (text.isEmpty())
        return;
    for (const QVariantList& row : qAsConst(repoList)) {
        if (row.at(1).toString().contains(text, Qt::CaseSensitive))
            searchList.append(row);
    }
}

const QList<QVariantList>& RepoListTableModel::activeList() const
{
    return (State::instance()->*source.searchText)().isEmpty() ? repoList : searchList;
}

int RepoListTableModel::rowCount(const QModelIndex&) const
{
    return activeList().size();
}

QHash<int, QByteArray> RepoListTableModel::roleNames() const
{
    return {{Index, "index"}, {RepoName, "repoName"}, {RepoId, "repoId"}};
}

QVariant RepoListTableModel::rowData(int row, int role) const
{
    const QVariantList& values = activeList().at(row);
    switch (role) {
    case Index: return row;
    case RepoName: return values.at(1).toString();
    case RepoId: return values.at(0).toString();
    default: return QVariant();
    }
}
