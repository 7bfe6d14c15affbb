import QtQuick 2.14

Rectangle {
    id: container
    property var winColor: $state.windowColor
    property bool running: false
    property string title: qsTr("加载中...")
    property int size: 100
    property int textMargin: -15
    property string bgColor: winColor.contentBG
    property color _textColor: winColor.bodyText

    color: bgColor

    AnimatedImage {
        id: loading
        anchors.centerIn: parent
        anchors.verticalCenterOffset: titleText.visible ? -titleText.height / 2 : 0
        width: container.size
        height: container.size
        source: "../../assets/loading.gif"
        playing: container.running && container.visible
        fillMode: Image.PreserveAspectFit
    }

    Text {
        id: titleText
        visible: container.title !== ""
        anchors.top: loading.bottom
        anchors.topMargin: container.textMargin
        anchors.horizontalCenter: parent.horizontalCenter
        text: container.title
        textFormat: Text.PlainText
        color: container._textColor
        font.pixelSize: $state.windowFontSize.medium
    }
}
