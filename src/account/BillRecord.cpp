#include "account/BillRecord.h"

BillRecord BillRecord::fromMap(const QVariantMap& item)
{
    BillRecord record;
    const int day = item.value(QStringLiteral("cost_time")).toInt();
    record.time = QDate(day / 10000, (day % 10000) / 100, day % 100);
    record.id = item.value(QStringLiteral("id")).toString();
    record.entityId = item.value(QStringLiteral("bill_entity_id")).toString();
    record.cost = item.value(QStringLiteral("cost")).toDouble();
    return record;
}

QVariantMap BillRecord::toMap() const
{
    return {{QStringLiteral("time"), time},
            {QStringLiteral("id"), id},
            {QStringLiteral("entityId"), entityId},
            {QStringLiteral("cost"), cost}};
}
