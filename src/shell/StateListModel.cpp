#include "shell/StateListModel.h"

#include "core/Log.h"

StateListModel::StateListModel(const char* name, QObject* parent) : QAbstractTableModel(parent), name(name)
{
    log(QString::fromLatin1(name) + QStringLiteral(" init"));
}

StateListModel::~StateListModel()
{
    log(QString::fromLatin1(name) + QStringLiteral(" delete"));
}

int StateListModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant StateListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return QVariant();
    return rowData(index.row(), role);
}

void StateListModel::updateModel(int start)
{
    announce(start);
}

void StateListModel::updateModel()
{
    updateModel(0);
}

void StateListModel::announce(int start)
{
    // Without a layout hint QML views drop what they hold and read every row again.
    emit layoutChanged({QPersistentModelIndex(index(start, 0))}, QAbstractItemModel::NoLayoutChangeHint);
}
