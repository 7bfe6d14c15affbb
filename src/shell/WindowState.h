#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QWindow>

// The application's twelve top-level QML windows: names, ids, titles, the native handle of each
// shown window, an active flag per window, and the caption metrics the frameless filter needs.
// Windows are found by title, so every QML window carries exactly the title listed here.
class WindowState : public QObject
{
    Q_OBJECT
public:
    enum WindowId {
        Main = 0,
        Update,
        Setting,
        About,
        CopyTransTrigger,
        CopyTransDetail,
        Term,
        TermSent,
        Login,
        ScreenshotTrans,
        ScreenshotDetail,
        SocailLogin,
        WindowCount
    };

    static WindowState* instance(); // created on first call; null once destroyed at exit
    ~WindowState() override;

    static int idOf(const QString& name); // -1 for a name outside the table
    // Translated when asked: a window may be looked up before start-up installs the translator.
    static QString title(int id);

    QWindow* findWindowByTitle(const QString& title) const;
    QWindow* findWindowById(int id) const;
    QWindow* findWindowByName(const QString& name) const;
    WId winIdByTitle(const QString& title) const; // WId(-1) when no window has the title
    WId winIdByName(const QString& name) const;

    void addWindow(const QString& name);
    void addWindowId(int id, WId handle);
    void removeWindow(const QString& name);
    void removeWindowId(int id);
    void setWindowActive(int id, bool active);
    void setWindowActive(const QString& name, bool active);
    bool isWindowActive(int id) const;
    bool hasActiveWindow() const;

    WId handle(int id) const; // 0 when the window is not registered
    bool containsHandle(WId handle) const;
    bool isResizableWindow(WId handle) const;
    int captionHeight(WId handle);      // logical pixels
    int captionRightInset(WId handle) const; // room for the window buttons, logical pixels

private:
    explicit WindowState(QObject* parent = nullptr);
    int idOfHandle(WId handle) const;

    QMap<int, WId> handles;
    QMap<int, bool> active;
    // Fixed at first use, which comes after start-up has measured the screen.
    int captionHeightValue = -1;
    int smallCaptionHeightValue = -1;
};
