#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <functional>

class UserService;

// The account page controller: profile, API token, e-mail, workgroups and bills.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class UserInfoCtrl : public QObject, public QEnableSharedFromThis<UserInfoCtrl>
{
    Q_OBJECT
public:
    explicit UserInfoCtrl(QObject* parent = nullptr);
    ~UserInfoCtrl() override;

    void init();
    // Loads the profile into User and State. On failure the code is the reply's "status" (401:
    // the session is no longer valid), else its "errorCode", else 999. Runs even when this
    // controller is gone by then.
    void fetchUserInfo(std::function<void(bool ok, int code)> done);
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

private:
    QSharedPointer<UserService> userService;
};
