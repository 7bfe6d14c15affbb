#include "shell/TermSentRepoTableModel.h"

#include "core/Dispatch.h"
#include "core/State.h"

TermSentRepoTableModel::TermSentRepoTableModel(QObject* parent)
    : RepoListTableModel({&State::termSentRepoMap, &State::termSentRepoCurId, &State::setTermSentRepoCurId, &State::termSentRepoSearchText,
                          &State::termSentRepoListChange, &State::termSentRepoSearchTextChange, Dispatch::Ctrl_TermSent},
                         "TermSentRepoTableModel", parent)
{
}
