import QtQuick 2.14
import "../../components"

// A message and an optional sub-message, selectable, as tall as their text. Server texts are
// shown as plain text.
Rectangle {
    id: container
    property string message: ""
    property string subMessage: ""
    property int fontSize: $state.windowFontSize.transInput
    property var winColor: $state.windowColor

    signal msgSelectChange(string selectText, int selectStart, int selectEnd, real anchorX, real anchorY)
    signal msgSubSelectChange(string selectText, int selectStart, int selectEnd, real anchorX, real anchorY)

    function calHeight() {
        return msgText.contentHeight + (subMessage !== "" ? 6 + submsgText.contentHeight : 0)
    }

    color: "transparent"
    height: calHeight()
    onFontSizeChanged: height = Qt.binding(calHeight)

    SmartSelectTextRow {
        id: msgText
        objectName: "msgText"
        width: parent.width
        text: container.message
        textFormat: TextEdit.PlainText
        wrapMode: TextEdit.WrapAtWordBoundaryOrAnywhere
        color: container.winColor.bodyText
        selectionColor: "#b8cff5"
        font.pixelSize: container.fontSize
        onTextSelectChange: container.msgSelectChange(selectText, selectStart, selectEnd, x + anchorX, y + anchorY)
    }

    SmartSelectTextRow {
        id: submsgText
        objectName: "submsgText"
        anchors.top: msgText.bottom
        anchors.topMargin: 6
        width: parent.width
        visible: container.subMessage !== ""
        text: container.subMessage
        textFormat: TextEdit.PlainText
        wrapMode: TextEdit.WrapAtWordBoundaryOrAnywhere
        color: container.winColor.bodyText2
        selectionColor: "#b8cff5"
        font.pixelSize: container.fontSize
        onTextSelectChange: container.msgSubSelectChange(selectText, selectStart, selectEnd, x + anchorX, y + anchorY)
    }
}
