#include "core/Hud.h"

#include "core/State.h"

#include <QCoreApplication>
#include <QVariantMap>

#include <mutex>

static Hud* s_hud = nullptr;
static std::once_flag s_hudOnce;

namespace {

const Hud::Callback kNothing = [] {};

QString translated(const char* source)
{
    return QCoreApplication::translate("QObject", source);
}

} // namespace

Hud* Hud::instance()
{
    // Created once; after exit has destroyed it, stays null.
    std::call_once(s_hudOnce, [] { s_hud = new Hud; });
    return s_hud;
}

Hud::Hud(QObject* parent) : QObject(parent)
{
    State* state = State::instance();
    connect(state, &State::windowHudSureTap, this, &Hud::sureBtnTap);
    connect(state, &State::windowHudCancelTap, this, &Hud::cancelBtnTap);
}

Hud::~Hud()
{
    s_hud = nullptr;
}

int Hud::publish(const QString& type, const QString& title, const QString& message, const QString& sureBtnText,
                 const QString& cancelBtnText, const QString& window, bool lite, const HudCallbacks& answers)
{
    const int tag = ++lastTag;
    State::instance()->addWindowHud({
        {QStringLiteral("title"), title},
        {QStringLiteral("type"), type},
        {QStringLiteral("message"), message},
        {QStringLiteral("sureBtnText"), sureBtnText},
        {QStringLiteral("cancelBtnText"), cancelBtnText},
        {QStringLiteral("window"), window.isEmpty() ? QStringLiteral("main") : window},
        {QStringLiteral("tag"), tag},
        {QStringLiteral("lite"), lite},
    });
    callbacks.insert(tag, answers);
    return tag;
}

int Hud::show(const QString& type, const QString& title, const QString& message, const QString& sureBtnText,
              const QString& cancelBtnText, const Callback& onSure, const Callback& onCancel, const QString& window)
{
    return publish(type, title, message, sureBtnText, cancelBtnText, window, false, {onSure, onCancel});
}

int Hud::showAsk(const QString& title, const QString& message, const QString& sureBtnText,
                 const QString& cancelBtnText, const Callback& onSure, const Callback& onCancel,
                 const QString& window)
{
    return show(QStringLiteral("ask"), title, message, sureBtnText, cancelBtnText, onSure, onCancel, window);
}

int Hud::askWithDefaults(const QString& title, const QString& message, const Callback& onSure,
                         const Callback& onCancel, const QString& window)
{
    return showAsk(title, message, translated(QT_TRANSLATE_NOOP("QObject", "确定")),
                   translated(QT_TRANSLATE_NOOP("QObject", "取消")), onSure, onCancel, window);
}

int Hud::showAlert(const QString& type, const QString& title, const QString& message, const Callback& onSure,
                   const QString& window)
{
    return show(type, title, message, translated(QT_TRANSLATE_NOOP("QObject", "好的")), QString(), onSure, kNothing, window);
}

int Hud::showInWindow(const QString& title, const QString& message, const QString& type, const Callback& onSure,
                      const QString& window)
{
    return publish(type, title, message, QString(), QString(), window, true, {onSure, kNothing});
}

int Hud::askStatic(const QString& title, const QString& message, const Callback& onSure,
                   const Callback& onCancel, const QString& window)
{
    return instance()->askWithDefaults(title, message, onSure, onCancel, window);
}

int Hud::ask(const QString& title, const QString& message, const QString& sureBtnText,
             const QString& cancelBtnText, const Callback& onSure, const Callback& onCancel, const QString& window)
{
    return instance()->showAsk(title, message, sureBtnText, cancelBtnText, onSure, onCancel, window);
}

int Hud::warning(const QString& title, const QString& message, const QString& window)
{
    return warningWithCallback(title, message, kNothing, window);
}

int Hud::warningWithCallback(const QString& title, const QString& message, const Callback& onSure,
                             const QString& window)
{
    return instance()->showAlert(QStringLiteral("warning"), title, message, onSure, window);
}

int Hud::info(const QString& title, const QString& message, const QString& window)
{
    return infoWithCallback(title, message, kNothing, window);
}

int Hud::infoWithCallback(const QString& title, const QString& message, const Callback& onSure,
                          const QString& window)
{
    return instance()->showAlert(QStringLiteral("info"), title, message, onSure, window);
}

int Hud::infoWithButton(const QString& title, const QString& message, const QString& sureBtnText,
                        const Callback& onSure, const QString& window)
{
    return instance()->show(QStringLiteral("info"), title, message, sureBtnText, QString(), onSure, kNothing,
                            window);
}

int Hud::infoInWindow(const QString& title, const QString& message, const Callback& onSure, const QString& window)
{
    return instance()->showInWindow(title, message, QStringLiteral("info"), onSure, window);
}

int Hud::warningInWindow(const QString& title, const QString& message, const Callback& onSure,
                         const QString& window)
{
    return instance()->showInWindow(title, message, QStringLiteral("warning"), onSure, window);
}

int Hud::error(const QString& title, const QString& message, const Callback& onSure, const QString& window)
{
    return instance()->showInWindow(title, message, QStringLiteral("error"), onSure, window);
}

void Hud::sureBtnTap(int tag)
{
    answer(tag, &HudCallbacks::onSure);
}

void Hud::cancelBtnTap(int tag)
{
    answer(tag, &HudCallbacks::onCancel);
}

void Hud::answer(int tag, Callback HudCallbacks::*which)
{
    // Taken out before it runs: an answer arriving again meanwhile finds nothing to run.
    if (callbacks.contains(tag)) {
        const Callback run = callbacks.take(tag).*which;
        if (run)
            run();
    }
    State::instance()->removeWindowHud(tag);
}
