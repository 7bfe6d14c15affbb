#pragma once

#include "shell/StateListModel.h"

// The text-translation history of State, one row per entry.
class TextTransTableModel : public StateListModel
{
    Q_OBJECT
public:
    explicit TextTransTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QHash<int, QByteArray> roleNames() const override;

protected:
    QVariant rowData(int row, int role) const override;

private:
    static QString switchPairText(const QString& sourceCode, const QString& sourceName, const QString& targetCode,
                                  const QString& targetName);
};
