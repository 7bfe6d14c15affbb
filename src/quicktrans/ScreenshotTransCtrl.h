#pragma once

#include <QEnableSharedFromThis>
#include <QJsonArray>
#include <QObject>
#include <QRect>
#include <QSharedPointer>
#include <QString>
#include <QVariantMap>

class Debounce;
class FileTransService;
class QQuickTextDocument;
class TextTransService;

// The screenshot-translate controller: capture, recognition, translation of a screen region.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class ScreenshotTransCtrl : public QObject, public QEnableSharedFromThis<ScreenshotTransCtrl>
{
    Q_OBJECT
public:
    explicit ScreenshotTransCtrl(QObject* parent = nullptr);
    ~ScreenshotTransCtrl() override;

    void init();
    void startCapture();
    void captureAndTrans(int x, int y, int w, int h);
    void requestTrans();
    void setSourceLanguage(const QString& code);
    void setTargetLanguageDebounced(const QString& code);
    void handleUIForEditor(QQuickTextDocument* document);
    void downloadImg();
    void stopCapture();

    // The device pixels of a selection made in logical units at ratio, clipped to a picture of
    // pictureSize device pixels; empty when nothing of it lies on the picture.
    static QRect cropRect(const QRect& selection, qreal ratio, const QSize& pictureSize);
    // The recognised text with each sentence replaced by its translation, in order; a single
    // translation stands for the whole text.
    static QString assemble(const QString& source, const QJsonArray& sentences, const QJsonArray& translations);

private:
    using WeakSelf = QWeakPointer<ScreenshotTransCtrl>;

    void grabScreen();
    void refuseCapture();
    void onRecognizeFinished(quint64 request, bool ok, const QVariantMap& result);
    static void onTranslateFinished(quint64 request, const QString& source, const QJsonArray& sentences, bool ok,
                                    const QVariantMap& result);
    void setSourceLanguageNow(const QString& code);
    void setTargetLanguage(const QString& code);

    QSharedPointer<TextTransService> textService;
    QSharedPointer<FileTransService> fileService;
    Debounce* sourceLangDebounce = nullptr;
    Debounce* targetLangDebounce = nullptr;
    int savedVisibility = 2; // QWindow::Windowed
    bool grabPending = false;
    qreal captureRatio = 1.0; // of the screen the picture was taken on
};
