#pragma once

#include "network/RequestService.h"

#include <QEnableSharedFromThis>
#include <QObject>
#include <QSharedPointer>
#include <QString>

#include <functional>

class UserService;

// The account page controller: profile, API token, e-mail, bills and workgroups.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class UserInfoCtrl : public QObject, public QEnableSharedFromThis<UserInfoCtrl>
{
    Q_OBJECT
public:
    explicit UserInfoCtrl(QObject* parent = nullptr);
    ~UserInfoCtrl() override;

    // Profile, bill entities, API token and default workgroup, then the page view.
    void init();
    // Loads the profile into User and State. On failure the code is the reply's "status" (401:
    // the session is no longer valid), else its "errorCode", else 999. Runs even when this
    // controller is gone by then. A reply that comes after another login took the place of the
    // one it was sent for changes nothing and reaches no callback.
    void fetchUserInfo(std::function<void(bool ok, int code)> done);
    // done gets the stored token; (false, "") when nobody is signed in or the call failed.
    void fetchToken(std::function<void(bool ok, const QString& token)> done);
    void addToken();
    void fetchBillEntities();
    void fetchUserWorkgroup();
    // Loads one workgroup's members, IPs and administrator; an empty id sends nothing.
    void fetchWorkgroupInfo(const QString& workgroupId);
    // The page shows another workgroup: it becomes current and is loaded.
    void selectWorkgroup(const QString& workgroupId);

    void updateApiToken();
    void updateDefaultWorkgroup(const QString& workgroupId);
    void sendBindEmailCode(const QString& email);
    void updateEmail(const QString& email, const QString& verifyCode);
    void addWorkgroup(const QString& name);
    void rmWorkgroup(const QString& workgroupId, const QString& name);
    void addWorkgroupMem(const QString& workgroupId, const QString& userName);
    void addWorkgroupIP(const QString& workgroupId, const QString& ip);
    void rmWorkgroupMem(const QString& workgroupId, const QString& userName);
    void rmWorkgroupIP(const QString& workgroupId, const QString& ip);
    void fetchUserCostRecord(const QString& queryType, int start, int end);
    void updateWorkgroupAdmin(const QString& workgroupId, const QString& adminId, const QString& adminName);

private:
    using LiveHandler = std::function<void(UserInfoCtrl& self, bool ok, const QVariantMap& data)>;
    // A reply callback that runs handler only while this controller lives.
    ServiceCallback whileAlive(LiveHandler handler);
    // Asks in the main window; the answer reaches this controller only while it lives.
    void confirm(const QString& question, std::function<void(UserInfoCtrl& self)> onSure);
    void applyBillEntities(const QVariantList& items);
    // Reloads the workgroup after a member or IP was added, then marks the addition done.
    ServiceCallback additionDone(const QString& workgroupId);
    using RemovalCall = std::function<void(UserService& service, const ServiceCallback& done)>;
    // Asks, then sends the removal and reloads the workgroup once it succeeded.
    void removeAfterConfirm(const QString& question, const QString& workgroupId, const RemovalCall& send);

    QSharedPointer<UserService> userService;
    bool addingToken = false;
};
