import QtQuick 2.14
import QtQuick.Controls 2.14

MenuItem {
    id: menuItem
    property bool canTrigger: true
    property var winFontSize: $state.windowFontSize
    property int pheight: 28
    property int pwidth: 100
    property color hlColor: "#0052d9"

    signal clicked()

    implicitWidth: pwidth
    implicitHeight: pheight
    onTriggered: {
        if (canTrigger)
            clicked()
    }

    contentItem: Text {
        leftPadding: 6
        text: menuItem.text
        textFormat: Text.PlainText
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        font.pixelSize: menuItem.winFontSize.normal
        color: !menuItem.enabled ? "#44333333" : menuItem.highlighted ? "#ffffff" : "#333333"
    }

    background: Rectangle {
        implicitWidth: menuItem.pwidth
        implicitHeight: menuItem.pheight
        radius: 3
        color: menuItem.highlighted ? menuItem.hlColor : "transparent"
    }
}
