#include "core/Dispatch.h"

#include "account/UserInfoCtrl.h"
#include "account/UserLoginCtrl.h"
#include "core/Log.h"
#include "filetrans/FileTransCtrl.h"
#include "quicktrans/CopyTransCtrl.h"
#include "quicktrans/ScreenshotTransCtrl.h"
#include "shell/GlobalCtrl.h"
#include "term/TermCtrl.h"
#include "term/TermSentCtrl.h"
#include "texttrans/TextTransCtrl.h"

#include <QJsonArray>
#include <QJsonDocument>

static Dispatch* s_dispatch = nullptr;
static bool s_dispatchDestroyed = false;

namespace {

constexpr int TrailLength = 10;

// Id 8 and unknown ids have no prefix: their key is the bare action name.
QString trailPrefix(int controllerName)
{
    static const QHash<int, QString> prefixes{
        {Dispatch::Ctrl_Global, "Global_"},     {Dispatch::Ctrl_UserLogin, "UserLogin_"},
        {Dispatch::Ctrl_TextTrans, "TextTrans_"}, {Dispatch::Ctrl_FileTrans, "FileTrans_"},
        {Dispatch::Ctrl_UserInfo, "UserInfo_"}, {Dispatch::Ctrl_TermSent, "TermSent_"},
        {Dispatch::Ctrl_Term, "Term_"},         {Dispatch::Ctrl_CopyTrans, "CopyTrans_"},
    };
    return prefixes.value(controllerName);
}

} // namespace

Dispatch* Dispatch::instance()
{
    if (!s_dispatch && !s_dispatchDestroyed)
        s_dispatch = new Dispatch;
    return s_dispatch;
}

Dispatch::Dispatch(QObject* parent) : QObject(parent), m_globalActions(globalActions<GlobalCtrl>())
{
    m_kinds.insert(Ctrl_UserLogin, kindOf(userLoginActions<UserLoginCtrl>()));
    m_kinds.insert(Ctrl_TextTrans, kindOf(textTransActions<TextTransCtrl>()));
    m_kinds.insert(Ctrl_FileTrans, kindOf(fileTransActions<FileTransCtrl>()));
    m_kinds.insert(Ctrl_UserInfo, kindOf(userInfoActions<UserInfoCtrl>()));
    m_kinds.insert(Ctrl_TermSent, kindOf(repoActions<TermSentCtrl>()));
    m_kinds.insert(Ctrl_Term, kindOf(repoActions<TermCtrl>()));
    m_kinds.insert(Ctrl_CopyTrans, kindOf(copyTransActions<CopyTransCtrl>()));
    m_kinds.insert(Ctrl_ScreenshotTrans, kindOf(screenshotTransActions<ScreenshotTransCtrl>()));
}

Dispatch::~Dispatch()
{
    log("Dispatch delete");
    s_dispatch = nullptr;
    s_dispatchDestroyed = true;
    // Controllers go after the map is empty, so one that reaches Dispatch while dying finds nothing.
    QMap<int, QSharedPointer<QObject>> controllers;
    controllers.swap(m_controllers);
}

void Dispatch::setControllerKind(int id, ControllerKind kind)
{
    if (id >= Ctrl_UserLogin && id <= Ctrl_ScreenshotTrans)
        m_kinds.insert(id, std::move(kind));
}

bool Dispatch::initController(int name)
{
    if (m_controllers.value(name))
        return true;
    const auto kind = m_kinds.constFind(name);
    if (kind == m_kinds.constEnd())
        return false;
    // Inserted only after init returns: an action init sends to its own id finds no controller.
    QSharedPointer<QObject> controller = kind->create();
    m_controllers.insert(name, controller);
    return true;
}

bool Dispatch::releaseController(int name)
{
    if (!m_controllers.value(name))
        return false;
    m_controllers.remove(name);
    return true;
}

bool Dispatch::run(int controllerName, const QString& action, const QVariantList& args)
{
    recordAction(controllerName, action);
    const DispatchArgs arguments(args);
    if (controllerName == Ctrl_Global) {
        GlobalCtrl* global = GlobalCtrl::instance();
        const auto call = m_globalActions.constFind(action);
        if (global && call != m_globalActions.constEnd())
            (*call)(*global, arguments);
        return true;
    }
    // Held for the whole call: a controller may release its own id from inside its member.
    const QSharedPointer<QObject> controller = m_controllers.value(controllerName);
    if (!controller) {
        log("Dispatch run error: ctrl null: %1, %2", QString::number(controllerName), action);
        return false;
    }
    const Action call = m_kinds.value(controllerName).actions.value(action);
    if (call)
        call(*controller, arguments);
    return true;
}

void Dispatch::recordAction(int controllerName, const QString& action)
{
    const QString key = trailPrefix(controllerName) + action;
    if (key == m_lastActionKey && !m_recentActions.isEmpty()) {
        ++m_repeatCount;
        m_recentActions.last() = QString("%1_%2").arg(key).arg(m_repeatCount);
    } else {
        if (m_recentActions.size() >= TrailLength)
            m_recentActions.removeFirst();
        m_repeatCount = 1;
        m_lastActionKey = key;
        m_recentActions.append(key);
    }
    m_renderedTrail = QJsonDocument(QJsonArray::fromStringList(m_recentActions)).toJson(QJsonDocument::Compact);
    if (m_trailObserver)
        m_trailObserver(m_renderedTrail);
}

void Dispatch::setTrailObserver(std::function<void(const QByteArray&)> observer)
{
    m_trailObserver = std::move(observer);
}
