#pragma once

#include "shell/StateListModel.h"

// The bill records of State, one row per record.
class UserBillTableModel : public StateListModel
{
    Q_OBJECT
public:
    explicit UserBillTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    QVariant rowData(int row, int role) const override;
};
