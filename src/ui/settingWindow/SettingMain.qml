import QtQuick 2.14
import "../components"

DialogWindow {
    id: window
    objectName: "settingWindow"
    property bool isWin: $state.platform === "win"
    property bool isLinux: $state.platform === "linux"
    property bool isEnglish: $state.language === "en"
    property string curTab: $state.settingCurTab

    windowName: "setting"
    showFlag: "showSettingWindow"
    title: qsTr("设置")
    width: 640 * xScale
    height: 570 * yScale

    component TabBtn: IconTextVerticalButton {
        property string tab: ""
        readonly property bool _selected: window.curTab === tab
        height: 56
        iconSize: 22
        size: window.winFontSize.normal
        normalColor: _selected ? window.winColor.hlText : window.winColor.iconBtnNormal
        hoverColor: "#880052d9"
        onClicked: $state.settingCurTab = tab
    }

    Row {
        id: titleRow
        x: 20
        height: 64
        spacing: 10

        TabBtn {
            id: generalBtn
            objectName: "generalBtn"
            anchors.verticalCenter: parent.verticalCenter
            width: 85
            icon: 0xe615
            text: qsTr("通用")
            tab: "general"
        }
        TabBtn {
            id: copyTransBtn
            objectName: "copyTransBtn"
            anchors.verticalCenter: parent.verticalCenter
            visible: window.isWin || window.isLinux
            icon: 0xe7e1
            text: qsTr("划词翻译")
            tab: "copyTrans"
        }
        TabBtn {
            id: screenshotTransBtn
            objectName: "screenshotTransBtn"
            anchors.verticalCenter: parent.verticalCenter
            icon: 0xe6e8
            text: qsTr("截图翻译")
            tab: "screenshotTrans"
        }
    }

    Rectangle {
        id: titleLine
        anchors.top: titleRow.bottom
        width: parent.width
        height: 1
        color: window.winColor.line
    }

    Item {
        anchors.top: titleLine.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 20

        Loader {
            anchors.fill: parent
            active: window.curTab === "general"
            source: "SettinngGeneralPanel.qml"
        }
        OptionalLoader {
            anchors.fill: parent
            wanted: window.curTab === "copyTrans"
            document: "SettingCopyTransPanel.qml"
        }
        OptionalLoader {
            anchors.fill: parent
            wanted: window.curTab === "screenshotTrans"
            document: "SettingScreenshotTransPanel.qml"
        }
    }
}
