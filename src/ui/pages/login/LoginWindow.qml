import QtQuick 2.14
import QtQuick.Window 2.14
import "../../components"

// The login window: one panel at a time, chosen by $state.loginCurPage. It holds the login
// controller for as long as it exists.
DialogWindow {
    id: window
    objectName: "loginWin"
    readonly property var panels: ({ "login": "UserLoginPanel.qml", "forget": "UserForgetPanel.qml",
                                     "register": "UserRegisterPanel.qml" })

    windowName: "login"
    showFlag: "showLoginWindow"
    title: qsTr("登录")
    width: 400 * xScale
    height: 540 * yScale
    flags: Qt.FramelessWindowHint | Qt.WindowMinimizeButtonHint | Qt.WindowMaximizeButtonHint
           | ($state.windowStayBottom ? Qt.WindowStaysOnBottomHint : 0)

    Component.onCompleted: $dispatch.initController($dispatch.Ctrl_UserLogin)
    Component.onDestruction: $dispatch.releaseController($dispatch.Ctrl_UserLogin)

    Shortcut {
        sequence: "Esc"
        onActivated: window.close()
    }

    Loader {
        id: panel
        objectName: "loginPanel"
        anchors.fill: parent
        anchors.topMargin: 30
        source: "./" + (window.panels[$state.loginCurPage] || window.panels.login)
    }

    HUDLoading {
        objectName: "loginLoading"
        anchors.fill: parent
        title: qsTr("登录中...")
        // the automatic-login page shows its own progress
        visible: $state.userSessionUpdating || ($state.userLoginStatus === 1 && !$state.isUserAutoLogin)
    }
}
