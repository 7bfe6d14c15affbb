import QtQuick 2.14
import "../../components"

// Term pairs for the sentence being edited: the term, then one row per translation with its base.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize

    signal insertBtnTap(string text)

    color: "transparent"
    height: titleText.height + 10 + terms.height

    Text {
        id: titleText
        height: 20
        text: qsTr("术语")
        color: container.winColor.bodyText
        font.pixelSize: container.winFontSize.normal
        font.bold: true
        verticalAlignment: Text.AlignVCenter
    }

    Column {
        id: terms
        objectName: "termArea"
        anchors.top: titleText.bottom
        anchors.topMargin: 10
        width: parent.width
        spacing: 10

        Repeater {
            model: $state.textTransSelectSugTerms
            Column {
                width: terms.width
                property var term: modelData

                SmartSelectTextRow {
                    width: parent.width
                    height: 25
                    text: term.source
                    textFormat: TextEdit.PlainText
                    color: container.winColor.bodyText
                    selectionColor: "#b8cff5"
                    font.pixelSize: container.winFontSize.normal
                    font.bold: true
                    verticalAlignment: TextEdit.AlignVCenter
                }

                Repeater {
                    model: term.trans || []
                    Item {
                        // a translation is a text or an entry {"text", "repo_name"}
                        readonly property string transText: typeof modelData === "string" ? modelData : (modelData.text || "")
                        readonly property string repoName: typeof modelData === "string" ? "" : (modelData.repo_name || "")
                        width: terms.width
                        height: 25
                        HoverHandler { id: rowHover }

                        Text {
                            id: subText
                            objectName: "subText"
                            x: 25
                            height: parent.height
                            width: parent.width - 25 - subGroup.width - insert.width - 20
                            textFormat: Text.PlainText
                            text: parent.transText
                            elide: Text.ElideRight
                            color: container.winColor.bodyText
                            font.pixelSize: container.winFontSize.normal
                            verticalAlignment: Text.AlignVCenter
                        }
                        Text {
                            id: subGroup
                            objectName: "subGroup"
                            anchors.left: subText.right
                            anchors.leftMargin: 10
                            width: 70
                            height: parent.height
                            textFormat: Text.PlainText
                            text: parent.repoName === "default" ? qsTr("公共术语库") : parent.repoName
                            elide: Text.ElideRight
                            color: container.winColor.bodyTextLite
                            font.pixelSize: 12
                            verticalAlignment: Text.AlignVCenter
                        }
                        LiteButton {
                            id: insert
                            objectName: "insertBtn"
                            anchors.right: parent.right
                            height: parent.height
                            text: qsTr("→ 插入编辑框")
                            normalColor: container.winColor.hlText
                            font.pixelSize: 12
                            visible: rowHover.hovered
                            onClicked: container.insertBtnTap(parent.transText)
                        }
                    }
                }
            }
        }
    }
}
