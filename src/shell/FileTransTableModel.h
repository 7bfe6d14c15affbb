#pragma once

#include "shell/StateListModel.h"

// The document-translation tasks of State, one row per task.
class FileTransTableModel : public StateListModel
{
    Q_OBJECT
public:
    explicit FileTransTableModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QHash<int, QByteArray> roleNames() const override;

    static QString logoOf(const QString& fileType);

protected:
    QVariant rowData(int row, int role) const override;

private:
    QString languageName(const QString& code) const;

    // The language-name key is chosen once: a language change restarts the program.
    bool chineseUi;
};
