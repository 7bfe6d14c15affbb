#include "shell/TermRepoTableModel.h"

#include "core/Dispatch.h"
#include "core/State.h"

TermRepoTableModel::TermRepoTableModel(QObject* parent)
    : RepoListTableModel({&State::termRepoMap, &State::termRepoCurId, &State::setTermRepoCurId, &State::termRepoSearchText,
                          &State::termRepoListChange, &State::termRepoSearchTextChange, Dispatch::Ctrl_Term},
                         "TermRepoTableModel", parent)
{
}
