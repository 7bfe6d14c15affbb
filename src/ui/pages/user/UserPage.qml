import QtQuick 2.14
import "../../components"

// The account page: who is signed in, logout, and the profile, bill and password sub-pages.
Item {
    id: userPage
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    // Accounts of a social login have no password of their own to change.
    readonly property bool hasPassword: $state.userLoginType === 0
    property string curPage: "info"

    function logout() {
        // After an automatic login controller 1 is gone; the login window that follows the
        // logout releases it again.
        $dispatch.initController($dispatch.Ctrl_UserLogin)
        $dispatch.run($dispatch.Ctrl_UserLogin, "logout", [])
    }

    function pageDocument(page) {
        switch (page) {
        case "bill": return "./UserBill.qml"
        case "changePsw": return "./UserChangePsw.qml"
        default: return "./UserInfo.qml"
        }
    }

    Component.onCompleted: $dispatch.initController($dispatch.Ctrl_UserInfo)
    Component.onDestruction: $dispatch.releaseController($dispatch.Ctrl_UserInfo)

    component NaviButton: Rectangle {
        id: navi
        property string page: ""
        property string title: ""
        readonly property bool current: userPage.curPage === page
        property bool hovered: false
        width: parent.width
        height: 40 * userPage.yScale
        radius: 4
        color: current ? userPage.winColor.inputSelect : hovered ? userPage.winColor.contentBG2 : "transparent"

        Text {
            anchors.fill: parent
            anchors.leftMargin: 16
            verticalAlignment: Text.AlignVCenter
            text: navi.title
            textFormat: Text.PlainText
            elide: Text.ElideRight
            font.pixelSize: userPage.winFontSize.normal
            font.bold: navi.current
            color: navi.current ? userPage.winColor.hlText : userPage.winColor.bodyText
        }

        MouseArea {
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onEntered: navi.hovered = true
            onExited: navi.hovered = false
            onClicked: userPage.curPage = navi.page
        }
    }

    Rectangle {
        id: infoPanel
        objectName: "infoPanel"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: 200 * userPage.xScale
        color: userPage.winColor.contentBG2

        Column {
            anchors.top: parent.top
            anchors.topMargin: 30 * userPage.yScale
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.margins: 12
            spacing: 12 * userPage.yScale

            UserAvatar {
                objectName: "pageAvatar"
                anchors.horizontalCenter: parent.horizontalCenter
                height: 64
                fontSize: 28
                pureColor: "#0052d9"
                disableMouseArea: true
            }

            Text {
                objectName: "pageUserName"
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: $state.userName
                textFormat: Text.PlainText
                elide: Text.ElideMiddle
                font.pixelSize: userPage.winFontSize.medium
                font.bold: true
                color: userPage.winColor.h1Text
            }

            LiteButton {
                objectName: "logoutBtn"
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("退出登录")
                normalColor: userPage.winColor.titleText
                hoverColor: userPage.winColor.bodyText
                onClicked: userPage.logout()
            }

            Item { width: 1; height: 12 * userPage.yScale }

            NaviButton { objectName: "naviInfo"; page: "info"; title: qsTr("基本信息") }
            NaviButton { objectName: "naviBill"; page: "bill"; title: qsTr("消费记录") }
            NaviButton {
                objectName: "naviChangePsw"
                page: "changePsw"
                title: qsTr("修改密码")
                visible: userPage.hasPassword
            }
        }
    }

    Loader {
        id: subPage
        objectName: "userSubPage"
        anchors.left: infoPanel.right
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        source: userPage.pageDocument(userPage.curPage)
        onLoaded: {
            if (item.naviPop)
                item.naviPop.connect(function() { userPage.curPage = "info" })
        }
    }
}
