#pragma once

#include "shell/RepoListTableModel.h"

// The translation-memory repositories, oldest first, filtered by the search box.
class TermSentRepoTableModel : public RepoListTableModel
{
    Q_OBJECT
public:
    explicit TermSentRepoTableModel(QObject* parent = nullptr);
};
