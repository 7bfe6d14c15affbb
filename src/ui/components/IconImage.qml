import QtQuick 2.14

Text {
    property int icon: 0xe627
    property int size: 24

    text: String.fromCharCode(icon)
    textFormat: Text.PlainText
    font.family: $iconfont
    font.pixelSize: size
    horizontalAlignment: Text.AlignHCenter
    verticalAlignment: Text.AlignVCenter
}
