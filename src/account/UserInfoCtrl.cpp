#include "account/UserInfoCtrl.h"

#include "account/BillEntity.h"
#include "account/BillRecord.h"
#include "account/UserService.h"
#include "account/WorkgroupInfo.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/User.h"
#include "core/WeakOwner.h"
#include "update/VexilService.h"

namespace {

const QString kMain = QStringLiteral("main");

// Member and IP additions end with this code, whatever their outcome.
constexpr int kAdditionDone = 500;
constexpr int kNoSuchUser = 501;
constexpr int kEmailCodeSent = 400;
constexpr int kEmailCodePending = 401;
constexpr int kEmailCodeFailed = 402;

// A token reply's "value"; the service writes a missing token as "null".
void storeApiToken(const QVariantMap& data)
{
    const QString token = data.value(QStringLiteral("value")).toString();
    User::instance()->userApiToken = token == QLatin1String("null") ? QString() : token;
    emit State::instance()->userApiTokenChange();
}

void setWorkgroupCurId(const QString& id)
{
    State* state = State::instance();
    state->setWorkgroupCurId(id);
}

void setBillRecordStatus(int status)
{
    State* state = State::instance();
    state->setUserBillRecordStatus(status);
}

void storeOwnEntity(const BillEntity& entity)
{
    User* user = User::instance();
    user->userDiscount = entity.discount;
    user->userBalance = entity.balance;
    user->userCost = entity.cost;
    user->userPrePayLimit = entity.prePayLimit;
    user->userPostPayLimit = entity.postPayLimit;
    user->profileLoaded = entity.enabled;
    user->userChargeType = entity.chargeType;
    State* state = State::instance();
    emit state->userBalanceChange();
    emit state->userChargeTypeChange();
}

// Stores one workgroup record, made from what is known of it under that key.
void updateWorkgroupRecord(const QString& key, const std::function<QVariantMap(const QVariantMap& known)>& make)
{
    State* state = State::instance();
    QVariantMap info = state->workgroupInfo();
    info.insert(key, make(info.value(key).toMap()));
    state->setWorkgroupInfo(info);
}

} // namespace

UserInfoCtrl::UserInfoCtrl(QObject* parent) : QObject(parent), userService(new UserService) {}

UserInfoCtrl::~UserInfoCtrl() = default;

ServiceCallback UserInfoCtrl::whileAlive(LiveHandler handler)
{
    return WeakOwner::ifAlive(QWeakPointer<UserInfoCtrl>(sharedFromThis()), std::move(handler));
}

void UserInfoCtrl::confirm(const QString& question, std::function<void(UserInfoCtrl& self)> onSure)
{
    const QWeakPointer<UserInfoCtrl> weakSelf = sharedFromThis();
    Hud::askStatic(question, QString(), WeakOwner::ifAlive(weakSelf, std::move(onSure)), [] {}, kMain);
}

void UserInfoCtrl::init()
{
    fetchUserInfo([](bool, int) {});
    fetchBillEntities();
    fetchToken([](bool, const QString&) {});
    fetchUserWorkgroup();
    VexilService::instance()->reportPv(QStringLiteral("parlavine_user_info"));
}

// ---- Profile, token, e-mail ----------------------------------------------------------------

