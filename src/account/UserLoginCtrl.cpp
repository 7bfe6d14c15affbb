#include "account/UserLoginCtrl.h"

#include "account/UserInfoCtrl.h"
#include "account/UserService.h"
#include "core/Dispatch.h"
#include "core/Hud.h"
#include "core/State.h"
#include "core/User.h"
#include "core/Util.h"
#include "shell/GlobalCtrl.h"
#include "texttrans/TextTransStorage.h"

#include <QHash>

#include <functional>

namespace {

const QString kMain = QStringLiteral("main");
const QString kLogin = QStringLiteral("login");

void setShowLoginWindow(bool show)
{
    State::instance()->setShowLoginWindow(show);
}

// The first empty field names what is missing, in the form's own window.
bool allFilled(const QList<QPair<QString, QString>>& fields)
{
    for (const auto& field : fields) {
        if (field.first.isEmpty()) {
            Hud::info(field.second, QString(), kLogin);
            return false;
        }
    }
    return true;
}

// The tags of the dialogs still open: one login failure per window and one question about a
// link, however many arrive.
QHash<QString, int> s_failureShown;
int s_linkQuestion = 0;

bool isHudOpen(int tag)
{
    if (tag == 0)
        return false;
    for (const QVariant& hud : State::instance()->windowHud()) {
        if (hud.toMap().value(QStringLiteral("tag")).toInt() == tag)
            return true;
    }
    return false;
}

void sayLoginFailed(const QString& message, const QString& wanted)
{
    // A link logs in from the main window: the login window may not be there to say it.
    const QString window = wanted == kLogin && !State::instance()->showLoginWindow() ? kMain : wanted;
    if (isHudOpen(s_failureShown.value(window)))
        return;
    s_failureShown.insert(window, Hud::warning(UserLoginCtrl::tr("登录失败"), message, window));
}

// A scheme text carries its one-time code as "token"; one without is said to be broken.
bool hasLoginToken(const QVariantMap& query)
{
    if (!query.value(QStringLiteral("token")).toString().isEmpty())
        return true;
    sayLoginFailed(UserLoginCtrl::tr("登录链接无效"), kMain);
    return false;
}

// What a signed-out client shows of an account: nothing.
void forgetAccount()
{
    User* user = User::instance();
    State* state = State::instance();
    user->saveAutoLogin(false);
    user->clear();
    emit state->isUserAutoLoginChange();
    state->setLoginCurPage(kLogin);
    state->notifyUserInfo();
    emit state->userBalanceChange();
    emit state->userChargeTypeChange();
    emit state->userDefaultWorkgroupChange();
    state->setWorkgroupInfo({});
    state->setWorkgroupCurId(QString());
    state->userBillHistory.clear();
    emit state->userBillHistoryChange(0);
    emit state->userLoginedChange();
    GlobalCtrl::instance()->stopSessionTimer();
    TextTransStorage::clear();
}

// Ends the session at the service, then here; a failed logout leaves the user signed in.
void endSession(UserService& service, const std::function<void()>& then)
{
    const User* user = User::instance();
    service.logout(user->userId, user->clientKey, user->session, [then](bool ok, const QVariantMap&) {
        if (!ok)
            return;
        forgetAccount();
        if (then)
            then();
    });
}

} // namespace

UserLoginCtrl::UserLoginCtrl(QObject* parent)
    : QObject(parent), userService(new UserService), userInfoCtrl(new UserInfoCtrl)
{
}

UserLoginCtrl::~UserLoginCtrl() = default;

void UserLoginCtrl::init()
{
    // The password page creates this controller for a signed-in user, whose session must
    // still be renewed; only a login to come restarts the timer.
    if (User::instance()->isLoggedOut())
        GlobalCtrl::instance()->stopSessionTimer();
    State* state = State::instance();
    const QString pending = state->loginSchemeQuery;
    state->loginSchemeQuery.clear();
    if (!pending.isEmpty() && mayUseLink(pending))
        loginWithScheme(pending);
}

void UserLoginCtrl::handOverLoginScheme(const QString& text)
{
    if (mayUseLink(text))
        loginWithLink(text);
}

void UserLoginCtrl::loginWithLink(const QString& text)
{
    Dispatch* dispatch = Dispatch::instance();
    dispatch->initController(Dispatch::Ctrl_UserLogin);
    const auto self = qSharedPointerObjectCast<UserLoginCtrl>(dispatch->controller(Dispatch::Ctrl_UserLogin));
    if (self)
        self->loginWithScheme(text);
}

