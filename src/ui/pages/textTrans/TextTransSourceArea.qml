import QtQuick 2.14

// The source sentence being edited; selecting a phrase asks for its renderings.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property string message: ""

    signal msgSelectChange(string selectText, int selectStart, int selectEnd, real anchorX, real anchorY)

    color: "transparent"
    height: titleRow.height + 10 + textArea.height

    Row {
        id: titleRow
        spacing: 40
        height: 15
        Text {
            height: parent.height
            text: qsTr("句子原文")
            color: container.winColor.bodyText
            font.pixelSize: container.winFontSize.normal
            font.bold: true
            verticalAlignment: Text.AlignVCenter
        }
        Text {
            height: parent.height
            text: qsTr("*选中任意词组，查看对应释义")
            color: container.winColor.bodyTextLite
            font.pixelSize: container.winFontSize.small
            verticalAlignment: Text.AlignVCenter
        }
    }

    TransAutoFitArea {
        id: textArea
        objectName: "sourceSentence"
        anchors.top: titleRow.bottom
        anchors.topMargin: 10
        width: parent.width
        message: container.message
        onMsgSelectChange: container.msgSelectChange(selectText, selectStart, selectEnd, x + anchorX, y + anchorY)
    }
}
