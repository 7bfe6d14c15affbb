import QtQuick 2.14

Rectangle {
    id: container
    property var winColor: $state.windowColor
    property color normalColor: winColor.borderIconBtnNormal
    property color hoverColor: winColor.borderIconBtnHover
    property color borderNormalColor: winColor.borderIconBtnBorder
    property color borderHoverColor: winColor.borderIconBtnBorderHover
    property bool enable: true
    property string text: ""
    property bool isIcon: false
    property int size: 24
    property bool _clicked: false
    property bool _hovered: false
    property int borderWidth: 1

    signal clicked()

    readonly property color _contentColor: !enable ? winColor.borderIconBtnBorderDisable : _hovered ? hoverColor : normalColor

    radius: 2
    implicitWidth: Math.max(height, (isIcon ? glyph.implicitWidth : caption.implicitWidth) + 16)
    color: enable ? winColor.borderIconBtnBG : winColor.borderIconBtnBGDisable
    border.width: borderWidth
    border.color: !enable ? winColor.borderIconBtnBorderDisable : _hovered ? borderHoverColor : borderNormalColor

    IconImage {
        id: glyph
        anchors.centerIn: parent
        visible: container.isIcon
        icon: container.isIcon ? parseInt(container.text) : 0xe627
        size: container.size
        color: container._contentColor
    }

    Text {
        id: caption
        anchors.centerIn: parent
        visible: !container.isIcon
        text: container.text
        textFormat: Text.PlainText
        font.bold: true
        font.pixelSize: container.size
        color: container._contentColor
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: container._hovered = true
        onExited: container._hovered = false
        onPressed: container._clicked = true
        onReleased: container._clicked = false
        onClicked: {
            if (container.enable)
                container.clicked()
        }
    }
}
