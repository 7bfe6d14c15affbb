import QtQuick 2.14
import QtQuick.Controls 2.14
import TableModel 1.0
import "../../components"

// The translation history: one row per entry, newest first, and the end line after the last page.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize

    // row: the entry whose full text is to be translated (the row shows it on one line, maybe cut)
    signal doubleClickHistory(int row, string sourceType, string targetType)

    color: winColor.transHistoryBG
    radius: 4

    Column {
        id: header
        x: 16
        y: 12
        width: parent.width - 32
        spacing: 10

        Row {
            height: 24
            spacing: 6
            Text {
                height: parent.height
                text: qsTr("历史记录")
                color: container.winColor.bodyText
                font.pixelSize: container.winFontSize.medium
                font.bold: true
                verticalAlignment: Text.AlignVCenter
            }
            RectLoading {
                width: 32
                height: parent.height
                size: 32
                title: ""
                bgColor: "transparent"
                running: $state.retcode === 1001
                visible: running
            }
        }

        Rectangle {
            width: parent.width
            height: 1
            color: container.winColor.line
        }
    }

    TableView {
        id: table
        objectName: "historyTable"
        anchors.top: header.bottom
        anchors.topMargin: 10
        anchors.left: header.left
        anchors.right: header.right
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 10
        clip: true
        rowSpacing: 10
        // A new provider at each width makes the table lay itself out again at its next polish.
        // Forcing the layout at once is refused (with a warning) while the table still loads rows in
        // the background, as it does when its page is built.
        columnWidthProvider: {
            var columnWidth = width
            return function () { return columnWidth }
        }
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}
        model: TextTransTableModel {}

        onAtYEndChanged: {
            if (atYEnd && rows > 0)
                $dispatch.run($dispatch.Ctrl_TextTrans, "refreshTransHistory", [false, false])
        }

        delegate: Rectangle {
            id: tableCell
            objectName: "tableCell"
            property int hoverBtn: -1
            readonly property bool isEnd: itemId === "$end"
            readonly property bool hovered: rowHover.hovered
            implicitHeight: 36
            radius: 4
            color: isEnd ? "transparent" : (hovered ? container.winColor.transHistoryRowHL : container.winColor.transHistoryRow)

            HoverHandler { id: rowHover }

            Text {
                anchors.centerIn: parent
                visible: tableCell.isEnd
                text: qsTr("我是有底线的~")
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }

            IconImage {
                id: rowIcon
                x: 10
                anchors.verticalCenter: parent.verticalCenter
                visible: !tableCell.isEnd && imageIcon
                icon: 0xe72d
                size: 14
                color: container.winColor.bodyTextLite
            }

            Text {
                id: historyText
                objectName: "historyText"
                anchors.left: rowIcon.visible ? rowIcon.right : parent.left
                anchors.leftMargin: 10
                anchors.right: tableCell.hovered ? btnArea.left : pairText.left
                anchors.rightMargin: 16
                anchors.verticalCenter: parent.verticalCenter
                visible: !tableCell.isEnd
                textFormat: Text.PlainText
                text: display
                elide: Text.ElideRight
                color: container.winColor.bodyText
                font.pixelSize: container.winFontSize.normal
            }

            Text {
                id: pairText
                objectName: "pairText"
                anchors.right: parent.right
                anchors.rightMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                visible: !tableCell.isEnd && !tableCell.hovered
                textFormat: Text.PlainText
                text: switchPairText
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }

            MouseArea {
                anchors.fill: parent
                enabled: !tableCell.isEnd
                onDoubleClicked: container.doubleClickHistory(row, sourceType, targetType)
            }

            Row {
                id: btnArea
                objectName: "btnArea"
                anchors.right: parent.right
                anchors.rightMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                spacing: 16
                visible: tableCell.hovered && !tableCell.isEnd
                Repeater {
                    model: [
                        { "text": qsTr("复制原文"), "action": "transHistoryMakeCopy", "result": false },
                        { "text": qsTr("复制译文"), "action": "transHistoryMakeCopy", "result": true },
                        { "text": qsTr("删除记录"), "action": "transHistoryMakeDelete" }
                    ]
                    LiteButton {
                        objectName: "historyBtn" + index
                        text: modelData.text
                        font.pixelSize: container.winFontSize.small
                        normalColor: container.winColor.liteBtnNormal2
                        hoverColor: container.winColor.liteBtnHover2
                        onHoveredChanged: tableCell.hoverBtn = hovered ? index : -1
                        onClicked: {
                            var args = modelData.action === "transHistoryMakeDelete" ? [row] : [row, modelData.result]
                            $dispatch.run($dispatch.Ctrl_TextTrans, modelData.action, args)
                        }
                    }
                }
            }
        }
    }
}
