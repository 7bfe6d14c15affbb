#include "account/UserInfoCtrl.h"

UserInfoCtrl::UserInfoCtrl(QObject* parent) : QObject(parent) {}

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
