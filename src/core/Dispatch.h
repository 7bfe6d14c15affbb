#pragma once

#include "core/DispatchRoutes.h"

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QSharedPointer>
#include <QStringList>
#include <QVariantList>

#include <functional>

// The one door from QML into native code, "$dispatch". Controllers 1-8 are created on demand
// and owned here; id 0 always goes to the shell's singleton. Results never come back through
// these calls: controllers write State. Dispatch knows no controller: AppWiring registers
// each feature's table.
class Dispatch : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Ctrl_Global MEMBER Ctrl_Global CONSTANT)
    Q_PROPERTY(int Ctrl_UserLogin MEMBER Ctrl_UserLogin CONSTANT)
    Q_PROPERTY(int Ctrl_TextTrans MEMBER Ctrl_TextTrans CONSTANT)
    Q_PROPERTY(int Ctrl_FileTrans MEMBER Ctrl_FileTrans CONSTANT)
    Q_PROPERTY(int Ctrl_UserInfo MEMBER Ctrl_UserInfo CONSTANT)
    Q_PROPERTY(int Ctrl_TermSent MEMBER Ctrl_TermSent CONSTANT)
    Q_PROPERTY(int Ctrl_Term MEMBER Ctrl_Term CONSTANT)
    Q_PROPERTY(int Ctrl_CopyTrans MEMBER Ctrl_CopyTrans CONSTANT)
    Q_PROPERTY(int Ctrl_ScreenshotTrans MEMBER Ctrl_ScreenshotTrans CONSTANT)

public:
    static constexpr int Ctrl_Global = 0;
    static constexpr int Ctrl_UserLogin = 1;
    static constexpr int Ctrl_TextTrans = 2;
    static constexpr int Ctrl_FileTrans = 3;
    static constexpr int Ctrl_UserInfo = 4;
    static constexpr int Ctrl_TermSent = 5;
    static constexpr int Ctrl_Term = 6;
    static constexpr int Ctrl_CopyTrans = 7;
    static constexpr int Ctrl_ScreenshotTrans = 8;

    using Action = std::function<void(QObject&, const DispatchArgs&)>;

    // How one controller id is made and what it answers. `create` constructs the controller
    // and runs its init; Dispatch registers it only afterwards.
    struct ControllerKind
    {
        std::function<QSharedPointer<QObject>()> create;
        QHash<QString, Action> actions;
    };

    static Dispatch* instance();
    ~Dispatch() override;

    Q_INVOKABLE bool initController(int name);
    Q_INVOKABLE bool releaseController(int name);
    // Whether a controller lives under the id; initController answers true either way.
    Q_INVOKABLE bool hasController(int name) const { return !m_controllers.value(name).isNull(); }
    Q_INVOKABLE bool run(int controllerName, const QString& action, const QVariantList& args);
    // The controller registered under an id, or null.
    QSharedPointer<QObject> controller(int name) const { return m_controllers.value(name); }
    // Whether the id's table has the action: run() ignores a name it does not know.
    bool hasAction(int controllerName, const QString& action) const;

    // Replaces what an id 1-8 creates and answers; start-up uses the real controllers.
    void setControllerKind(int id, ControllerKind kind);
    // What id 0 answers, on the object `instance` returns (none once it is gone at exit).
    void setGlobalRoutes(std::function<QObject*()> instance, QHash<QString, Action> actions);

    // A kind for a controller class constructed without parent and initialised with init().
    template <class Ctrl>
    static ControllerKind kindOf(const ActionTable<Ctrl>& table);
    template <class Ctrl>
    static QHash<QString, Action> actionsOf(const ActionTable<Ctrl>& table);

    // The trail of recent actions, oldest first, at most ten entries.
    const QStringList& recentActions() const { return m_recentActions; }
    // The trail as compact JSON text, rendered on every change so that a crash handler can
    // copy it without rendering anything.
    QByteArray renderedTrail() const { return m_renderedTrail; }
    // Called on the GUI thread with the new rendering after every change of the trail.
    void setTrailObserver(std::function<void(const QByteArray&)> observer);

private:
    explicit Dispatch(QObject* parent = nullptr);

    void recordAction(int controllerName, const QString& action);

    QString m_lastActionKey;
    int m_repeatCount = 1;
    QStringList m_recentActions;
    QByteArray m_renderedTrail = "[]";
    std::function<void(const QByteArray&)> m_trailObserver;
    QMap<int, QSharedPointer<QObject>> m_controllers;
    QHash<int, ControllerKind> m_kinds;
    std::function<QObject*()> m_global;
    QHash<QString, Action> m_globalActions;
};

template <class Ctrl>
Dispatch::ControllerKind Dispatch::kindOf(const ActionTable<Ctrl>& table)
{
    ControllerKind kind;
    kind.create = [] {
        // A shared pointer of the controller's own class fills its weak self-reference.
        QSharedPointer<Ctrl> controller(new Ctrl);
        controller->init();
        return controller.template staticCast<QObject>();
    };
    kind.actions = actionsOf(table);
    return kind;
}

template <class Ctrl>
QHash<QString, Dispatch::Action> Dispatch::actionsOf(const ActionTable<Ctrl>& table)
{
    QHash<QString, Action> actions;
    for (auto it = table.cbegin(); it != table.cend(); ++it) {
        const auto call = it.value();
        actions.insert(it.key(), [call](QObject& o, const DispatchArgs& a) { call(static_cast<Ctrl&>(o), a); });
    }
    return actions;
}
