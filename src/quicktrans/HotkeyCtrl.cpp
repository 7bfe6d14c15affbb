#include "quicktrans/HotkeyCtrl.h"

HotkeyCtrl::HotkeyCtrl() = default;

// TODO(quicktrans): every body below.
void HotkeyCtrl::init() {}

bool HotkeyCtrl::installHotkey(const QString&, const QString&, bool, bool, bool, bool, const QString&)
{
    return false;
}

void HotkeyCtrl::openCopyTransBySelect(bool) {}
void HotkeyCtrl::switchCopyTrans(bool, const QString&) {}
void HotkeyCtrl::switchCopyTransCC(bool, const QString&) {}
void HotkeyCtrl::updateTrayActions(bool) {}
