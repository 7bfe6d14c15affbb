#include "account/UserLoginCtrl.h"

UserLoginCtrl::UserLoginCtrl(QObject* parent) : QObject(parent) {}

// TODO(account): every body below.
void UserLoginCtrl::init() {}
void UserLoginCtrl::login(const QString&, const QString&, bool) {}
void UserLoginCtrl::addRegisterUser(const QString&, const QString&, const QString&, const QString&) {}
void UserLoginCtrl::logout() {}
void UserLoginCtrl::updatePasswd(const QString&, const QString&) {}
void UserLoginCtrl::sendAddUserVerifyCode(const QString&) {}
void UserLoginCtrl::resetPasswdByCode(const QString&, const QString&, const QString&, const QString&) {}
void UserLoginCtrl::loginWithCode(const QString&, const QString&, bool) {}
void UserLoginCtrl::autoLoginIfNeeded(bool) {}
void UserLoginCtrl::sendAddBindEmailCode(const QString&) {}
void UserLoginCtrl::cancelAutoLogin() {}
