#include "account/BillEntity.h"

BillEntity BillEntity::fromMap(const QVariantMap& item)
{
    BillEntity entity;
    entity.id = item.value(QStringLiteral("id")).toString();
    entity.entityType = item.value(QStringLiteral("entity_type")).toString();
    entity.name = item.value(QStringLiteral("name")).toString();
    entity.chargeType = item.value(QStringLiteral("charge_type")).toString();
    entity.discount = item.value(QStringLiteral("discount")).toInt();
    entity.balance = item.value(QStringLiteral("balance")).toDouble();
    entity.cost = item.value(QStringLiteral("cost")).toInt();
    entity.prePayLimit = item.value(QStringLiteral("pre_pay_limit")).toInt();
    entity.postPayLimit = item.value(QStringLiteral("post_pay_limit")).toInt();
    entity.enabled = item.value(QStringLiteral("enabled")).toBool();
    entity.workgroupId = item.value(QStringLiteral("workgroup_id")).toString();
    return entity;
}
