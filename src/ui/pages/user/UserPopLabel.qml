import QtQuick 2.14

// A field label of an account pop-up, right-aligned against its field.
Text {
    property var winColor: $state.windowColor
    width: 90
    height: 34
    horizontalAlignment: Text.AlignRight
    verticalAlignment: Text.AlignVCenter
    textFormat: Text.PlainText
    font.pixelSize: $state.windowFontSize.normal
    color: winColor.bodyText
}
