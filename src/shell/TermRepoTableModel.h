#pragma once

#include "shell/RepoListTableModel.h"

// The term repositories, oldest first, filtered by the search box.
class TermRepoTableModel : public RepoListTableModel
{
    Q_OBJECT
public:
    explicit TermRepoTableModel(QObject* parent = nullptr);
};
