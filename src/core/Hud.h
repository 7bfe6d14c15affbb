#pragma once

#include "core/HudCallbacks.h"

#include <QMap>
#include <QObject>
#include <QString>

#include <functional>

// Message boxes, questions and toasts: each is published to State's windowHud as a request map
// and answered from QML through State's windowHudSureTap / windowHudCancelTap.
class Hud : public QObject
{
    Q_OBJECT
public:
    using Callback = std::function<void()>;

    static Hud* instance();
    ~Hud() override;

    // Every operation returns the tag of the hud it shows. An empty window name means "main".
    int show(const QString& type, const QString& title, const QString& message, const QString& sureBtnText,
             const QString& cancelBtnText, const Callback& onSure, const Callback& onCancel, const QString& window);
    int showAsk(const QString& title, const QString& message, const QString& sureBtnText,
                const QString& cancelBtnText, const Callback& onSure, const Callback& onCancel,
                const QString& window);
    int askWithDefaults(const QString& title, const QString& message, const Callback& onSure,
                        const Callback& onCancel, const QString& window);
    int showAlert(const QString& type, const QString& title, const QString& message, const Callback& onSure,
                  const QString& window);
    // A toast: no buttons, only the sure callback.
    int showInWindow(const QString& title, const QString& message, const QString& type, const Callback& onSure,
                     const QString& window);

    static int askStatic(const QString& title, const QString& message, const Callback& onSure,
                         const Callback& onCancel, const QString& window = QString());
    static int ask(const QString& title, const QString& message, const QString& sureBtnText,
                   const QString& cancelBtnText, const Callback& onSure, const Callback& onCancel,
                   const QString& window = QString());
    static int warning(const QString& title, const QString& message, const QString& window = QString());
    static int warningWithCallback(const QString& title, const QString& message, const Callback& onSure,
                                   const QString& window = QString());
    static int info(const QString& title, const QString& message, const QString& window = QString());
    static int infoWithCallback(const QString& title, const QString& message, const Callback& onSure,
                                const QString& window = QString());
    static int infoWithButton(const QString& title, const QString& message, const QString& sureBtnText,
                              const Callback& onSure, const QString& window = QString());
    static int infoInWindow(const QString& title, const QString& message, const Callback& onSure,
                            const QString& window = QString());
    static int warningInWindow(const QString& title, const QString& message, const Callback& onSure,
                               const QString& window = QString());
    static int error(const QString& title, const QString& message, const Callback& onSure,
                     const QString& window = QString());

public slots:
    void sureBtnTap(int tag);
    void cancelBtnTap(int tag);

private:
    explicit Hud(QObject* parent = nullptr);

    int publish(const QString& type, const QString& title, const QString& message, const QString& sureBtnText,
                const QString& cancelBtnText, const QString& window, bool lite, const HudCallbacks& answers);
    void answer(int tag, Callback HudCallbacks::*which);

    int lastTag = 0;
    QMap<int, HudCallbacks> callbacks;
};