// Any page or program can open a link: it never takes the place of a signed-in account unless
// the user says so.
bool UserLoginCtrl::mayUseLink(const QString& text)
{
    if (!hasLoginToken(parseUrlQuery(text)))
        return false;
    const User* user = User::instance();
    if (user->isLoggedOut())
        return true;
    if (isHudOpen(s_linkQuestion))
        return false;
    GlobalCtrl::instance()->raiseWindow(kMain);
    // The link's account is known only once its code is used.
    s_linkQuestion = Hud::askStatic(
        tr("退出当前账号？"),
        tr("一个登录链接要登录另一个账号。确定后将退出当前账号「%1」，再用该链接登录。").arg(user->userName),
        [text] {
            s_linkQuestion = 0;
            switchAccount(text);
        },
        [] { s_linkQuestion = 0; }, kMain);
    return false;
}

// The whole logout first, so nothing of the old account is left under the new name.
void UserLoginCtrl::switchAccount(const QString& text)
{
    if (User::instance()->isLoggedOut()) {
        loginWithLink(text);
        return;
    }
    UserService service;
    endSession(service, [text] { loginWithLink(text); });
}

void UserLoginCtrl::handOverWebLogin(const QString& address)
{
    const QVariantMap query = parseUrlQuery(address);
    const QString code = query.value(QStringLiteral("code")).toString();
    if (code.isEmpty())
        return;
    QString type = query.value(query.contains(QStringLiteral("type")) ? QStringLiteral("type") : QStringLiteral("login_type"))
                       .toString();
    if (type == QLatin1String("zl"))
        type = QStringLiteral("zolomi");
    const QString autoLogin = query.value(QStringLiteral("auto")).toString();
    Dispatch* dispatch = Dispatch::instance();
    dispatch->initController(Dispatch::Ctrl_UserLogin);
    if (const auto self = qSharedPointerObjectCast<UserLoginCtrl>(dispatch->controller(Dispatch::Ctrl_UserLogin)))
        self->loginWithCode(code, type, autoLogin == QLatin1String("1") || autoLogin == QLatin1String("true"));
}

void UserLoginCtrl::loginWithScheme(const QString& text)
{
    // A remembered login the service has not confirmed yet gives way; its record stays.
    if (!User::instance()->session.isEmpty())
        leaveUnconfirmedLogin();
    const QVariantMap query = parseUrlQuery(text);
    const bool autoLogin = query.value(QStringLiteral("auto")).toString() == QLatin1String("1");
    GlobalCtrl::instance()->raiseWindow(kMain);
    loginWithCode(query.value(QStringLiteral("token")).toString(), query.value(QStringLiteral("type")).toString(),
                  autoLogin);
}

// ---- Logins ------------------------------------------------------------------------------

void UserLoginCtrl::login(const QString& nameOrEmail, const QString& password, bool autoLogin)
{
    State::instance()->setUserLoginStatus(1);
    const QWeakPointer<UserLoginCtrl> weakSelf = sharedFromThis();
    userService->userLogin(nameOrEmail, password, autoLogin,
                           [weakSelf, nameOrEmail, autoLogin](bool ok, const QVariantMap& data) {
                               onLoginReply(weakSelf.toStrongRef(), nameOrEmail, autoLogin, ok, data);
                           });
}

void UserLoginCtrl::onLoginReply(const QSharedPointer<UserLoginCtrl>& self, const QString& nameOrEmail,
                                 bool autoLogin, bool ok, const QVariantMap& data)
{
    if (!ok) {
        loginFailed(data);
        return;
    }
    if (!isWholeLogin(data))
        return;
    User* user = User::instance();
    user->userName = nameOrEmail;
    user->userLoginType = 0;
    user->userId = data.value(QStringLiteral("user_id")).toString();
    user->session = data.value(QStringLiteral("session")).toString();
    user->saveAutoLogin(autoLogin);
    emit State::instance()->isUserAutoLoginChange();
    completeLogin(self, false);
}

void UserLoginCtrl::loginWithCode(const QString& code, const QString& type, bool autoLogin)
{
    State::instance()->setUserLoginStatus(1);
    const QWeakPointer<UserLoginCtrl> weakSelf = sharedFromThis();
    userService->userLoginWithCode(code, type, autoLogin, [weakSelf, type, autoLogin](bool ok, const QVariantMap& data) {
        onCodeLoginReply(weakSelf.toStrongRef(), type, autoLogin, ok, data);
    });
}

