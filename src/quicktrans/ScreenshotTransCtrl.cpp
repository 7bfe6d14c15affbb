#include "quicktrans/ScreenshotTransCtrl.h"

#include "core/Debounce.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/Util.h"
#include "core/WeakOwner.h"
#include "filetrans/FileTransService.h"
#include "platform/DesktopScreens.h"
#include "platform/FileDialogs.h"
#include "shell/GlobalCtrl.h"
#include "shell/ImageProvider.h"
#include "shell/WindowState.h"
#include "texttrans/TextTransService.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonObject>
#include <QStandardPaths>
#include <QTimer>
#include <QWindow>

#include <cmath>

namespace {

const QString kScreenshot = QStringLiteral("screenshot");
const QString kClip = QStringLiteral("screenshot_clip");
const QString kDetailWindow = QStringLiteral("screenshotDetail");
const int kHideMainMs = 20;
const int kLanguageDebounceMs = 100;

// Counts recognition and translation requests of every controller: a reply applies only while
// its request is the newest, so a late one never overwrites a newer capture's result. It lives
// outside the controller because a translation reply still lands after the controller is gone.
quint64 latestRequest = 0;

QVariantMap& transData()
{
    return State::instance()->screenshotTransDataRef();
}

QString dataText(const char* key)
{
    return transData().value(QLatin1String(key)).toString();
}

void setTransState(int state)
{
    State::instance()->setScreenshotTransData(state);
}

// Both sides in one language: nothing to translate, and nothing in flight may still answer.
void refuseSameLanguages()
{
    ++latestRequest;
    setTransState(-1);
}

QString encodePng(const QPixmap& pixmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pixmap.toImage().save(&buffer, "PNG", 60);
    return QString::fromLatin1(bytes.toBase64());
}

void savePicture(const QPixmap& picture, const QString& target)
{
    if (!picture.save(target)) {
        Hud::warning(ScreenshotTransCtrl::tr("保存图片失败"), target, kDetailWindow);
        return;
    }
    QuickStorage::instance()->setValue(QStringLiteral("downloadImg_dir"), splitPath(target));
}

// A whole number from a reply, or -1: the service's numbers may lie beyond any integer type.
qint64 offsetOf(const QJsonValue& value)
{
    const double number = value.toDouble(-1);
    if (!(number >= 0 && number <= double(1LL << 53)) || number != std::floor(number))
        return -1;
    return qint64(number);
}

} // namespace

ScreenshotTransCtrl::ScreenshotTransCtrl(QObject* parent)
    : QObject(parent), textService(new TextTransService), fileService(new FileTransService),
      sourceLangDebounce(new Debounce(kLanguageDebounceMs)), targetLangDebounce(new Debounce(kLanguageDebounceMs))
{
}

ScreenshotTransCtrl::~ScreenshotTransCtrl()
{
    delete sourceLangDebounce;
    delete targetLangDebounce;
    if (ImageProvider* images = ImageProvider::instance()) {
        images->removePixmap(kScreenshot);
        images->removePixmap(kClip);
    }
}

void ScreenshotTransCtrl::init() {}

// ---- Capture -----------------------------------------------------------------------------

void ScreenshotTransCtrl::startCapture()
{
    State* state = State::instance();
    // A grab still waiting counts as open: hiding the main window again would save "hidden" as
    // the visibility to restore.
    if (state->showScreenshotTransWindow() || grabPending) {
        log(QStringLiteral("startCapture: has showScreenshotTransWindow"));
        return;
    }
    bool mainShown = false;
    if (QWindow* main = WindowState::instance()->findWindowById(WindowState::Main)) {
        mainShown = main->isVisible();
        savedVisibility = main->visibility();
        main->setVisibility(QWindow::Hidden);
    } else {
        savedVisibility = QWindow::Windowed;
    }
    // An open detail window still uses this controller when the new capture is dismissed.
    transData().insert(QStringLiteral("dontrelease"), state->showScreenshotDetailWindow());
    if (!mainShown) {
        grabScreen();
        return;
    }
    // The hidden main window needs a moment to leave the screen before the picture is taken.
    grabPending = true;
    QTimer::singleShot(kHideMainMs, this, [this] {
        grabPending = false;
        grabScreen();
    });
}

