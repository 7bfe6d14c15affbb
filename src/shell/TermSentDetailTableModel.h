#pragma once

#include "shell/RepoDetailTableModel.h"

// The shown page of the current translation-memory repository's entries.
class TermSentDetailTableModel : public RepoDetailTableModel
{
    Q_OBJECT
public:
    explicit TermSentDetailTableModel(QObject* parent = nullptr);
};
