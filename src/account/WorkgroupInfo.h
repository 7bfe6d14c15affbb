#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

struct BillEntity;

// The workgroup records the account page shows from State's workgroupInfo, built from the
// server's replies; free of State so that each step can be checked on its own.
namespace WorkgroupInfo {

// The "type" of the user's own entry, which is not a workgroup.
inline QString myselfType()
{
    return QStringLiteral("$myself");
}

// {"id", "name", "self", "admin"} per {"user_id", "user_name"} of a "member_list".
QVariantList memberEntries(const QVariantList& memberList, const QString& myId, const QString& adminId);

// The record of a workgroup bill entity over what was already known of it: members and IPs
// are left to the workgroup query, the administrator stays as known.
QVariantMap fromBillEntity(QVariantMap known, const BillEntity& entity);

// The record after a workgroup query answered; `known` is empty for a workgroup not yet listed.
QVariantMap fromWorkgroupQuery(QVariantMap known, const QVariantMap& reply, const QString& myId);

// The record of a workgroup just created; `known` is empty for a workgroup not yet listed.
QVariantMap fromCreation(QVariantMap known, const QVariantMap& reply, const QString& myId);

// The record with the administrator role handed to adminId.
QVariantMap withAdministrator(QVariantMap record, const QString& adminId, const QString& adminName,
                              const QString& myId);

// The first workgroup in the page's list order (the map's), skipping the user's own entry;
// "" when there is none.
QString firstWorkgroup(const QVariantMap& info);

} // namespace WorkgroupInfo
