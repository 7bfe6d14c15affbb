#include "core/Dispatch.h"

#include "core/Log.h"

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

Dispatch::Dispatch(QObject* parent) : QObject(parent) {}

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

void Dispatch::setGlobalRoutes(std::function<QObject*()> instance, QHash<QString, Action> actions)
{
    m_global = std::move(instance);
    m_globalActions = std::move(actions);
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
        QObject* global = m_global ? m_global() : nullptr;
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

bool Dispatch::hasAction(int controllerName, const QString& action) const
{
    if (controllerName == Ctrl_Global)
        return m_globalActions.contains(action);
    return m_kinds.value(controllerName).actions.contains(action);
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
