import QtQuick 2.14
import "../../components"

// Example sentence pairs for the sentence being edited, each with its match and an insert button.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property string title: qsTr("例句")
    property string subTitle: ""

    signal insertBtnTap(string text)

    color: "transparent"
    height: titleText.height + 10 + sentenceArea.height

    Text {
        id: titleText
        height: 20
        text: container.title + (container.subTitle !== "" ? "  " + container.subTitle : "")
        textFormat: Text.PlainText
        color: container.winColor.bodyText
        font.pixelSize: container.winFontSize.normal
        font.bold: true
        verticalAlignment: Text.AlignVCenter
    }

    Column {
        id: sentenceArea
        objectName: "sentenceArea"
        anchors.top: titleText.bottom
        anchors.topMargin: 10
        width: parent.width
        spacing: 20

        Repeater {
            model: $state.textTransSelectSugStcs
            Item {
                id: entry
                width: sentenceArea.width
                height: pair.height + 4 + matchLine.height

                HoverHandler { id: entryHover }

                TransAutoFitArea {
                    id: pair
                    width: parent.width
                    message: modelData.source
                    subMessage: modelData.trans
                }

                Row {
                    id: matchLine
                    anchors.top: pair.bottom
                    anchors.topMargin: 4
                    height: 20
                    spacing: 10
                    Text {
                        height: parent.height
                        textFormat: Text.PlainText
                        text: qsTr("匹配度：")
                        color: container.winColor.bodyTextLite
                        font.pixelSize: container.winFontSize.small
                        verticalAlignment: Text.AlignVCenter
                    }
                    Text {
                        height: parent.height
                        textFormat: Text.PlainText
                        text: modelData.ratioStr
                        color: "#3daa72"
                        font.pixelSize: container.winFontSize.small
                        verticalAlignment: Text.AlignVCenter
                    }
                    Text {
                        height: parent.height
                        textFormat: Text.PlainText
                        text: modelData.repoStr
                        color: container.winColor.bodyTextLite
                        font.pixelSize: container.winFontSize.small
                        verticalAlignment: Text.AlignVCenter
                    }
                }

                LiteButton {
                    objectName: "insertBtn"
                    anchors.right: parent.right
                    anchors.verticalCenter: matchLine.verticalCenter
                    height: 20
                    text: qsTr("→ 插入编辑框")
                    normalColor: container.winColor.hlText
                    font.pixelSize: container.winFontSize.small
                    visible: entryHover.hovered
                    onClicked: container.insertBtnTap(modelData.trans)
                }
            }
        }
    }
}
