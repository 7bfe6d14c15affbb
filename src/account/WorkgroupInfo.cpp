#include "account/WorkgroupInfo.h"

#include "account/BillEntity.h"

namespace WorkgroupInfo {

namespace {

QVariant nullValue()
{
    return QVariant::fromValue(nullptr);
}

QString text(const QVariantMap& map, const char* key)
{
    return map.value(QLatin1String(key)).toString();
}

} // namespace

QVariantList memberEntries(const QVariantList& memberList, const QString& myId, const QString& adminId)
{
    QVariantList entries;
    for (const QVariant& item : memberList) {
        const QVariantMap member = item.toMap();
        const QString id = text(member, "user_id");
        entries.append(QVariantMap{{QStringLiteral("id"), id},
                                   {QStringLiteral("name"), text(member, "user_name")},
                                   {QStringLiteral("self"), id == myId},
                                   {QStringLiteral("admin"), id == adminId}});
    }
    return entries;
}

QVariantMap fromBillEntity(QVariantMap known, const BillEntity& entity)
{
    known.insert(QStringLiteral("name"), entity.name);
    known.insert(QStringLiteral("id"), entity.id);
    known.insert(QStringLiteral("type"), entity.chargeType);
    known.insert(QStringLiteral("groupId"), entity.workgroupId);
    known.insert(QStringLiteral("balance"), entity.balance);
    known.insert(QStringLiteral("discount"), entity.discount);
    known.insert(QStringLiteral("prePayLimit"), entity.prePayLimit);
    known.insert(QStringLiteral("postPayLimit"), entity.postPayLimit);
    known.insert(QStringLiteral("enabled"), entity.enabled);
    known.insert(QStringLiteral("members"), nullValue());
    known.insert(QStringLiteral("ips"), nullValue());
    return known;
}

QVariantMap fromWorkgroupQuery(QVariantMap known, const QVariantMap& reply, const QString& myId)
{
    const QString adminId = text(reply, "admin_user_id");
    QVariantList ips;
    for (const QVariant& ip : reply.value(QStringLiteral("ip_list")).toList())
        ips.append(ip.toString());
    if (known.isEmpty())
        known.insert(QStringLiteral("name"), text(reply, "name"));
    known.insert(QStringLiteral("members"),
                 memberEntries(reply.value(QStringLiteral("member_list")).toList(), myId, adminId));
    known.insert(QStringLiteral("ips"), ips);
    known.insert(QStringLiteral("adminName"), text(reply, "admin_user_name"));
    known.insert(QStringLiteral("adminId"), adminId);
    known.insert(QStringLiteral("selfAdmin"), myId == adminId);
    return known;
}

QVariantMap fromCreation(QVariantMap known, const QVariantMap& reply, const QString& myId)
{
    const QString adminId = text(reply, "admin_user_id");
    const QVariantList members = memberEntries(reply.value(QStringLiteral("member_list")).toList(), myId, adminId);
    QString adminName;
    for (const QVariant& member : members) {
        if (text(member.toMap(), "id") == adminId)
            adminName = text(member.toMap(), "name");
    }
    if (known.isEmpty())
        known.insert(QStringLiteral("name"), text(reply, "name"));
    known.insert(QStringLiteral("members"), members);
    known.insert(QStringLiteral("ips"), nullValue());
    known.insert(QStringLiteral("adminName"), adminName);
    known.insert(QStringLiteral("adminId"), adminId);
    known.insert(QStringLiteral("balance"), 0.0);
    known.insert(QStringLiteral("type"), QStringLiteral("pre"));
    known.insert(QStringLiteral("selfAdmin"), myId == adminId);
    return known;
}

QVariantMap withAdministrator(QVariantMap record, const QString& adminId, const QString& adminName,
                              const QString& myId)
{
    record.insert(QStringLiteral("adminId"), adminId);
    record.insert(QStringLiteral("adminName"), adminName);
    record.insert(QStringLiteral("selfAdmin"), myId == adminId);
    QVariantList members = record.value(QStringLiteral("members")).toList();
    for (QVariant& item : members) {
        QVariantMap member = item.toMap();
        const QString id = text(member, "id");
        member.insert(QStringLiteral("self"), id == myId);
        member.insert(QStringLiteral("admin"), id == adminId);
        item = member;
    }
    record.insert(QStringLiteral("members"), members);
    return record;
}

QString firstWorkgroup(const QVariantMap& info)
{
    for (auto it = info.cbegin(); it != info.cend(); ++it) {
        if (text(it.value().toMap(), "type") != myselfType())
            return it.key();
    }
    return QString();
}

} // namespace WorkgroupInfo
