import QtQuick 2.14

// A glyph and a text side by side, or the glyph above the text with verticalAlign.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property color normalColor: winColor.iconBtnNormal
    property color hoverColor: winColor.iconBtnHover
    property color selectColor: winColor.iconBtnSelect
    property color disableColor: winColor.iconBtnDisable
    property bool hovered: false
    property bool isClicked: false
    property int icon: -1
    property int size: 24
    property int iconSize: 24
    property int iconHeight: iconSize
    property bool enable: true
    property string text: ""
    property bool verticalAlign: false

    signal clicked()

    function getTextColor() {
        if (!enable)
            return disableColor
        if (isClicked)
            return selectColor
        return hovered ? hoverColor : normalColor
    }

    color: "transparent"
    implicitWidth: verticalAlign ? Math.max(icon.implicitWidth, label.implicitWidth) + 8
                                 : (icon.visible ? icon.implicitWidth + 4 : 0) + label.implicitWidth
    implicitHeight: verticalAlign ? container.iconHeight + label.implicitHeight : Math.max(icon.implicitHeight, label.implicitHeight)

    Text {
        id: icon
        visible: container.icon !== -1
        text: visible ? String.fromCharCode(container.icon) : ""
        font.family: $iconfont
        font.pixelSize: container.iconSize
        color: container.getTextColor()
        height: container.verticalAlign ? container.iconHeight : container.height
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        x: container.verticalAlign ? (container.width - width) / 2 : 0
    }

    Text {
        id: label
        text: container.text
        textFormat: Text.PlainText
        font.pixelSize: container.size
        color: container.getTextColor()
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        horizontalAlignment: Text.AlignHCenter
        x: container.verticalAlign ? (container.width - width) / 2 : (icon.visible ? icon.width + 4 : 0)
        y: container.verticalAlign ? container.iconHeight : 0
        width: container.verticalAlign ? Math.min(implicitWidth, container.width) : container.width - x
        height: container.verticalAlign ? container.height - y : container.height
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: container.hovered = true
        onExited: container.hovered = false
        onClicked: {
            if (container.enable)
                container.clicked()
        }
    }
}
