import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"
import "../../components/GlobalActions.js" as Global

Item {
    id: container
    property bool isEnglish: $state.language === "en"
    property bool isLinux: $state.platform === "linux"
    property bool isWin: $state.platform === "win"
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    property bool userLogined: $state.userLogined
    property color iconColor: "#9a9a9a"
    property color hlColor: winColor.hlText
    property color hlaColor: "#889a9a9a"
    property string shortcutScreenshotTrans: $state.shortcutScreenshotTrans
    // the narrowest the bar may get: the select switch with a margin on each side
    readonly property real minimumWidth: copyTransSwitch.width + 12
    function openPage(page) {
        $state.mainCurPage = page
    }

    function copyTransTip() {
        var tip = qsTr("开启后，划动鼠标选词时会自动提示翻译结果")
        if ($state.shortcutCopyTransOpen !== "" || $state.shortcutCopyTransQuick !== "")
            tip += "\n" + qsTr("开启快捷键:") + $state.shortcutCopyTransOpen + "；"
                   + qsTr("快速翻译快捷键:") + $state.shortcutCopyTransQuick
        return tip
    }

    // The "more" menu, shared by the native and the drawn menu.
    function menuAction(name) {
        switch (name) {
        case "setting":
            $state.settingCurTab = "general"
            Global.run("raiseWindow", ["setting"])
            break
        case "feedback":
            Qt.openUrlExternally($state.webLinks.feedback)
            break
        case "chatGroup":
            Qt.openUrlExternally($state.webLinks.chatGroup)
            break
        case "about":
            Global.run("raiseWindow", ["about"])
            break
        case "logout":
            // The login controller is released once a login window closes.
            $dispatch.initController($dispatch.Ctrl_UserLogin)
            $dispatch.run($dispatch.Ctrl_UserLogin, "logout", [])
            $dispatch.releaseController($dispatch.Ctrl_UserInfo)
            $dispatch.releaseController($dispatch.Ctrl_TermSent)
            $dispatch.releaseController($dispatch.Ctrl_Term)
            break
        case "quit":
            Qt.quit()
            break
        }
    }

    function openMenu() {
        moreMenu.active = true
        moreMenu.item.open(moreBtn)
    }

    component SidebarBtn: IconButton {
        property string page: ""
        height: 32
        size: 22
        selected: page !== "" && $state.mainCurPage === page
        normalColor: container.iconColor
        hoverColor: container.winColor.mainBtnHover
        selectColor: container.hlColor
        tipXOff: width + 6
        tipYOff: 4
    }

    UserAvatar {
        id: avatar
        objectName: "avatar"
        anchors.top: parent.top
        anchors.topMargin: 20 * container.yScale
        anchors.horizontalCenter: parent.horizontalCenter
        height: 32
        fontSize: 16
        tip: qsTr("用户中心")
        onClicked: {
            if (container.userLogined)
                container.openPage("userPage")
            else
                Global.run("raiseWindow", ["login"])
        }
    }

    Column {
        id: pageSwitchBox
        anchors.top: avatar.bottom
        anchors.topMargin: 25 * container.yScale
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 16 * container.yScale

        SidebarBtn {
            objectName: "textTransBtn"
            icon: 0xe805
            tip: qsTr("文本翻译")
            page: "textTransPage"
            onClicked: container.openPage("textTransPage")
        }
        SidebarBtn {
            objectName: "fileTransBtn"
            icon: 0xe806
            tip: qsTr("文件翻译")
            page: "fileTransPage"
            onClicked: container.openPage("fileTransPage")
        }
        SidebarBtn {
            objectName: "termBtn"
            icon: 0xe807
            tip: qsTr("术语库")
            onClicked: Global.run("raiseWindow", ["term"])
        }
        SidebarBtn {
            objectName: "termSentBtn"
            icon: 0xe808
            tip: qsTr("例句库")
            onClicked: Global.run("raiseWindow", ["termSent"])
        }
    }

    Column {
        id: toolBox
        anchors.bottom: sysSwitchBox.top
        anchors.bottomMargin: 20 * container.yScale
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 20 * container.yScale

        SwitchButton {
            id: copyTransSwitch
            objectName: "copyTransSwitch"
            anchors.horizontalCenter: parent.horizontalCenter
            height: 24
            fontSize: 10
            text: qsTr("划词")
            checked: $state.copyTransBySelect
            visible: container.isWin || container.isLinux
            tip: container.copyTransTip()
            onClicked: Global.run("switchCopyTransBySelect", [!checked, "main"])
        }

        SidebarBtn {
            id: screenshotItem
            objectName: "screenshotItem"
            anchors.horizontalCenter: parent.horizontalCenter
            icon: 0xe6e8
            tip: qsTr("截图翻译") + (container.shortcutScreenshotTrans !== "" ? " " + container.shortcutScreenshotTrans : "")
            onClicked: {
                $dispatch.initController($dispatch.Ctrl_ScreenshotTrans)
                $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "startCapture", [])
            }
        }

        SidebarBtn {
            id: miniTransItem
            objectName: "miniTransItem"
            anchors.horizontalCenter: parent.horizontalCenter
            icon: 0xe809
            tip: qsTr("开启迷你翻译窗口")
            onClicked: Global.run("setMiniTransWindow", [true, true])
        }
    }

    Column {
        id: sysSwitchBox
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 20 * container.yScale
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 20

        SidebarBtn {
            id: moreBtn
            objectName: "moreBtn"
            icon: 0xe80a
            tip: qsTr("更多")
            onClicked: container.openMenu()
        }
    }

    Rectangle {
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: 1
        color: container.winColor.line3
    }

    // Built on first use: the menus and their controls have no part in the first frame.
    Loader {
        id: moreMenu
        active: false
        source: "MoreMenu.qml"
    }

    Connections {
        target: moreMenu.item
        function onAction(name) {
            container.menuAction(name)
        }
    }
}
