import QtQuick 2.14

// A filled button with a caption; fixed colours, no theme.
Rectangle {
    id: container
    property string title: ""
    property color titleColor: "white"
    property int fontSize: 16
    property int hAlign: Text.AlignHCenter
    property int vAlign: Text.AlignVCenter
    property color normalBgColor: "#366CB3"
    property color hoverBgColor: "#88366CB3"
    property color disableBgColor: "#97A4AD"
    property string hoverTitleColor: ""
    property string borderColor: ""
    property string borderHoverColor: ""
    property bool autoWidth: false
    property int textPadding: 10
    property bool hovered: false
    property bool isClicked: false
    property bool disable: false
    property bool disableMouseArea: false

    signal clicked()

    implicitWidth: autoWidth ? textItem.implicitWidth + 2 * textPadding : 80
    implicitHeight: 32
    color: disable ? disableBgColor : hovered ? hoverBgColor : normalBgColor
    border.width: borderColor !== "" ? 1 : 0
    border.color: hovered && borderHoverColor !== "" ? borderHoverColor : (borderColor !== "" ? borderColor : "transparent")

    Text {
        id: textItem
        anchors.fill: parent
        anchors.leftMargin: container.textPadding
        anchors.rightMargin: container.textPadding
        text: container.title
        textFormat: Text.PlainText
        color: container.hovered && container.hoverTitleColor !== "" ? container.hoverTitleColor : container.titleColor
        font.pixelSize: container.fontSize
        horizontalAlignment: container.hAlign
        verticalAlignment: container.vAlign
        elide: container.autoWidth ? Text.ElideNone : Text.ElideRight
    }

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
        onPressed: container.isClicked = true
        onReleased: container.isClicked = false
        onClicked: {
            if (!container.disable)
                container.clicked()
        }
    }
}
