import QtQuick 2.14

Item {
    id: container
    property int checkSize: 12
    property int checkTopFix: 0
    property int textSize: 12
    property string text: ""
    property bool checked: false
    property bool hovered: false
    property string tip: ""
    property int tipDelay: 2000
    property int tipTimeout: 3000
    property int tipXOff: 0
    property int tipYOff: -25
    property var winColor: $state.windowColor
    property color checkColor: winColor.checkBtn

    height: 16
    implicitWidth: checkBox.width + 6 + label.implicitWidth

    Rectangle {
        id: checkBox
        width: container.checkSize
        height: container.checkSize
        y: (container.height - height) / 2 + container.checkTopFix
        radius: 2
        color: container.checked ? container.checkColor : "transparent"
        border.width: container.checked ? 0 : 1
        border.color: "#797979"

        IconImage {
            anchors.centerIn: parent
            visible: container.checked
            icon: 0xe804
            size: container.checkSize - 2
            color: "#fff"
        }
    }

    Text {
        id: label
        anchors.left: checkBox.right
        anchors.leftMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        text: container.text
        textFormat: Text.PlainText
        color: container.winColor.bodyText2
        font.pixelSize: $state.windowFontSize.small
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: container.hovered = true
        onExited: container.hovered = false
        onPressed: tipText.dismiss()
        onClicked: container.checked = !container.checked
    }

    PToolTip {
        id: tipText
        text: container.tip
        delay: container.tipDelay
        timeout: container.tipTimeout
        x: container.tipXOff
        y: container.tipYOff
        wanted: container.hovered && container.tip !== ""
    }
}
