import QtQuick 2.14
import QtQuick.Window 2.14

// The caption buttons at the top right of a frameless window: minimise, maximise/restore, close.
Rectangle {
    id: titleBar
    property var root: null
    property bool showMini: true
    property bool showMax: true
    property bool mainWindow: false
    property var winColor: $state.windowColor
    property color normalColor: winColor.iconBtnNormal
    // a light background under the dark theme's light icons would hide them
    property color hoverColor: winColor.type === 1 ? "#3a3a3a" : "#d9e0e0e0"
    property color selectColor: winColor.type === 1 ? "#2c2c2c" : "#e0e0e0"
    property real yScale: $state.windowHeightScale
    readonly property bool _maximized: root !== null && root.visibility === Window.Maximized

    signal close()

    color: "transparent"
    anchors.top: parent ? parent.top : undefined
    anchors.right: parent ? parent.right : undefined
    width: buttons.width
    height: 32 * yScale

    Row {
        id: buttons
        height: parent.height
        spacing: 2

        Rectangle {
            width: 50
            height: parent.height
            visible: titleBar.showMini
            color: miniBtn.mPressed ? titleBar.selectColor : miniBtn.hovered ? titleBar.hoverColor : "transparent"
            IconButton {
                id: miniBtn
                objectName: "miniBtn"
                anchors.fill: parent
                icon: 0xe61c
                size: 12
                tip: qsTr("最小化")
                normalColor: titleBar.normalColor
                hoverColor: titleBar.normalColor
                selectColor: titleBar.normalColor
                onClicked: {
                    if (titleBar.root)
                        titleBar.root.showMinimized()
                }
            }
        }

        Rectangle {
            width: 50
            height: parent.height
            visible: titleBar.showMax
            color: maxButton.mPressed ? titleBar.selectColor : maxButton.hovered ? titleBar.hoverColor : "transparent"
            IconButton {
                id: maxButton
                objectName: "maxButton"
                anchors.fill: parent
                icon: titleBar._maximized ? 0xe801 : 0xe800
                size: 12
                tip: titleBar._maximized ? qsTr("恢复") : qsTr("最大化")
                normalColor: titleBar.normalColor
                hoverColor: titleBar.normalColor
                selectColor: titleBar.normalColor
                onClicked: {
                    if (titleBar.root)
                        titleBar.root.visibility = titleBar._maximized ? Window.Windowed : Window.Maximized
                }
            }
        }

        Rectangle {
            width: 50
            height: parent.height
            color: closeBtn.mPressed ? "#d9f44336" : closeBtn.hovered ? "#f44336" : "transparent"
            IconButton {
                id: closeBtn
                objectName: "closeBtn"
                anchors.fill: parent
                icon: 0xe61a
                size: 12
                tip: qsTr("关闭")
                normalColor: titleBar.normalColor
                hoverColor: "#fff"
                selectColor: "#fff"
                onClicked: titleBar.close()
            }
        }
    }
}
