#pragma once

#include <QDate>
#include <QString>
#include <QVariantMap>

// One row of the bill list: a cost record of the cost-record reply.
struct BillRecord
{
    QDate time; // invalid when the record carries no date
    QString id;
    QString entityId;
    double cost = 0.0;

    // From {"id", "bill_entity_id", "cost", "cost_time"}, "cost_time" an int yyyymmdd.
    static BillRecord fromMap(const QVariantMap& item);
    // {"time", "id", "entityId", "cost"}, as the bill table reads it.
    QVariantMap toMap() const;
};
