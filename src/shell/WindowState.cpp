#include "shell/WindowState.h"

#include "core/Log.h"
#include "core/State.h"

#include <QGuiApplication>

static WindowState* s_windowState = nullptr;
static bool s_windowStateDestroyed = false;

static const char* const kWindowNames[WindowState::WindowCount] = {
    "main", "update", "setting", "about", "copyTransTrigger", "copyTransDetail",
    "term", "termSent", "login", "screenshotTrans", "screenshotDetail", "socailLogin"};

WindowState* WindowState::instance()
{
    if (!s_windowState && !s_windowStateDestroyed)
        s_windowState = new WindowState;
    return s_windowState;
}

WindowState::WindowState(QObject* parent) : QObject(parent)
{
    for (int id = 0; id < WindowCount; ++id)
        active.insert(id, false);
}

WindowState::~WindowState()
{
    s_windowState = nullptr;
    s_windowStateDestroyed = true;
}

int WindowState::idOf(const QString& name)
{
    for (int id = 0; id < WindowCount; ++id) {
        if (name == QLatin1String(kWindowNames[id]))
            return id;
    }
    return -1;
}

QString WindowState::title(int id)
{
    switch (id) {
    case Main: return QStringLiteral("Parlavine");
    case Update: return tr("更新");
    case Setting: return tr("设置");
    case About: return tr("关于");
    case CopyTransTrigger: return QStringLiteral("Parlavine_CopyTransTrigger");
    case CopyTransDetail: return QStringLiteral("Parlavine_CopyTrans");
    case Term: return tr("术语库");
    case TermSent: return tr("例句库");
    case Login: return tr("登录");
    case ScreenshotTrans: return tr("截屏");
    case ScreenshotDetail: return tr("截图翻译");
    case SocailLogin: return tr("社交登录");
    default: return QString();
    }
}

QWindow* WindowState::findWindowByTitle(const QString& title) const
{
    for (QWindow* window : QGuiApplication::allWindows()) {
        if (window->title() == title)
            return window;
    }
    return nullptr;
}

QWindow* WindowState::findWindowById(int id) const
{
    const QString text = title(id);
    return text.isEmpty() ? nullptr : findWindowByTitle(text);
}

QWindow* WindowState::findWindowByName(const QString& name) const
{
    const int id = idOf(name);
    return id < 0 ? nullptr : findWindowById(id);
}

WId WindowState::winIdByTitle(const QString& title) const
{
    QWindow* window = findWindowByTitle(title);
    return window ? window->winId() : WId(-1);
}

WId WindowState::winIdByName(const QString& name) const
{
    const int id = idOf(name);
    return id < 0 ? WId(-1) : winIdByTitle(title(id));
}

void WindowState::addWindow(const QString& name)
{
    const int id = idOf(name);
    if (id >= 0)
        addWindowId(id, winIdByTitle(title(id)));
}

void WindowState::addWindowId(int id, WId handle)
{
    log(QStringLiteral("windowState-addWindowId: %1"), title(id));
    handles.insert(id, handle);
    active.insert(id, true);
}

void WindowState::removeWindow(const QString& name)
{
    const int id = idOf(name);
    if (id >= 0)
        removeWindowId(id);
}

void WindowState::removeWindowId(int id)
{
    log(QStringLiteral("windowState-removeWindowId: %1"), title(id));
    handles.remove(id);
    active.insert(id, false);
}

void WindowState::setWindowActive(int id, bool isActive)
{
    log(QStringLiteral("windowState-setWindowActive: %1, %2"), title(id),
        isActive ? QStringLiteral("true") : QStringLiteral("false"));
    active.insert(id, isActive);
}

void WindowState::setWindowActive(const QString& name, bool isActive)
{
    const int id = idOf(name);
    if (id >= 0)
        setWindowActive(id, isActive);
}

bool WindowState::isWindowActive(int id) const
{
    return active.value(id, false);
}

bool WindowState::hasActiveWindow() const
{
    // The pop-ups beside a selection or a screenshot do not make the application active.
    for (int id : {Main, Update, Setting, About, Term, TermSent, Login, ScreenshotTrans, SocailLogin}) {
        if (isWindowActive(id))
            return true;
    }
    return false;
}

WId WindowState::handle(int id) const
{
    return handles.value(id, 0);
}

bool WindowState::containsHandle(WId handle) const
{
    return idOfHandle(handle) >= 0;
}

int WindowState::idOfHandle(WId handle) const
{
    for (auto it = handles.cbegin(); it != handles.cend(); ++it) {
        if (it.value() == handle)
            return it.key();
    }
    return -1;
}

bool WindowState::isResizableWindow(WId handle) const
{
    const int id = idOfHandle(handle);
    return id == Main || id == Term || id == TermSent || id == ScreenshotDetail;
}

int WindowState::captionHeight(WId handle)
{
    if (captionHeightValue < 0) {
        const double scale = State::instance()->windowHeightScale();
        captionHeightValue = int(26 + 10 * scale);
        smallCaptionHeightValue = int(22 + 10 * scale);
    }
    switch (idOfHandle(handle)) {
    case CopyTransDetail: return smallCaptionHeightValue;
    case ScreenshotTrans: return 0;
    default: return captionHeightValue;
    }
}

int WindowState::captionRightInset(WId handle) const
{
    switch (idOfHandle(handle)) {
    case CopyTransDetail: return 92;
    case Update:
    case Setting:
    case About:
    case Login: return 50;
    case ScreenshotTrans: return 0;
    default: return 154;
    }
}