void ScreenshotTransCtrl::grabScreen()
{
    ImageProvider* images = ImageProvider::instance();
    DesktopScreens* screens = DesktopScreens::system();
    const QPoint cursor = screens ? screens->cursorPos() : QPoint();
    const DesktopScreens::Screen screen = screens ? screens->screenAt(cursor) : DesktopScreens::Screen();
    if (!images || screen.isNull()) {
        stopCapture();
        return;
    }
    const QPixmap whole = screens->grabScreenAt(cursor);
    if (whole.isNull()) {
        refuseCapture();
        return;
    }
    // The picture covers this screen alone, in its own device pixels; the capture window covers
    // its work area.
    captureRatio = screen.devicePixelRatio;
    const QRect workArea(screen.workArea.topLeft() - screen.geometry.topLeft(), screen.workArea.size());
    images->setPixmap(kScreenshot, whole.copy(cropRect(workArea, captureRatio, whole.size())));
    // The capture window covers this area, wherever the pointer is by the time it opens.
    transData().insert(QStringLiteral("area"), screen.workArea);
    State::instance()->setShowScreenshotTransWindow(true);
}

void ScreenshotTransCtrl::refuseCapture()
{
    stopCapture();
    log(QStringLiteral("startCapture: the desktop gives no picture of the screen"));
    // Said in the main window, so it has to be on show.
    QWindow* main = WindowState::instance()->findWindowById(WindowState::Main);
    if (main && !main->isVisible())
        GlobalCtrl::instance()->raiseWindow(QStringLiteral("main"));
    Hud::warningInWindow(tr("当前桌面不支持截图"), QString(), {}, QStringLiteral("main"));
}

void ScreenshotTransCtrl::stopCapture()
{
    if (QWindow* main = WindowState::instance()->findWindowById(WindowState::Main))
        main->setVisibility(static_cast<QWindow::Visibility>(savedVisibility));
}

QRect ScreenshotTransCtrl::cropRect(const QRect& selection, qreal ratio, const QSize& pictureSize)
{
    const auto scaled = [ratio](int value) { return static_cast<int>(std::trunc(value * ratio)); };
    const QRect device(scaled(selection.x()), scaled(selection.y()), scaled(selection.width()),
                       scaled(selection.height()));
    return device.intersected(QRect(QPoint(0, 0), pictureSize));
}

void ScreenshotTransCtrl::captureAndTrans(int x, int y, int w, int h)
{
    stopCapture();
    ImageProvider* images = ImageProvider::instance();
    const QPixmap* whole = images ? images->pixmap(kScreenshot) : nullptr;
    if (!whole)
        return;
    const QRect crop = cropRect(QRect(x, y, w, h), captureRatio, whole->size());
    if (crop.isEmpty())
        return;
    images->setPixmap(kClip, whole->copy(crop));
    images->removePixmap(kScreenshot);

    State* state = State::instance();
    QVariantMap& data = transData();
    data.insert(QStringLiteral("source"), QString());
    data.insert(QStringLiteral("target"), QString());
    data.insert(QStringLiteral("autoLang"), true);
    data.insert(QStringLiteral("sourceLang"), QStringLiteral("auto"));
    data.insert(QStringLiteral("sentences"), QVariant());
    data.insert(QStringLiteral("dontrelease"), true);
    data.insert(QStringLiteral("state"), -1);
    emit state->screenshotTransDataChange();
    if (!state->showScreenshotDetailWindow())
        state->setShowScreenshotDetailWindow(true);
    GlobalCtrl::instance()->raiseWindow(kDetailWindow);
    requestTrans();
}

// ---- Recognition and translation ---------------------------------------------------------