void UserLoginCtrl::onCodeLoginReply(const QSharedPointer<UserLoginCtrl>& self, const QString& type, bool autoLogin,
                                     bool ok, const QVariantMap& data)
{
    if (!ok) {
        loginFailed(data);
        return;
    }
    if (!isWholeLogin(data))
        return;
    User* user = User::instance();
    user->userName = data.value(QStringLiteral("user_name")).toString();
    user->userId = data.value(QStringLiteral("user_id")).toString();
    user->session = data.value(QStringLiteral("session")).toString();
    if (type == QLatin1String("zolomi"))
        user->userLoginType = 1;
    else if (type == QLatin1String("kx"))
        user->userLoginType = 2;
    user->saveAutoLogin(autoLogin);
    emit State::instance()->isUserAutoLoginChange();
    completeLogin(self, true);
}

void UserLoginCtrl::loginFailed(const QVariantMap& data)
{
    State::instance()->setUserLoginStatus(0);
    sayLoginFailed(data.value(QStringLiteral("message")).toString(), kLogin);
}

// A reply that says success but names no user or no session signs nobody in.
bool UserLoginCtrl::isWholeLogin(const QVariantMap& data)
{
    if (!data.value(QStringLiteral("user_id")).toString().isEmpty()
        && !data.value(QStringLiteral("session")).toString().isEmpty())
        return true;
    State::instance()->setUserLoginStatus(0);
    sayLoginFailed(tr("服务的回复缺少账号或会话"), kLogin);
    return false;
}

// The profile, then the shell. Without the controller a private profile reader does the
// fetch, so a reply that outlived the login window still leaves a complete login.
void UserLoginCtrl::completeLogin(const QSharedPointer<UserLoginCtrl>& self, bool codeLogin)
{
    const QSharedPointer<UserInfoCtrl> reader = self ? self->userInfoCtrl : QSharedPointer<UserInfoCtrl>::create();
    reader->fetchUserInfo([codeLogin](bool, int) { finishLogin(codeLogin); });
}

void UserLoginCtrl::finishLogin(bool codeLogin)
{
    State* state = State::instance();
    state->setUserLoginStatus(0);
    if (codeLogin)
        state->setRetcode(0);
    setShowLoginWindow(false);
    if (!User::instance()->session.isEmpty()) {
        GlobalCtrl* shell = GlobalCtrl::instance();
        shell->init();
        shell->startSessionTimer();
        state->setLoginCurPage(kLogin);
    }
    emit state->userLoginedChange();
}

void UserLoginCtrl::logout()
{
    endSession(*userService, {});
}

// ---- Automatic login ---------------------------------------------------------------------

void UserLoginCtrl::autoLoginIfNeeded(bool releaseWhenDone)
{
    User* user = User::instance();
    State* state = State::instance();
    // A link given at start is already logging in: the user chose it over the remembered login.
    if (state->userLoginStatus() == 1)
        return;
    const bool loaded = user->loadAutoLogin();
    emit state->isUserAutoLoginChange();
    if (!loaded)
        return;
    GlobalCtrl::instance()->raiseWindow(kLogin);
    emit state->userLoginedChange();
    emit state->userNameChange();
    state->setUserLoginStatus(1);
    // Kept apart: an expired session clears User before the fetch reports.
    const QString userName = user->userName;
    const QWeakPointer<UserLoginCtrl> weakSelf = sharedFromThis();
    userInfoCtrl->fetchUserInfo([weakSelf, releaseWhenDone, userName](bool ok, int code) {
        onAutoLoginFetched(weakSelf.toStrongRef(), releaseWhenDone, userName, ok, code);
    });
}

