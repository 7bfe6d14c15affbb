import QtQuick 2.14
import QtQuick.Controls 2.14

// The tool tip every control shows: white text on a dark, translucent box. It shows while its
// control wants it; a press puts it away until the pointer has left the control, so a tip never
// covers what the click opened.
ToolTip {
    id: tipText
    objectName: "toolTip"
    property int fontSize: $state.windowFontSize.small
    property bool wanted: false
    property bool dismissed: false

    function dismiss() {
        dismissed = true
        close()
    }

    visible: wanted && !dismissed
    onWantedChanged: {
        if (!wanted)
            dismissed = false
    }
    contentItem: Text {
        text: tipText.text
        color: "#fff"
        font.pixelSize: tipText.fontSize
        textFormat: Text.PlainText
    }
    background: Rectangle {
        color: "#BF000000"
        radius: 3
    }
}
