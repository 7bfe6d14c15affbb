#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

class QQuickTextDocument;

// The screenshot-translate controller: capture, recognition, translation of a screen region.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class ScreenshotTransCtrl : public QObject, public QEnableSharedFromThis<ScreenshotTransCtrl>
{
    Q_OBJECT
public:
    explicit ScreenshotTransCtrl(QObject* parent = nullptr);

    void init();
    void startCapture();
    void captureAndTrans(int x, int y, int w, int h);
    void requestTrans();
    void setSourceLanguage(const QString& code);
    void setTargetLanguageDebounced(const QString& code);
    void handleUIForEditor(QQuickTextDocument* document);
    void downloadImg();
    void stopCapture();
};
