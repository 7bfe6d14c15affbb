#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QVariantMap>

class UserInfoCtrl;
class UserService;

// The login controller: password and code logins, registration, passwords, automatic login and
// the login-scheme hand-over. Owned by Dispatch through a shared pointer; its callbacks hold
// weak references to it, and a login whose reply comes after it is gone still completes.
class UserLoginCtrl : public QObject, public QEnableSharedFromThis<UserLoginCtrl>
{
    Q_OBJECT
public:
    explicit UserLoginCtrl(QObject* parent = nullptr);
    ~UserLoginCtrl() override;

    void init();
    void login(const QString& nameOrEmail, const QString& password, bool autoLogin);
    void addRegisterUser(const QString& name, const QString& email, const QString& verifyCode,
                         const QString& password);
    void logout();
    void updatePasswd(const QString& oldPassword, const QString& newPassword);
    void sendAddUserVerifyCode(const QString& email);
    void resetPasswdByCode(const QString& nameOrEmail, const QString& verifyCode, const QString& password,
                           const QString& confirm);
    void loginWithCode(const QString& code, const QString& type, bool autoLogin);
    void autoLoginIfNeeded(bool releaseWhenDone);
    void sendAddBindEmailCode(const QString& email);
    void cancelAutoLogin();

    // A login-scheme text from a later start: logs in with its "token", creating controller 1
    // when none exists. A text without a token changes nothing and says so in "main". While
    // someone is signed in it asks first, and logs out before the link's login.
    static void handOverLoginScheme(const QString& text);
    // The address the social-login window landed on: logs in with its "code", read as a
    // login-scheme text is, creating controller 1 when none exists. Without a code nothing happens.
    static void handOverWebLogin(const QString& address);

private:
    static bool mayUseLink(const QString& text);
    static void switchAccount(const QString& text);
    static void loginWithLink(const QString& text);
    void loginWithScheme(const QString& text);
    static bool isWholeLogin(const QVariantMap& data);
    static void leaveUnconfirmedLogin();
    static void onLoginReply(const QSharedPointer<UserLoginCtrl>& self, const QString& nameOrEmail, bool autoLogin,
                             bool ok, const QVariantMap& data);
    static void onCodeLoginReply(const QSharedPointer<UserLoginCtrl>& self, const QString& type, bool autoLogin,
                                 bool ok, const QVariantMap& data);
    static void onAutoLoginFetched(const QSharedPointer<UserLoginCtrl>& self, bool releaseWhenDone,
                                   const QString& userName, bool ok, int code);
    static void loginFailed(const QVariantMap& data);
    static void completeLogin(const QSharedPointer<UserLoginCtrl>& self, bool codeLogin);
    static void finishLogin(bool codeLogin);

    QSharedPointer<UserService> userService;
    QSharedPointer<UserInfoCtrl> userInfoCtrl;
};
