#pragma once

#include "quicktrans/HotkeyType.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QAction;
class WinHotKey;

// Global hotkeys and the select-to-translate switch, owned by the shell controller.
class HotkeyCtrl : public QObject
{
    Q_OBJECT
public:
    HotkeyCtrl();
    ~HotkeyCtrl() override;

    // The tray menu's "划词翻译", "快速复制翻译" and "截图翻译" entries (not owned).
    void setTrayActions(QAction* select, QAction* cc, QAction* screenshot);

    void init();
    bool installHotkey(const QString& kind, const QString& key, bool ctrl, bool shift, bool alt, bool extra,
                       const QString& window);
    bool installSavedHotkey(const QString& name);
    void uninstallHotkeys(const QString& name);
    void openCopyTransBySelect(bool open);
    void switchCopyTrans(bool on, const QString& window);
    void switchCopyTransCC(bool on, const QString& window);
    void updateTrayActions(bool enabled);

    void onHotkeyTrigger(HotkeyType type);

private:
    void setMainWindow();

    QPointer<QAction> selectAction;
    QPointer<QAction> quickAction; // the tray menu offers none
    QPointer<QAction> ccAction;
    QPointer<QAction> screenshotAction;
    WinHotKey* winHotKey = nullptr;
    bool trayEnabled = false;
};
