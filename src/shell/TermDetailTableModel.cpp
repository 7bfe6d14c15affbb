#include "shell/TermDetailTableModel.h"

#include "core/State.h"

TermDetailTableModel::TermDetailTableModel(QObject* parent)
    : RepoDetailTableModel({&State::termRepoMap, &State::termRepoCurId, &State::termRepoSentPage, &State::termRepoDetailChange},
                           "TermDetailTableModel", parent)
{
}
