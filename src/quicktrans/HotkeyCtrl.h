#pragma once

#include <QObject>
#include <QString>

// Global hotkeys and the select-to-translate switch, owned by the shell controller.
class HotkeyCtrl : public QObject
{
    Q_OBJECT
public:
    HotkeyCtrl();

    void init();
    bool installHotkey(const QString& kind, const QString& key, bool ctrl, bool shift, bool alt, bool extra,
                       const QString& window);
    void openCopyTransBySelect(bool open);
    void switchCopyTrans(bool on, const QString& window);
    void switchCopyTransCC(bool on, const QString& window);
    void updateTrayActions(bool enabled);
};
