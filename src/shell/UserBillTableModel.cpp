#include "shell/UserBillTableModel.h"

#include "core/State.h"

#include <QDate>

namespace {
enum Role { CostTime = 100, CostValue };
}

UserBillTableModel::UserBillTableModel(QObject* parent) : StateListModel("UserBillTableModel", parent)
{
    connect(State::instance(), &State::userBillHistoryChange, this,
            qOverload<int>(&UserBillTableModel::updateModel));
    updateModel(0);
}

int UserBillTableModel::rowCount(const QModelIndex&) const
{
    return State::instance()->userBillHistory.size();
}

QHash<int, QByteArray> UserBillTableModel::roleNames() const
{
    return {{CostTime, "costTime"}, {CostValue, "costValue"}};
}

QVariant UserBillTableModel::rowData(int row, int role) const
{
    const QVariantMap record = State::instance()->userBillHistory.at(row).toMap();
    switch (role) {
    case CostTime: return record.value("time").toDate().toString(QStringLiteral("yyyy-MM-dd"));
    // Money reads with two decimals: 'g' turned large amounts into exponent notation.
    case CostValue: return QString::number(record.value("cost").toDouble(), 'f', 2) + tr("元");
    default: return QVariant();
    }
}
