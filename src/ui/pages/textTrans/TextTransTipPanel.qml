import QtQuick 2.14
import QtGraphicalEffects 1.14
import "../../components"

// Renderings of the phrase selected in the source sentence, in a pop-up pointing at it.
Item {
    id: container
    property var winFontSize: $state.windowFontSize
    readonly property var entries: $state.textTransSelectPartSugStcs

    signal insertBtnTap(string text)

    width: 320
    height: suggestionPanel.height + suggestionPanelArrow.height
    visible: entries.length > 0

    DropShadow {
        anchors.fill: suggestionPanel
        source: suggestionPanel
        radius: 8
        samples: 17
        color: "#1CAAAAAA"
    }

    Rectangle {
        id: suggestionPanel
        objectName: "suggestionPanel"
        width: parent.width
        height: list.height + 20
        radius: 4
        color: "#ffffff"

        Column {
            id: list
            x: 10
            y: 10
            width: parent.width - 20
            spacing: 8
            Repeater {
                model: container.entries
                Item {
                    width: list.width
                    height: Math.max(entryText.height, 20)
                    Text {
                        id: entryText
                        width: parent.width - insert.width - 10
                        textFormat: Text.PlainText
                        text: modelData
                        wrapMode: Text.WrapAnywhere
                        color: "#333333"
                        font.pixelSize: container.winFontSize.normal
                    }
                    LiteButton {
                        id: insert
                        objectName: "insertBtn"
                        anchors.right: parent.right
                        height: 20
                        text: qsTr("→ 插入编辑框")
                        normalColor: $state.windowColor.hlText
                        font.pixelSize: container.winFontSize.small
                        onClicked: container.insertBtnTap(modelData)
                    }
                }
            }
        }
    }

    Image {
        id: suggestionPanelArrow
        objectName: "suggestionPanelArrow"
        anchors.top: suggestionPanel.bottom
        x: 20
        source: "../../../assets/triangle-down.png"
    }
}
