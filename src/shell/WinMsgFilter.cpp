#include "shell/WinMsgFilter.h"

#include "core/ExitCodes.h"
#include "core/Hud.h"
#include "core/State.h"
#include "platform/FramelessHelper.h"
#include "platform/SystemTheme.h"
#include "shell/GlobalCtrl.h"
#include "shell/WindowState.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QStyleHints>

WinMsgFilter::WinMsgFilter(QObject* parent) : QObject(parent) {}

void WinMsgFilter::install()
{
    qApp->installEventFilter(this);
    connect(GlobalCtrl::instance()->systemTheme(), &SystemTheme::changed, this, &WinMsgFilter::onSystemSettingChange);
    for (QScreen* screen : QGuiApplication::screens())
        followScreen(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &WinMsgFilter::followScreen);
}

void WinMsgFilter::followScreen(QScreen* screen)
{
    // A scale change of the main window's own screen counts like a move to another screen.
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this, screen] {
        QWindow* main = WindowState::instance()->findWindowById(WindowState::Main);
        if (main && main->screen() == screen)
            onMainScreenChanged(screen);
    });
}

void WinMsgFilter::followWindow(QWindow* window)
{
    if (window->property("parlavineFollowed").toBool())
        return;
    window->setProperty("parlavineFollowed", true);
    connect(window, &QWindow::screenChanged, this, &WinMsgFilter::onMainScreenChanged);
}

void WinMsgFilter::onMainScreenChanged(QScreen* screen)
{
    if (screen)
        onScaleChanged(screen->logicalDotsPerInch() / 96.0 * screen->devicePixelRatio());
}

void WinMsgFilter::onScaleChanged(double scale)
{
    State* state = State::instance();
    // A copy-translate pop-up moves between screens all the time; it decides nothing here.
    if (state->showCopyTransTrigger() || state->showCopyTransDetail())
        return;
    state->setScreenDpi(scale);
    if (scale == state->startScreenScale) {
        if (dpiHudTag >= 0)
            Hud::instance()->cancelBtnTap(dpiHudTag);
        dpiHudTag = -1;
        return;
    }
    if (dpiHudTag >= 0)
        return;
    dpiHudTag = Hud::askStatic(
        QString(), QStringLiteral("检测到你屏幕发生变化，可重启Parlavine获得最佳的界面显示"),
        [] { QCoreApplication::exit(RestartExitCode); }, [this] { dpiHudTag = -1; }, QStringLiteral("main"));
}

void WinMsgFilter::onSystemSettingChange()
{
    if (State::instance()->appThemeMode() == 0)
        GlobalCtrl::instance()->setAppColorThemeMode(0);
}

int WinMsgFilter::hitCodeAt(QWindow* window, const QPoint& globalPos) const
{
    WindowState* windows = WindowState::instance();
    const WId id = window->winId();
    // Event positions and window geometry are both in logical pixels: the scale is already in.
    return FramelessHelper::hitTest(FramelessHelper::frameOf(window->geometry()), globalPos, 1.0,
                                    windows->captionHeight(id), windows->captionRightInset(id),
                                    windows->isResizableWindow(id) && window->visibility() != QWindow::Maximized);
}

bool WinMsgFilter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (!watched->isWindowType()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease
            && type != QEvent::MouseButtonDblClick))
        return false;
    auto* window = static_cast<QWindow*>(watched);
    // Only the registered windows draw their own frame.
    if (!WindowState::instance()->containsHandle(window->winId()))
        return false;
    if (window->title() == WindowState::title(WindowState::Main))
        followWindow(window);
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress: return onPress(window, mouse);
    case QEvent::MouseMove: return onMove(window, mouse);
    case QEvent::MouseButtonDblClick: return onDoubleClick(window, mouse);
    default: {
        const bool dragging = drag.window == window;
        drag = Drag();
        return dragging;
    }
    }
}

bool WinMsgFilter::onPress(QWindow* window, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const int code = hitCodeAt(window, event->globalPos());
    if (code == FramelessHelper::HitNone)
        return false;
    const Qt::Edges edges = FramelessHelper::edgesOf(code);
    drag = {window, edges, event->globalPos(), window->geometry(), !edges};
    // Where no window manager takes the drag over, the window follows the mouse by hand.
    if (edges && window->startSystemResize(edges))
        drag = Drag();
    return true;
}

bool WinMsgFilter::onMove(QWindow* window, QMouseEvent* event)
{
    if (drag.window == window && (event->buttons() & Qt::LeftButton)) {
        const QPoint delta = event->globalPos() - drag.pressGlobal;
        if (drag.awaitingMove) {
            if (delta.manhattanLength() < QGuiApplication::styleHints()->startDragDistance())
                return true;
            drag.awaitingMove = false;
            if (window->startSystemMove()) {
                drag = Drag();
                return true;
            }
        }
        if (drag.edges)
            window->setGeometry(
                FramelessHelper::resized(drag.startGeometry, drag.edges, delta, window->minimumSize()));
        else
            window->setPosition(drag.startGeometry.topLeft() + delta);
        return true;
    }
    if (event->buttons() != Qt::NoButton)
        return false;
    const int code = hitCodeAt(window, event->globalPos());
    const bool onBand = code != FramelessHelper::HitNone && code != FramelessHelper::HitCaption;
    if (onBand) {
        window->setCursor(FramelessHelper::cursorOf(code));
        cursorSet = true;
    } else if (cursorSet) {
        window->unsetCursor();
        cursorSet = false;
    }
    return false;
}

bool WinMsgFilter::onDoubleClick(QWindow* window, QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton
        || hitCodeAt(window, event->globalPos()) != FramelessHelper::HitCaption
        || !WindowState::instance()->isResizableWindow(window->winId()))
        return false;
    drag = Drag();
    window->setWindowState(window->windowStates() & Qt::WindowMaximized ? Qt::WindowNoState : Qt::WindowMaximized);
    return true;
}
