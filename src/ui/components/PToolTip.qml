import QtQuick 2.14
import QtQuick.Controls 2.14

// The tool tip every control shows: white text on a dark, translucent box.
ToolTip {
    id: tipText
    property int fontSize: $state.windowFontSize.small
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
