import QtQuick 2.14
import QtQuick.Controls 2.14
import TableModel 1.0
import "../../components"

// The user's document tasks with their progress, download, delete and cancel.
Rectangle {
    id: container
    objectName: "fileTransHistory"
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize

    // The label of a progress state; running machine translation shows its percentage.
    function statusLabel(status, progress) {
        switch (status) {
        case -3: return qsTr("上传失败")
        case -2: return qsTr("已取消")
        case -1: return qsTr("翻译失败")
        case 100: return qsTr("解析中")
        case 101: return qsTr("机器翻译中") + Math.max(progress, 0) + "%"
        case 201: return qsTr("机器翻译完成")
        case 102: return qsTr("人工翻译中")
        case 202: return qsTr("人工翻译完成")
        default: return ""
        }
    }
    function statusColor(status) {
        if (status === 201 || status === 202)
            return "#53b53f"
        if (status === 100 || status === 101 || status === 102)
            return "#1296db"
        return container.winColor.titleText
    }
    function isRunning(status) { return status === 100 || status === 101 || status === 102 }
    function isDone(status) { return status === 201 || status === 202 }
    function logoColor(logo) {
        var colors = { "doc": "#2b579a", "excel": "#217346", "image": "#8e44ad", "md": "#555555",
                       "ppt": "#d24726", "pdf": "#e60f0b" }
        return colors[logo] || "#7f7f7f"
    }

    // Every row keeps the same room for the longest status and for its buttons, so that the
    // columns line up and neither is ever cut; the file name gives way.
    readonly property real statusColumn: {
        var widest = 0
        for (var status of [-2, -1, 100, 101, 201, 102, 202])
            widest = Math.max(widest, statusMetrics.advanceWidth(statusLabel(status, 100)))
        return Math.ceil(widest)
    }
    readonly property real actionsColumn: Math.max(buttonWidth(qsTr("下载")) + 6 + buttonWidth(qsTr("删除")),
                                                   buttonWidth(qsTr("取消")))
    function buttonWidth(title) { return Math.max(56, Math.ceil(buttonMetrics.advanceWidth(title)) + 16) }

    FontMetrics { id: statusMetrics; font.pixelSize: container.winFontSize.normal }
    FontMetrics { id: buttonMetrics; font.pixelSize: container.winFontSize.small }

    radius: 8
    color: winColor.transHistoryBG

    Text {
        id: title
        x: 16
        y: 12
        text: qsTr("文档翻译记录")
        textFormat: Text.PlainText
        color: container.winColor.bodyText
        font.pixelSize: container.winFontSize.medium
        font.bold: true
    }
    RectLoading {
        objectName: "fileTransListLoading"
        anchors.left: title.right
        anchors.leftMargin: 10
        anchors.verticalCenter: title.verticalCenter
        width: 24
        height: 24
        size: 20
        title: ""
        bgColor: "transparent"
        visible: $state.fileTransStatus === 1
        running: visible
    }

    ListView {
        id: list
        objectName: "fileTransList"
        anchors.fill: parent
        anchors.topMargin: 44
        anchors.margins: 8
        clip: true
        spacing: 2
        model: FileTransTableModel {}
        ScrollBar.vertical: ScrollBar {}

        delegate: Rectangle {
            id: row
            objectName: "fileTransRow_" + model.fileId
            width: list.width
            height: 44
            radius: 4
            color: rowMouse.containsMouse ? container.winColor.transHistoryRowHL : container.winColor.transHistoryRow
            property int status: model.processStatus

            MouseArea {
                id: rowMouse
                anchors.fill: parent
                hoverEnabled: true
            }

            Rectangle {
                id: logo
                x: 8
                anchors.verticalCenter: parent.verticalCenter
                width: 34
                height: 26
                radius: 3
                color: container.logoColor(model.logo)
                Text {
                    anchors.centerIn: parent
                    text: model.logo.toUpperCase().slice(0, 3)
                    textFormat: Text.PlainText
                    color: "white"
                    font.pixelSize: 10
                    font.bold: true
                }
            }
            Text {
                id: nameText
                anchors.left: logo.right
                anchors.leftMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                width: Math.max(40, Math.min(row.width * 0.32, langText.x - nameText.x - timeText.width - 20))
                elide: Text.ElideRight
                text: model.display
                textFormat: Text.PlainText
                color: container.winColor.bodyText
                font.pixelSize: container.winFontSize.normal
            }
            Text {
                id: timeText
                anchors.left: nameText.right
                anchors.leftMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                width: row.width * 0.2
                elide: Text.ElideRight
                text: model.timeStr
                textFormat: Text.PlainText
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }
            Text {
                id: langText
                anchors.right: statusText.left
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                width: Math.max(row.width * 0.14, implicitWidth)
                elide: Text.ElideRight
                text: model.source
                textFormat: Text.PlainText
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }
            Text {
                id: statusText
                objectName: "fileTransStatus_" + model.fileId
                anchors.right: parent.right
                anchors.rightMargin: 20 + container.actionsColumn
                width: container.statusColumn
                anchors.verticalCenter: parent.verticalCenter
                text: container.statusLabel(row.status, model.progressNum)
                textFormat: Text.PlainText
                color: container.statusColor(row.status)
                font.pixelSize: container.winFontSize.normal
                MouseArea {
                    id: statusMouse
                    anchors.fill: parent
                    hoverEnabled: true
                }
                ToolTip.visible: statusMouse.containsMouse && model.processText !== ""
                ToolTip.text: model.processText
            }

            Row {
                anchors.right: parent.right
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                spacing: 6
                TitleButton {
                    objectName: "fileTransDownload_" + model.fileId
                    visible: container.isDone(row.status)
                    autoWidth: true
                    textPadding: 8
                    width: Math.max(56, implicitWidth)
                    height: 26
                    fontSize: container.winFontSize.small
                    title: qsTr("下载")
                    normalBgColor: container.winColor.infoBtn
                    hoverBgColor: "#881296db"
                    onClicked: $dispatch.run($dispatch.Ctrl_FileTrans, "downloadTransHistory", [model.fileId])
                }
                TitleButton {
                    objectName: "fileTransRetry_" + model.fileId
                    visible: row.status === -3
                    width: 56
                    height: 26
                    fontSize: container.winFontSize.small
                    title: qsTr("重试")
                    normalBgColor: "#1296db"
                    hoverBgColor: "#881296db"
                    onClicked: $dispatch.run($dispatch.Ctrl_FileTrans, "retryUpload", [model.fileId])
                }
                TitleButton {
                    objectName: "fileTransCancel_" + model.fileId
                    visible: container.isRunning(row.status)
                    autoWidth: true
                    textPadding: 8
                    width: Math.max(56, implicitWidth)
                    height: 26
                    fontSize: container.winFontSize.small
                    title: qsTr("取消")
                    titleColor: "#7f7f7f"
                    normalBgColor: "transparent"
                    borderColor: "#7f7f7f"
                    onClicked: $dispatch.run($dispatch.Ctrl_FileTrans, "removeTransHistory",
                                             [{ "id": model.fileId, "name": model.display, "time": model.timeStr,
                                                "cancel": true }])
                }
                TitleButton {
                    objectName: "fileTransDelete_" + model.fileId
                    visible: !container.isRunning(row.status)
                    autoWidth: true
                    textPadding: 8
                    width: Math.max(56, implicitWidth)
                    height: 26
                    fontSize: container.winFontSize.small
                    title: qsTr("删除")
                    normalBgColor: pressed ? "#E60F0B" : container.winColor.dangerBtn
                    hoverBgColor: pressed ? "#E60F0B" : "#88ef5350"
                    property bool pressed: isClicked
                    onClicked: $dispatch.run($dispatch.Ctrl_FileTrans, "removeTransHistory",
                                             [{ "id": model.fileId, "name": model.display, "time": model.timeStr,
                                                "cancel": false }])
                }
            }
        }
    }
}
