import QtQuick 2.14

// A text link.
Text {
    id: container
    // a caller showing text it built and escaped itself may set rich text
    textFormat: Text.PlainText
    property var winColor: $state.windowColor
    property color normalColor: winColor.liteBtnNormal
    property color hoverColor: winColor.liteBtnHover
    property color selectColor: winColor.liteBtnSelect
    property bool disable: false
    property bool hovered: false
    property bool isClicked: false
    property bool disableMouseArea: false
    property string tip: ""

    signal clicked()

    font.pixelSize: $state.windowFontSize.normal
    verticalAlignment: Text.AlignVCenter
    color: isClicked ? selectColor : hovered ? hoverColor : normalColor
    opacity: disable ? 0.5 : 1

    MouseArea {
        anchors.fill: parent
        enabled: !container.disableMouseArea
        hoverEnabled: true
        cursorShape: container.disable ? Qt.ArrowCursor : Qt.PointingHandCursor
        onEntered: container.hovered = true
        onExited: {
            container.hovered = false
            container.isClicked = false
        }
        onPressed: {
            container.isClicked = true
            tipText.dismiss()
        }
        onReleased: container.isClicked = false
        onClicked: {
            if (!container.disable)
                container.clicked()
        }
    }

    PToolTip {
        id: tipText
        text: container.tip
        delay: 2000
        timeout: 3000
        y: -25
        wanted: container.hovered && container.tip !== ""
    }
}