void UserLoginCtrl::onAutoLoginFetched(const QSharedPointer<UserLoginCtrl>& self, bool releaseWhenDone,
                                       const QString& userName, bool ok, int code)
{
    User* user = User::instance();
    State* state = State::instance();
    if (ok) {
        state->setUserLoginStatus(0);
        state->setRetcode(0);
        emit state->userLoginTypeChange();
        setShowLoginWindow(false);
        if (!user->session.isEmpty()) {
            GlobalCtrl* shell = GlobalCtrl::instance();
            shell->init();
            shell->startSessionTimer();
            state->setLoginCurPage(kLogin);
            if (self)
                self->userService->updateUserSession(
                    [](bool, const QVariantMap&) { emit State::instance()->userLoginedChange(); });
            else
                emit state->userLoginedChange();
        }
    } else if (code == 401) {
        if (user->userLoginType == 0) {
            state->setLoginName(userName);
        }
        user->saveAutoLogin(false);
        emit state->isUserAutoLoginChange();
        state->setUserLoginStatus(0);
        user->clear();
        state->notifyUserInfo();
        emit state->userLoginedChange();
        // The request layer tells of no session that never counted as signed in: said here.
        Hud::warning(tr("登录态过期，请重新登录"), QString(), kLogin);
    } else {
        user->userLogo.clear();
        emit state->userLogoChange();
        state->setUserLoginStatus(-1);
    }
    // `self` keeps the controller alive until this callback has returned.
    Dispatch* dispatch = Dispatch::instance();
    if (releaseWhenDone && self && !state->showLoginWindow() && dispatch
        && dispatch->controller(Dispatch::Ctrl_UserLogin) == self)
        dispatch->releaseController(Dispatch::Ctrl_UserLogin);
}

// Nothing the service has not confirmed stays signed in; the remembered login is kept for the
// next start.
void UserLoginCtrl::cancelAutoLogin()
{
    leaveUnconfirmedLogin();
}

void UserLoginCtrl::leaveUnconfirmedLogin()
{
    User* user = User::instance();
    State* state = State::instance();
    user->clear();
    user->isUserAutoLogin = false;
    state->setUserLoginStatus(0);
    emit state->isUserAutoLoginChange();
    state->notifyUserInfo();
    emit state->userLoginedChange();
}

// ---- Registration and passwords ----------------------------------------------------------

void UserLoginCtrl::addRegisterUser(const QString& name, const QString& email, const QString& verifyCode,
                                    const QString& password)
{
    if (!allFilled({{name, tr("请输入用户名")},
                    {email, tr("请输入邮箱")},
                    {verifyCode, tr("请输入验证码")},
                    {password, tr("请输入密码")}}))
        return;
    userService->addRegisterUser(name, email, verifyCode, password, [](bool ok, const QVariantMap&) {
        State* state = State::instance();
        if (ok)
            state->setRetcode(300);
        else if (state->retcode() != 310)
            state->setRetcode(0);
    });
}

void UserLoginCtrl::resetPasswdByCode(const QString& nameOrEmail, const QString& verifyCode,
                                      const QString& password, const QString& confirm)
{
    if (!allFilled({{nameOrEmail, tr("请输入用户名/邮箱")}, {verifyCode, tr("请输入验证码")}, {password, tr("请输入密码")}}))
        return;
    if (password != confirm) {
        Hud::info(tr("两次密码不一致，请重新输入"), QString(), kLogin);
        return;
    }
    userService->updatePasswdByCode(nameOrEmail, password, verifyCode, [](bool ok, const QVariantMap&) {
        if (ok)
            State::instance()->setRetcode(100);
    });
}

void UserLoginCtrl::updatePasswd(const QString& oldPassword, const QString& newPassword)
{
    State::instance()->setRetcode(201);
    userService->updatePasswd(User::instance()->userId, oldPassword, newPassword,
                              [](bool ok, const QVariantMap& data) {
                                  State* state = State::instance();
                                  // The request layer has said why; the page goes back to its form.
                                  if (!ok) {
                                      state->setRetcode(0);
                                      return;
                                  }
                                  if (data.value(QStringLiteral("value")).toBool()) {
                                      state->setRetcode(200);
                                      return;
                                  }
                                  Hud::info(tr("密码修改失败"), QString(), kMain);
                                  state->setRetcode(0);
                              });
}

// A mailed code moves "retcode" on to `done`, or back to 0 when it could not be sent.
static ServiceCallback codeResult(int done)
{
    return [done](bool ok, const QVariantMap&) { State::instance()->setRetcode(ok ? done : 0); };
}

void UserLoginCtrl::sendAddUserVerifyCode(const QString& email)
{
    State::instance()->setRetcode(101);
    userService->sendAddUserVerifyCode(email, codeResult(110));
}

void UserLoginCtrl::sendAddBindEmailCode(const QString& email)
{
    State::instance()->setRetcode(301);
    userService->addEmailVerifyCode(email, false, codeResult(310));
}
