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

    property var winColor: $state.windowColor

    // never narrower than its text: an entry is not cut off in a longer language
    implicitWidth: Math.max(pwidth, contentItem.implicitWidth + leftPadding + rightPadding)
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
        color: menuItem.highlighted ? "#ffffff" : menuItem.winColor.selectText
        opacity: menuItem.enabled ? 1 : 0.3
    }

    background: Rectangle {
        implicitWidth: menuItem.pwidth
        implicitHeight: menuItem.pheight
        radius: 3
        color: menuItem.highlighted ? menuItem.hlColor : "transparent"
    }
}
