#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

// The account page controller: profile, API token, e-mail, workgroups and bills.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class UserInfoCtrl : public QObject, public QEnableSharedFromThis<UserInfoCtrl>
{
    Q_OBJECT
public:
    explicit UserInfoCtrl(QObject* parent = nullptr);

    void init();
    void updateApiToken();
    void updateDefaultWorkgroup(const QString& workgroupId);
    void sendBindEmailCode(const QString& email);
    void updateEmail(const QString& email, const QString& code);
    void addWorkgroup(const QString& name);
    void rmWorkgroup(const QString& workgroupId, const QString& name);
    void addWorkgroupMem(const QString& workgroupId, const QString& userName);
    void addWorkgroupIP(const QString& workgroupId, const QString& ip);
    void rmWorkgroupMem(const QString& workgroupId, const QString& userName);
    void rmWorkgroupIP(const QString& workgroupId, const QString& ip);
    void fetchUserCostRecord(const QString& date, int page, int size);
    void updateWorkgroupAdmin(const QString& workgroupId, const QString& userName, const QString& name);
};
