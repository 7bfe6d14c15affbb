import QtQuick 2.14

Item {
    Text {
        anchors.centerIn: parent
        text: "翻译环境"
        font.pixelSize: 120
        textFormat: Text.PlainText
        color: $state.windowColor.h1Text
    }
}
