#include "shell/RepoDetailTableModel.h"

#include "core/State.h"

namespace {
enum Role { SourceText = 100, TargetText, SentId, SentIndex = 120 };
}

RepoDetailTableModel::RepoDetailTableModel(const Source& source, const char* name, QObject* parent)
    : StateListModel(name, parent), source(source)
{
    connect(State::instance(), source.detailChange, this, qOverload<int>(&RepoDetailTableModel::updateModel));
}

QVariantList RepoDetailTableModel::currentPage() const
{
    const State* state = State::instance();
    const QVariantMap& repositories = (state->*source.map)();
    const auto repo = repositories.constFind((state->*source.curId)());
    if (repo == repositories.constEnd())
        return QVariantList();
    const QVariantMap sentences = repo->toMap().value("sentences").toMap();
    return sentences.value(QString::number((state->*source.page)())).toList();
}

int RepoDetailTableModel::rowCount(const QModelIndex&) const
{
    return currentPage().size();
}

QHash<int, QByteArray> RepoDetailTableModel::roleNames() const
{
    return {{SentIndex, "sentIndex"}, {SentId, "sentId"}, {SourceText, "sourceText"}, {TargetText, "targetText"}};
}

QVariant RepoDetailTableModel::rowData(int row, int role) const
{
    const QVariantMap sentence = currentPage().at(row).toMap();
    switch (role) {
    case SentIndex: return (State::instance()->*source.page)() * PageSize + row;
    case SentId: return sentence.value("id").toString();
    case SourceText: return sentence.value("source").toString();
    case TargetText: return sentence.value("target").toString();
    default: return QVariant();
    }
}