void ScreenshotTransCtrl::requestTrans()
{
    ImageProvider* images = ImageProvider::instance();
    const QPixmap* clip = images ? images->pixmap(kClip) : nullptr;
    if (!clip)
        return;
    const quint64 request = ++latestRequest;
    setTransState(1);
    if (dataText("source").isEmpty()) {
        const WeakSelf weak = sharedFromThis();
        fileService->textRecognize(encodePng(*clip), [weak, request](bool ok, const QVariantMap& result) {
            const QSharedPointer<ScreenshotTransCtrl> self = weak.toStrongRef();
            if (!self) {
                log(QStringLiteral("captureAndTrans-release!!!!!!"));
                return;
            }
            self->onRecognizeFinished(request, ok, result);
        });
        return;
    }
    const QJsonArray sentences = transData().value(QStringLiteral("sentences")).toJsonArray();
    QJsonArray textList;
    for (const QJsonValue& sentence : sentences)
        textList.append(sentence.toObject().value(QStringLiteral("str")).toString());
    const QString sourceLang = dataText("sourceLang");
    const QString targetLang = dataText("targetLang");
    if (sourceLang == targetLang) {
        setTransState(-1);
        return;
    }
    const QString source = dataText("source");
    textService->autoTranslation(
        textList, sourceLang, targetLang, QString(),
        [request, source, sentences](bool ok, const QVariantMap& result) {
            onTranslateFinished(request, source, sentences, ok, result);
        },
        false, 3);
}

void ScreenshotTransCtrl::onRecognizeFinished(quint64 request, bool ok, const QVariantMap& result)
{
    if (request != latestRequest)
        return;
    const QString text = result.value(QStringLiteral("text")).toString();
    if (!ok || text.isEmpty()) {
        setTransState(-1);
        return;
    }
    State* state = State::instance();
    QVariantMap& data = transData();
    QString source = dataText("sourceLang");
    QString target = dataText("targetLang");
    if (data.value(QStringLiteral("autoLang")).toBool() || source == QLatin1String("auto")) {
        source = result.value(QStringLiteral("language")).toString();
        if (source == target || target.isEmpty()) {
            const QVariantList preferred =
                state->textTransLangData().value(source).toMap().value(QStringLiteral("targetPrf")).toList();
            if (preferred.isEmpty()) {
                setTransState(-1);
                return;
            }
            target = preferred.constFirst().toString();
        }
    }
    if (source.isEmpty()) {
        setTransState(-1);
        return;
    }
    data.insert(QStringLiteral("sourceLang"), source);
    data.insert(QStringLiteral("targetLang"), target);
    if (source == target) {
        setTransState(-1);
        return;
    }
    QJsonArray sentences = QJsonValue::fromVariant(result.value(QStringLiteral("sentence_list"))).toArray();
    // Without a sentence list the whole text is the one sentence to translate.
    if (sentences.isEmpty())
        sentences.append(QJsonObject{{"str", text}, {"start", 0}, {"len", text.size()}});
    data.insert(QStringLiteral("source"), text);
    data.insert(QStringLiteral("sentences"), QVariant::fromValue(sentences));
    data.insert(QStringLiteral("dontrelease"), state->showScreenshotDetailWindow());
    emit state->screenshotTransDataChange();
    requestTrans();
}

void ScreenshotTransCtrl::onTranslateFinished(quint64 request, const QString& source, const QJsonArray& sentences,
                                              bool ok, const QVariantMap& result)
{
    State* state = State::instance();
    if (request != latestRequest || !state)
        return;
    const QJsonArray translations =
        QJsonValue::fromVariant(result.value(QStringLiteral("auto_translation"))).toArray();
    // No sentence back is no translation: an earlier language's text must not stay as if done.
    if (!ok || translations.isEmpty()) {
        transData().insert(QStringLiteral("target"), QString());
        setTransState(-1);
        return;
    }
    const QString target = assemble(source, sentences, translations);
    transData().insert(QStringLiteral("target"), target);
    log(QStringLiteral("screenshotTrans result: %1"), target);
    setTransState(0);
}

