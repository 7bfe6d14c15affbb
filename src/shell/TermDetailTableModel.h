#pragma once

#include "shell/RepoDetailTableModel.h"

// The shown page of the current term repository's entries.
class TermDetailTableModel : public RepoDetailTableModel
{
    Q_OBJECT
public:
    explicit TermDetailTableModel(QObject* parent = nullptr);
};
