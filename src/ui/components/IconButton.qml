import QtQuick 2.14

Text {
    id: container
    textFormat: Text.PlainText
    property string name: "IconButton"
    property string tip: ""
    property int icon: 0xe627
    property int size: 24
    property bool hovered: false
    property bool selected: false
    property bool mPressed: false
    property bool enable: true
    property color normalColor: "#aaaaaa"
    property color selectColor: "#707070"
    property color hoverColor: "#d4d4d4"
    property color disableColor: "#44aaaaaa"
    property int tipDelay: 2000
    property int tipTimeout: 3000
    property int tipXOff: 0
    property int tipYOff: -25

    signal clicked()
    signal positionChanged(real mouseX, real mouseY, bool isHovered)

    function showTip() {
        if (tip !== "")
            tipText.open()
    }

    text: String.fromCharCode(icon)
    font.family: $iconfont
    font.pixelSize: size
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
    color: !enable ? disableColor : (mPressed || selected) ? selectColor : hovered ? hoverColor : normalColor

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        acceptedButtons: Qt.LeftButton
        onEntered: container.hovered = true
        onExited: {
            container.hovered = false
            container.mPressed = false
        }
        onPressed: {
            container.mPressed = true
            tipText.dismiss()
        }
        onReleased: container.mPressed = false
        onClicked: {
            if (container.enable)
                container.clicked()
        }
        onPositionChanged: container.positionChanged(mouse.x, mouse.y, containsMouse)
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
