#include "account/UserInfoCtrl.h"

#include "account/UserService.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/User.h"

UserInfoCtrl::UserInfoCtrl(QObject* parent) : QObject(parent), userService(new UserService) {}

UserInfoCtrl::~UserInfoCtrl() = default;

void UserInfoCtrl::fetchUserInfo(std::function<void(bool ok, int code)> done)
{
    User* user = User::instance();
    userService->fetchUser(user->userId, [done](bool ok, const QVariantMap& data) {
        int code = 0;
        if (ok) {
            User* user = User::instance();
            user->userName = data.value(QStringLiteral("name")).toString();
            user->userEmail = data.value(QStringLiteral("email")).toString();
            user->profileLoaded = !user->userEmail.isEmpty() || !user->userName.isEmpty();
            user->setLogo(data.value(QStringLiteral("profile_img")).toString());
            State::instance()->notifyUserInfo();
        } else {
            code = 999;
            if (data.contains(QStringLiteral("errorCode")))
                code = data.value(QStringLiteral("errorCode")).toInt();
            if (data.contains(QStringLiteral("status")))
                code = data.value(QStringLiteral("status")).toInt();
        }
        log(QStringLiteral("AutoLogin fetchUserInfo data"), data);
        if (done)
            done(ok, code);
    });
}

// TODO(account): every body below.
void UserInfoCtrl::init() {}
void UserInfoCtrl::updateApiToken() {}
void UserInfoCtrl::updateDefaultWorkgroup(const QString&) {}
void UserInfoCtrl::sendBindEmailCode(const QString&) {}
void UserInfoCtrl::updateEmail(const QString&, const QString&) {}
void UserInfoCtrl::addWorkgroup(const QString&) {}
void UserInfoCtrl::rmWorkgroup(const QString&, const QString&) {}
void UserInfoCtrl::addWorkgroupMem(const QString&, const QString&) {}
void UserInfoCtrl::addWorkgroupIP(const QString&, const QString&) {}
void UserInfoCtrl::rmWorkgroupMem(const QString&, const QString&) {}
void UserInfoCtrl::rmWorkgroupIP(const QString&, const QString&) {}
void UserInfoCtrl::fetchUserCostRecord(const QString&, int, int) {}
void UserInfoCtrl::updateWorkgroupAdmin(const QString&, const QString&, const QString&) {}
