#include "quicktrans/ScreenshotTransCtrl.h"

ScreenshotTransCtrl::ScreenshotTransCtrl(QObject* parent) : QObject(parent) {}

// TODO(quicktrans): every body below.
void ScreenshotTransCtrl::init() {}
void ScreenshotTransCtrl::startCapture() {}
void ScreenshotTransCtrl::captureAndTrans(int, int, int, int) {}
void ScreenshotTransCtrl::requestTrans() {}
void ScreenshotTransCtrl::setSourceLanguage(const QString&) {}
void ScreenshotTransCtrl::setTargetLanguageDebounced(const QString&) {}
void ScreenshotTransCtrl::handleUIForEditor(QQuickTextDocument*) {}
void ScreenshotTransCtrl::downloadImg() {}
void ScreenshotTransCtrl::stopCapture() {}