void UserInfoCtrl::fetchUserInfo(std::function<void(bool ok, int code)> done)
{
    User* user = User::instance();
    const User::Signature sentFor = user->signature();
    userService->fetchUser(user->userId, [done, sentFor](bool ok, const QVariantMap& data) {
        User* user = User::instance();
        if (!user->isStill(sentFor)) {
            log(QStringLiteral("fetchUserInfo: reply for an earlier login dropped"));
            return;
        }
        int code = 0;
        if (ok) {
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
        log(QStringLiteral("fetchUserInfo: %1, code %2"), ok ? QStringLiteral("ok") : QStringLiteral("fail"),
            QString::number(code));
        if (done)
            done(ok, code);
    });
}

void UserInfoCtrl::fetchToken(std::function<void(bool ok, const QString& token)> done)
{
    const User* user = User::instance();
    if (user->userId.isEmpty() || user->clientKey.isEmpty()) {
        done(false, QString());
        return;
    }
    userService->fetchToken(user->userId, [done](bool ok, const QVariantMap& data) {
        if (!ok) {
            done(false, QString());
            return;
        }
        User* user = User::instance();
        user->userApiToken = data.value(QStringLiteral("token")).toString();
        user->userApiTokenId = data.value(QStringLiteral("id")).toString();
        State::instance()->notifyUserInfo();
        done(true, user->userApiToken);
    });
}

void UserInfoCtrl::updateApiToken()
{
    const QWeakPointer<UserInfoCtrl> weakSelf = sharedFromThis();
    fetchToken([weakSelf](bool ok, const QString& token) {
        const QSharedPointer<UserInfoCtrl> self = weakSelf.toStrongRef();
        if (!self || !ok)
            return;
        if (token.isEmpty() || token == QLatin1String("null")) {
            self->addToken();
            return;
        }
        const User* user = User::instance();
        self->userService->updateToken(user->userId, token, user->userApiTokenId,
                                       [](bool ok, const QVariantMap& data) {
                                           if (ok)
                                               storeApiToken(data);
                                       });
    });
}

void UserInfoCtrl::addToken()
{
    if (addingToken)
        return;
    addingToken = true;
    const User* user = User::instance();
    const QString nameOrEmail = user->userName.isEmpty() ? user->userEmail : user->userName;
    userService->addToken(nameOrEmail, whileAlive([](UserInfoCtrl& self, bool ok, const QVariantMap& data) {
                              if (ok)
                                  storeApiToken(data);
                              self.addingToken = false;
                          }));
}

void UserInfoCtrl::sendBindEmailCode(const QString& email)
{
    State* state = State::instance();
    state->setRetcode(kEmailCodePending);
    state->setRetmsg(QString());
    userService->addEmailVerifyCode(email, true, [](bool ok, const QVariantMap& data) {
        State* state = State::instance();
        if (ok) {
            state->setRetcode(kEmailCodeSent);
            state->setRetmsg(QString());
            return;
        }
        // The service's message ends with the readable part after its last "/".
        const QString message = data.value(QStringLiteral("message")).toString();
        state->setRetmsg(message.isEmpty() ? tr("请求异常") : message.split(QLatin1Char('/')).last());
        state->setRetcode(kEmailCodeFailed);
    });
}

void UserInfoCtrl::updateEmail(const QString& email, const QString& verifyCode)
{
    userService->updateEmail(email, verifyCode, [email](bool ok, const QVariantMap&) {
        if (!ok)
            return;
        User::instance()->userEmail = email;
        emit State::instance()->userEmailChange();
    });
}

// ---- Bills -----------------------------------------------------------------------------------

void UserInfoCtrl::fetchBillEntities()
{
    userService->findUserAllBillEntity(whileAlive([](UserInfoCtrl& self, bool ok, const QVariantMap& data) {
        if (ok)
            self.applyBillEntities(data.value(QStringLiteral("value")).toList());
    }));
}

void UserInfoCtrl::applyBillEntities(const QVariantList& items)
{
    const QVariantMap known = State::instance()->workgroupInfo();
    QVariantMap info;
    QString firstWorkgroup;
    for (const QVariant& item : items) {
        const BillEntity entity = BillEntity::fromMap(item.toMap());
        if (entity.entityType == QLatin1String("user")) {
            storeOwnEntity(entity);
            info.insert(entity.id, QVariantMap{{QStringLiteral("name"), tr("我自己")},
                                               {QStringLiteral("type"), WorkgroupInfo::myselfType()},
                                               {QStringLiteral("id"), entity.id}});
        } else if (entity.entityType == QLatin1String("workgroup")) {
            // Known under its workgroup id, which is also where it is stored again.
            info.insert(entity.workgroupId,
                        WorkgroupInfo::fromBillEntity(known.value(entity.workgroupId).toMap(), entity));
            if (firstWorkgroup.isEmpty())
                firstWorkgroup = entity.workgroupId;
        }
    }
    State::instance()->setWorkgroupInfo(info);
    selectWorkgroup(firstWorkgroup);
}

void UserInfoCtrl::fetchUserCostRecord(const QString& queryType, int start, int end)
{
    setBillRecordStatus(1);
    const QWeakPointer<UserInfoCtrl> weakSelf = sharedFromThis();
    userService->findUserCostRecord(queryType, start, end, [weakSelf](bool ok, const QVariantMap& data) {
        setBillRecordStatus(0);
        if (!ok || !weakSelf.toStrongRef())
            return;
        QVariantList rows;
        for (const QVariant& item : data.value(QStringLiteral("cost_records")).toList())
            rows.append(BillRecord::fromMap(item.toMap()).toMap());
        State* state = State::instance();
        state->userBillHistory = rows;
        emit state->userBillHistoryChange(0);
    });
}

// ---- Workgroups ------------------------------------------------------------------------------

void UserInfoCtrl::fetchUserWorkgroup()
{
    userService->findUserWorkgroup([](bool ok, const QVariantMap& data) {
        if (!ok)
            return;
        User::instance()->userDefaultWorkgroup = data.value(QStringLiteral("default_workgroup_id")).toString();
        emit State::instance()->userDefaultWorkgroupChange();
    });
}

void UserInfoCtrl::selectWorkgroup(const QString& workgroupId)
{
    setWorkgroupCurId(workgroupId);
    fetchWorkgroupInfo(workgroupId);
}

void UserInfoCtrl::fetchWorkgroupInfo(const QString& workgroupId)
{
    if (workgroupId.isEmpty())
        return;
    userService->findWorkgroupInfo(workgroupId, whileAlive([](UserInfoCtrl&, bool ok, const QVariantMap& data) {
        // A reply without a name (every failure among them) is no workgroup.
        if (!ok || data.value(QStringLiteral("name")).toString().isEmpty())
            return;
        const QString myId = User::instance()->userId;
        updateWorkgroupRecord(data.value(QStringLiteral("id")).toString(), [&](const QVariantMap& known) {
            return WorkgroupInfo::fromWorkgroupQuery(known, data, myId);
        });
    }));
}

void UserInfoCtrl::updateDefaultWorkgroup(const QString& workgroupId)
{
    userService->updateDefaultWorkgroup(workgroupId, [workgroupId](bool ok, const QVariantMap&) {
        if (!ok)
            return;
        User::instance()->userDefaultWorkgroup = workgroupId;
        emit State::instance()->userDefaultWorkgroupChange();
    });
}

void UserInfoCtrl::addWorkgroup(const QString& name)
{
    const User* user = User::instance();
    userService->addWorkgroup(
        name, user->userName, user->userId, whileAlive([](UserInfoCtrl&, bool ok, const QVariantMap& data) {
            if (!ok || data.value(QStringLiteral("name")).toString().isEmpty())
                return;
            const QString key = data.value(QStringLiteral("id")).toString();
            const QString myId = User::instance()->userId;
            updateWorkgroupRecord(key, [&](const QVariantMap& known) {
                return WorkgroupInfo::fromCreation(known, data, myId);
            });
            // The first workgroup is shown; another one keeps the page where it is.
            const State* state = State::instance();
            if (state->workgroupCurId().isEmpty() || !state->workgroupInfo().contains(state->workgroupCurId()))
                setWorkgroupCurId(key);
        }));
}

void UserInfoCtrl::rmWorkgroup(const QString& workgroupId, const QString& name)
{
    // This question is shown as written, in every language.
    confirm(QStringLiteral("确认删除工作组「%1」吗？").arg(name), [workgroupId](UserInfoCtrl& self) {
        const QWeakPointer<UserInfoCtrl> weakSelf = self.sharedFromThis();
        self.userService->deleteWorkgroup(workgroupId, [weakSelf, workgroupId](bool ok, const QVariantMap& data) {
            if (!ok)
                return;
            // The service answers whether it deleted anything; "false" leaves the workgroup there.
            if (!data.value(QStringLiteral("value")).toBool()) {
                const QString message = data.value(QStringLiteral("message")).toString();
                Hud::warning(tr("删除工作组失败"), message.isEmpty() ? tr("服务未删除该工作组，它仍然保留") : message,
                             kMain);
                return;
            }
            State* state = State::instance();
            QVariantMap info = state->workgroupInfo();
            info.remove(workgroupId);
            state->setWorkgroupInfo(info);
            // The page must not stay on a workgroup that is gone.
            const QSharedPointer<UserInfoCtrl> self = weakSelf.toStrongRef();
            if (self && state->workgroupCurId() == workgroupId)
                self->selectWorkgroup(WorkgroupInfo::firstWorkgroup(info));
        });
    });
}

ServiceCallback UserInfoCtrl::additionDone(const QString& workgroupId)
{
    return whileAlive([workgroupId](UserInfoCtrl& self, bool ok, const QVariantMap&) {
        if (ok)
            self.fetchWorkgroupInfo(workgroupId);
        State::instance()->setRetcode(kAdditionDone);
    });
}

void UserInfoCtrl::removeAfterConfirm(const QString& question, const QString& workgroupId, const RemovalCall& send)
{
    confirm(question, [workgroupId, send](UserInfoCtrl& self) {
        send(*self.userService, self.whileAlive([workgroupId](UserInfoCtrl& self, bool ok, const QVariantMap&) {
            if (ok)
                self.fetchWorkgroupInfo(workgroupId);
        }));
    });
}

void UserInfoCtrl::addWorkgroupMem(const QString& workgroupId, const QString& userName)
{
    State::instance()->setRetcode(0);
    userService->isExistUserByName(
        userName, whileAlive([workgroupId, userName](UserInfoCtrl& self, bool ok, const QVariantMap& data) {
            if (!ok)
                return;
            if (!data.value(QStringLiteral("value")).toBool()) {
                State::instance()->setRetcode(kNoSuchUser);
                Hud::warning(tr("该用户不存在"), QString(), kMain);
                return;
            }
            self.userService->addWorkgroupMembers(workgroupId, userName, self.additionDone(workgroupId));
        }));
}

void UserInfoCtrl::addWorkgroupIP(const QString& workgroupId, const QString& ip)
{
    State::instance()->setRetcode(0);
    userService->addWorkgroupIP(workgroupId, ip, additionDone(workgroupId));
}

void UserInfoCtrl::rmWorkgroupMem(const QString& workgroupId, const QString& userName)
{
    removeAfterConfirm(tr("确定移除用户「%1」吗？").arg(userName), workgroupId,
                       [workgroupId, userName](UserService& service, const ServiceCallback& done) {
                           service.deleteWorkgroupMembers(workgroupId, userName, done);
                       });
}

void UserInfoCtrl::rmWorkgroupIP(const QString& workgroupId, const QString& ip)
{
    removeAfterConfirm(tr("确定移除IP「%1」吗？").arg(ip), workgroupId,
                       [workgroupId, ip](UserService& service, const ServiceCallback& done) {
                           service.deleteWorkgroupIP(workgroupId, ip, done);
                       });
}

void UserInfoCtrl::updateWorkgroupAdmin(const QString& workgroupId, const QString& adminId, const QString& adminName)
{
    confirm(tr("确定转移管理员权限给用户「%1」吗？").arg(adminName), [=](UserInfoCtrl& self) {
        self.userService->updateWorkgroupAdminUser(
            workgroupId, adminName, self.whileAlive([=](UserInfoCtrl&, bool ok, const QVariantMap& data) {
                if (!ok || !data.value(QStringLiteral("value")).toBool())
                    return;
                const QString myId = User::instance()->userId;
                updateWorkgroupRecord(workgroupId, [&](const QVariantMap& known) {
                    return WorkgroupInfo::withAdministrator(known, adminId, adminName, myId);
                });
            }));
    });
}
