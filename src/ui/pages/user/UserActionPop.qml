import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// The frame of the account pop-ups: a modal box with a title, the fields, and "取消" / "确定".
// "确定" only signals `sure`; the pop-up decides whether it closes.
Popup {
    id: pop
    property string title: ""
    property bool ready: true
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool isEnglish: $state.language === "en"
    // The width of the field labels, so that the fields line up.
    readonly property int labelWidth: isEnglish ? 120 : 90
    default property alias fields: fieldColumn.data

    signal sure()

    parent: Overlay.overlay
    anchors.centerIn: Overlay.overlay
    width: 480
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    padding: 24
    background: Rectangle {
        radius: 6
        color: pop.winColor.contentBG
        border.width: 1
        border.color: pop.winColor.windowBorder
    }

    Column {
        width: parent.width
        spacing: 16

        Text {
            text: pop.title
            textFormat: Text.PlainText
            font.pixelSize: pop.winFontSize.large
            font.bold: true
            color: pop.winColor.h1Text
        }

        Column {
            id: fieldColumn
            width: parent.width
            spacing: 14
        }

        PopButtons {
            anchors.right: parent.right
            ready: pop.ready
            onSure: pop.sure()
            onCancel: pop.close()
        }
    }
}
