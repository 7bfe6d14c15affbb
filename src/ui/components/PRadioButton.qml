import QtQuick 2.14

// A radio button; the page sets checked in answer to clicked().
Item {
    id: container
    property var winColor: $state.windowColor
    property bool checked: false
    property string text: ""
    property int textSize: 14
    property color textColor: winColor.radioBtnText
    property color iconColor: winColor.radioBtn
    property color iconBgColor: winColor.radioBtnBG
    property int iconSize: 14

    signal clicked()

    height: 32
    implicitWidth: dotBg.width + 8 + label.implicitWidth

    Rectangle {
        id: dotBg
        width: container.iconSize
        height: width
        radius: width / 2
        anchors.verticalCenter: parent.verticalCenter
        color: container.iconBgColor
        border.width: 1
        border.color: container.checked ? container.iconColor : "#d9d9d9"

        Rectangle {
            id: dot
            visible: container.checked
            anchors.centerIn: parent
            width: parent.width / 2
            height: width
            radius: width / 2
            color: container.iconColor
        }
    }

    Text {
        id: label
        anchors.left: dotBg.right
        anchors.leftMargin: 8
        anchors.verticalCenter: parent.verticalCenter
        text: container.text
        textFormat: Text.PlainText
        color: container.textColor
        font.pixelSize: container.textSize
    }

    MouseArea {
        anchors.fill: parent
        cursorShape: Qt.PointingHandCursor
        onClicked: container.clicked()
    }
}
