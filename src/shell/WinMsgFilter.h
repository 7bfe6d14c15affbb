#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWindow>

class QMouseEvent;
class QScreen;

// Gives the application's frameless windows the behaviour of framed ones: the drawn caption
// drags the window, the edges of resizable windows resize it, a caption double click maximises
// or restores, a move to a screen of another scale offers a restart, and the theme follows the
// desktop while the theme mode says so. Start-up installs one on the application object.
class WinMsgFilter : public QObject
{
    Q_OBJECT
public:
    explicit WinMsgFilter(QObject* parent = nullptr);

    // Installs the filter on the application and follows the screens and the desktop theme.
    void install();

    bool eventFilter(QObject* watched, QEvent* event) override;

    // The scale of the screen a window now lives on; asks once about restarting while it
    // differs from the scale the program started with.
    void onScaleChanged(double scale);
    void onSystemSettingChange();
    int pendingScaleQuestion() const { return dpiHudTag; }

private:
    struct Drag
    {
        QPointer<QWindow> window;
        Qt::Edges edges; // none: moving
        QPoint pressGlobal;
        QRect startGeometry;
        // Pressed in the caption, not moved yet: handing the move to the window manager now would
        // let it take the second click of a double click.
        bool awaitingMove = false;
    };

    void followWindow(QWindow* window);
    void followScreen(QScreen* screen);
    int hitCodeAt(QWindow* window, const QPoint& globalPos) const;
    bool onPress(QWindow* window, QMouseEvent* event);
    bool onMove(QWindow* window, QMouseEvent* event);
    bool onDoubleClick(QWindow* window, QMouseEvent* event);
    void onMainScreenChanged(QScreen* screen);

    int dpiHudTag = -1;
    Drag drag;
    bool cursorSet = false;
};
