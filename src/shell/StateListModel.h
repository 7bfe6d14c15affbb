#pragma once

#include <QAbstractTableModel>
#include <QString>

// Base of the QML table models over State's lists: one column, and a notification that makes
// views re-read every row, carrying the first row that changed.
class StateListModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

public slots:
    virtual void updateModel(int start);
    void updateModel();

protected:
    // name is the QML type name, for the log lines of creation and deletion.
    StateListModel(const char* name, QObject* parent);
    ~StateListModel() override;

    // Called for a valid row below rowCount(); an invalid QVariant for a role not in the table.
    virtual QVariant rowData(int row, int role) const = 0;
    void announce(int start);

private:
    const char* name;
};
