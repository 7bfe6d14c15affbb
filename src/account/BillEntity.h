#pragma once

#include <QString>
#include <QVariantMap>

// One billing subject of the bill-entity reply: the user's own account or a workgroup.
// A missing key reads as an empty string, 0 or false.
struct BillEntity
{
    QString id;
    QString entityType; // "user", "workgroup"; other kinds are not shown
    QString name;
    QString chargeType; // "pre", "post", "month"
    int discount = 0;
    double balance = 0.0;
    int cost = 0;
    int prePayLimit = 0;
    int postPayLimit = 0;
    bool enabled = false;
    QString workgroupId;

    static BillEntity fromMap(const QVariantMap& item);
};
