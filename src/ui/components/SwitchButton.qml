import QtQuick 2.14

// A sliding switch; the label sits in the track beside the knob. A click only emits clicked():
// the page sends the new state and the switch follows the value it is bound to.
Rectangle {
    id: container
    property bool checked: false
    property int fontSize: 14
    property string text: ""
    property bool hovered: false
    property string tip: ""
    property bool disabled: false
    property var winColor: $state.windowColor
    property color checkColor: winColor.checkBtn
    property color checkHoverColor: winColor.checkBtnHover

    signal clicked()

    implicitHeight: 24
    implicitWidth: Math.max(implicitHeight * 1.8, (text !== "" ? label.implicitWidth + 12 : 0) + implicitHeight)
    radius: height / 2
    color: {
        if (disabled)
            return checked ? "#889a9a9a" : "#44616161"
        if (checked)
            return hovered ? checkHoverColor : checkColor
        return hovered ? winColor.switchOffHover : winColor.switchOff
    }

    Rectangle {
        id: knob
        width: container.height - 4
        height: width
        radius: width / 2
        y: 2
        x: container.checked ? container.width - width - 2 : 2
        color: "#fff"
        Behavior on x { NumberAnimation { duration: 120 } }
    }

    Text {
        id: label
        text: container.text
        textFormat: Text.PlainText
        font.pixelSize: container.fontSize
        color: container.checked ? "#fff" : (container.disabled ? "#9a9a9a" : container.winColor.switchOffText)
        anchors.verticalCenter: parent.verticalCenter
        x: container.checked ? 8 : knob.width + 6
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: container.disabled ? Qt.ArrowCursor : Qt.PointingHandCursor
        onEntered: container.hovered = true
        onExited: container.hovered = false
        onPressed: tipText.dismiss()
        onClicked: {
            if (!container.disabled)
                container.clicked()
        }
    }

    PToolTip {
        id: tipText
        text: container.tip
        delay: 1000
        timeout: 5000
        y: -height - 4
        wanted: container.hovered && container.tip !== ""
    }
}