QString ScreenshotTransCtrl::assemble(const QString& source, const QJsonArray& sentences,
                                      const QJsonArray& translations)
{
    if (translations.size() == 1)
        return translations.at(0).toString();
    QString text = source;
    qint64 shift = 0;
    for (int i = 0; i < sentences.size() && i < translations.size(); ++i) {
        const QJsonObject sentence = sentences.at(i).toObject();
        const qint64 start = offsetOf(sentence.value(QStringLiteral("start")));
        const qint64 length = offsetOf(sentence.value(QStringLiteral("len")));
        const qint64 position = start + shift;
        // A sentence outside the text (a reply that does not match it) is left out.
        if (start < 0 || length < 0 || position < 0 || position + length > text.size())
            continue;
        const QString translated = translations.at(i).toString();
        text.replace(int(position), int(length), translated);
        shift += translated.size() - length;
    }
    return text;
}

// ---- Languages ---------------------------------------------------------------------------

void ScreenshotTransCtrl::setSourceLanguage(const QString& code)
{
    sourceLangDebounce->run(WeakOwner::ifAlive(sharedFromThis().toWeakRef(), [code](ScreenshotTransCtrl& self) {
        self.setSourceLanguageNow(code);
    }));
}

void ScreenshotTransCtrl::setSourceLanguageNow(const QString& code)
{
    QVariantMap& data = transData();
    if (code == dataText("sourceLang"))
        return;
    const bool automatic = code == QLatin1String("auto");
    data.insert(QStringLiteral("sourceLang"), code);
    data.insert(QStringLiteral("autoLang"), automatic);
    if (automatic) {
        // Only the recognition tells the language: the service translates from a known one.
        data.insert(QStringLiteral("source"), QString());
        data.insert(QStringLiteral("sentences"), QVariant());
    } else if (code == dataText("targetLang")) {
        refuseSameLanguages();
        return;
    }
    requestTrans();
}

void ScreenshotTransCtrl::setTargetLanguageDebounced(const QString& code)
{
    targetLangDebounce->run(WeakOwner::ifAlive(sharedFromThis().toWeakRef(), [code](ScreenshotTransCtrl& self) {
        self.setTargetLanguage(code);
    }));
}

void ScreenshotTransCtrl::setTargetLanguage(const QString& code)
{
    if (code == dataText("targetLang"))
        return;
    transData().insert(QStringLiteral("targetLang"), code);
    log(QStringLiteral("ScreenshotTransCtrl::setTargetLanguage: %1"), code);
    if (code == dataText("sourceLang")) {
        refuseSameLanguages();
        return;
    }
    requestTrans();
}

void ScreenshotTransCtrl::handleUIForEditor(QQuickTextDocument*) {}

// ---- Saving ------------------------------------------------------------------------------

void ScreenshotTransCtrl::downloadImg()
{
    ImageProvider* images = ImageProvider::instance();
    const QPixmap* clip = images ? images->pixmap(kClip) : nullptr;
    if (!clip)
        return;
    // The dialog runs its own event loop, in which the controller and its images may go.
    const QPixmap picture = *clip;
    QString folder = QuickStorage::instance()->getValue(QStringLiteral("downloadImg_dir"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString suggested = folder + QDir::separator()
                              + QStringLiteral("Screenshot_%1.png")
                                    .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss")));
    const QString chosen = FileDialogs::current().saveFile(tr("保存图片"), suggested, QStringLiteral("Images (*.png)"));
    if (chosen.isEmpty())
        return;
    if (!QFileInfo(chosen).suffix().isEmpty()) {
        savePicture(picture, chosen);
        return;
    }
    const QString target = chosen + QStringLiteral(".png");
    // The dialog asked about the name it returned, not about the one with the suffix added.
    if (QFileInfo::exists(target)) {
        Hud::askStatic(
            tr("文件已存在，是否替换？"), target, [picture, target] { savePicture(picture, target); }, [] {},
            kDetailWindow);
        return;
    }
    savePicture(picture, target);
}
