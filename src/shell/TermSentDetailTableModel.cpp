#include "shell/TermSentDetailTableModel.h"

#include "core/State.h"

TermSentDetailTableModel::TermSentDetailTableModel(QObject* parent)
    : RepoDetailTableModel({&State::termSentRepoMap, &State::termSentRepoCurId, &State::termSentRepoSentPage, &State::termSentRepoDetailChange},
                           "TermSentDetailTableModel", parent)
{
}
