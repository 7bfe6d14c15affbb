#include "quicktrans/CopyTransCtrl.h"

CopyTransCtrl::CopyTransCtrl(QObject* parent) : QObject(parent) {}

// TODO(quicktrans): every body below.
void CopyTransCtrl::init() {}
void CopyTransCtrl::requestTrans(const QString&) {}
void CopyTransCtrl::setStayOn(bool) {}
void CopyTransCtrl::setSourceLanguage(const QString&) {}
void CopyTransCtrl::setTargetLanguageDebounced(const QString&) {}
void CopyTransCtrl::handleUIForEditor(QQuickTextDocument*) {}
void CopyTransCtrl::makePanelWindow(bool) {}
void CopyTransCtrl::closePanelWindow(bool, bool) {}
void CopyTransCtrl::startQuickSearch() {}
void CopyTransCtrl::startSelectTrans() {}
void CopyTransCtrl::fixDetailWindowPosi(int, int, int, int) {}
void CopyTransCtrl::startCCTrans() {}
void CopyTransCtrl::fixDetailWindowSize(int, int) {}
