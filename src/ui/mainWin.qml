import QtQuick 2.14
import QtQuick.Window 2.14
import QtQuick.Controls 2.14
import "./components"
import "./components/GlobalActions.js" as Global
import "./pages/main"

// The application's windows: the main window and a loader for each secondary window.
Item {
    id: app
    // a margin for the shadow only where a compositing manager blends it; it is black without one
    property bool showWinShadow: $state.windowsComposited && root.visibility !== Window.Maximized
                                 && root.visibility !== Window.FullScreen
    property bool showCopyTransTrigger: $state.showCopyTransTrigger
    property bool showCopyTransDetail: $state.showCopyTransDetail
    property bool initPosi: true
    readonly property string quitStyleHide: "hide"
    readonly property string quitStyleExit: "exit"

    function visibilityName(visibility) {
        switch (visibility) {
        case Window.Windowed: return "normal"
        case Window.Minimized: return "minimized"
        case Window.Maximized: return "maximized"
        case Window.FullScreen: return "fullscreen"
        default: return "hidden"
        }
    }

    function remember(remember, style) {
        if (remember)
            Global.run("setQuitStyle", [style])
    }

    // A window loaded on demand is brought to the front once it exists.
    function present(window) {
        if (typeof window.init === "function")
            window.init()
        window.showNormal()
        window.raise()
        window.requestActivate()
    }

    Component.onCompleted: {
        Global.run("windowCenterInScreen", ["main"])
        initPosi = false
    }

    onShowCopyTransTriggerChanged: {
        triggerWindow.wanted = true
        if (triggerWindow.item)
            triggerWindow.item.visible = showCopyTransTrigger
    }
    onShowCopyTransDetailChanged: {
        transWindow.wanted = true
        if (transWindow.item)
            transWindow.item.visible = showCopyTransDetail
    }

    Window {
        id: root
        objectName: "mainWindow"
        // a top-level window, not transient for the holder Item (which has no window)
        transientParent: null
        visible: true
        width: 960
        height: 600
        minimumWidth: $state.mainWindowSize.minWidth || 0
        minimumHeight: $state.mainWindowSize.minHeight || 0
        title: "Parlavine"
        color: "#00000000"
        flags: Qt.FramelessWindowHint | Qt.WindowMinimizeButtonHint | Qt.WindowMaximizeButtonHint
               | ($state.windowStayBottom ? Qt.WindowStaysOnBottomHint : 0)

        onVisibilityChanged: Global.run("windowVisibilityChange", ["main", app.visibilityName(visibility)])
        onActiveChanged: Global.run("windowActiveChange", ["main", active])
        onVisibleChanged: Global.run("windowStateChange", ["main", visible])

        onClosing: {
            close.accepted = false
            if ($state.quitStyle === app.quitStyleHide)
                Global.run("lowerWindow", [])
            else if ($state.quitStyle === app.quitStyleExit)
                Global.run("windowExit", [])
            else
                quitPop.ask()
        }

        Rectangle {
            id: rect
            anchors.fill: parent
            anchors.margins: app.showWinShadow ? 5 : 0
            color: "#ffffff"
            border.width: 1
            border.color: "#881e90ff"

            Loader {
                id: pagePanel
                objectName: "pagePanel"
                anchors.fill: parent
                anchors.margins: 1
                source: "./pages/main/MainPage.qml"
            }

            WindowControl {
                root: root
                mainWindow: true
                onClose: root.close()
            }
        }

        // A soft edge of nested outlines fading outwards: a blurred copy of the window would keep
        // several window-sized buffers alive.
        Repeater {
            model: app.showWinShadow ? [0.21, 0.12, 0.056, 0.021, 0.007] : []
            Rectangle {
                anchors.fill: rect
                anchors.margins: -(index + 1)
                z: -1
                radius: index + 1
                color: "transparent"
                border.width: 1
                border.color: Qt.rgba(0.2, 0.2, 0.2, modelData)
            }
        }

        HudWatcher {
            objectName: "mainHudWatcher"
            windowName: "main"
        }

        // Built the first time the question is asked; it has no part in the first frame.
        Loader {
            id: quitPop
            active: false
            source: "./pages/main/WindowQuitPop.qml"
            // a popup is no item: the loader does not place it
            onLoaded: {
                item.parent = root.contentItem
                item.anchors.centerIn = root.contentItem
            }

            function ask() {
                active = true
                item.open()
            }
        }

        Connections {
            target: quitPop.item
            function onHideWindow(remember) {
                app.remember(remember, app.quitStyleHide)
                Global.run("lowerWindow", [])
            }
            function onCloseWindow(remember) {
                app.remember(remember, app.quitStyleExit)
                Global.run("windowExit", [])
            }
        }
    }

    component WindowLoader: OptionalLoader {
        onLoaded: app.present(item)
    }

    WindowLoader { id: loginWindow; objectName: "loginWindow"; wanted: $state.showLoginWindow; document: "./pages/login/LoginWindow.qml" }
    WindowLoader { id: screenshotTransWindow; objectName: "screenshotTransWindow"; wanted: $state.showScreenshotTransWindow; document: "./screenshotTransWindow/ScreenshotTransWindow.qml" }
    WindowLoader { id: screenshotTransDetailWindow; objectName: "screenshotTransDetailWindow"; wanted: $state.showScreenshotDetailWindow; document: "./screenshotTransWindow/ScreenshotDetailWindow.qml" }
    WindowLoader { id: aboutWindow; objectName: "aboutWindowLoader"; wanted: $state.showAboutWindow; document: "./aboutWindow/AboutMain.qml" }
    WindowLoader { id: settingWindow; objectName: "settingWindowLoader"; wanted: $state.showSettingWindow; document: "./settingWindow/SettingMain.qml" }
    WindowLoader { id: updateWindow; objectName: "updateWindow"; wanted: $state.showUpdateWindow; document: "./updateWindow/UpdateWindow.qml" }
    WindowLoader { id: termWindow; objectName: "termWindow"; wanted: $state.showTermWindow; document: "./pages/term/TermPage.qml" }
    WindowLoader { id: termSentWindow; objectName: "termSentWindow"; wanted: $state.showTermSentWindow; document: "./pages/termSentence/TermSentPage.qml" }

    // The copy-translate windows stay loaded once used and are shown or hidden from the flags.
    OptionalLoader {
        id: triggerWindow
        objectName: "triggerWindow"
        // Built once the user is in, so that a capture only shows an existing window.
        wanted: $state.userLogined
        document: "./copyTransWindow/CopyTransTriggerWindow.qml"
        onLoaded: item.visible = app.showCopyTransTrigger
    }
    OptionalLoader {
        id: transWindow
        objectName: "transWindow"
        wanted: $state.userLogined
        document: "./copyTransWindow/CopyTransWindow.qml"
        onLoaded: item.visible = app.showCopyTransDetail
    }
}
