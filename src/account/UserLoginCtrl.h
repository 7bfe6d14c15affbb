#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

// The login controller: password and code logins, registration, passwords, automatic login.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class UserLoginCtrl : public QObject, public QEnableSharedFromThis<UserLoginCtrl>
{
    Q_OBJECT
public:
    explicit UserLoginCtrl(QObject* parent = nullptr);

    void init();
    void login(const QString& name, const QString& password, bool autoLogin);
    void addRegisterUser(const QString& name, const QString& email, const QString& password, const QString& code);
    void logout();
    void updatePasswd(const QString& oldPassword, const QString& newPassword);
    void sendAddUserVerifyCode(const QString& email);
    void resetPasswdByCode(const QString& email, const QString& code, const QString& password, const QString& confirm);
    void loginWithCode(const QString& code, const QString& type, bool autoLogin);
    void autoLoginIfNeeded(bool start);
    void sendAddBindEmailCode(const QString& email);
    void cancelAutoLogin();
};
