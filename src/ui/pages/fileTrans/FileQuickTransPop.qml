import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// Asks for the direction of a document handed over at start or by a later start.
Popup {
    id: pop
    objectName: "fileQuickTransPop"
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool isEnglish: $state.language === "en"
    property var file: $state.quickTransfileData
    property var langTable: $state.fileTransLangData

    // Centred on the window, whatever the page around it.
    parent: Overlay.overlay
    anchors.centerIn: Overlay.overlay
    width: 460
    height: 260
    padding: 0
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    onClosed: $state.quickTransfileData = { "path": "", "name": "", "type": "", "typeValid": false }

    function _name(code) {
        var entry = langTable[code]
        if (!entry)
            return code === "auto" ? qsTr("自动检测") : code
        return (isEnglish ? entry.enName : entry.name) || entry.name || code
    }

    // Sorted by shown name; the source list offers "auto" first.
    function choices(withAuto, source) {
        var out = []
        for (var code in langTable) {
            if (code !== "auto" && code !== source)
                out.push({ "key": code, "value": _name(code) })
        }
        out.sort(function (a, b) { return a.value.localeCompare(b.value) })
        if (withAuto)
            out.unshift({ "key": "auto", "value": _name("auto") })
        return out
    }

    background: Rectangle {
        radius: 8
        color: pop.winColor.contentBG2
        border.color: pop.winColor.line
    }

    Column {
        anchors.fill: parent
        anchors.margins: 16
        spacing: 14

        Text {
            text: qsTr("快速文件翻译")
            textFormat: Text.PlainText
            color: pop.winColor.bodyText
            font.pixelSize: pop.winFontSize.large
            font.bold: true
        }
        Row {
            spacing: 6
            Text { text: qsTr("文件名称："); textFormat: Text.PlainText; color: pop.winColor.bodyTextLite; font.pixelSize: pop.winFontSize.normal }
            Text {
                objectName: "quickTransName"
                width: pop.width - 140
                elide: Text.ElideMiddle
                text: pop.file.name || ""
                textFormat: Text.PlainText
                color: pop.winColor.bodyText
                font.pixelSize: pop.winFontSize.normal
            }
        }
        Row {
            spacing: 6
            Text { text: qsTr("文件路径："); textFormat: Text.PlainText; color: pop.winColor.bodyTextLite; font.pixelSize: pop.winFontSize.normal }
            Text {
                width: pop.width - 140
                elide: Text.ElideMiddle
                text: pop.file.path || ""
                textFormat: Text.PlainText
                color: pop.winColor.bodyText
                font.pixelSize: pop.winFontSize.normal
            }
        }
        Row {
            spacing: 6
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("翻译方向：")
                textFormat: Text.PlainText
                color: pop.winColor.bodyTextLite
                font.pixelSize: pop.winFontSize.normal
            }
            DropSelect {
                id: sourceSelect
                objectName: "quickTransSource"
                width: 130
                textRole: "value"
                valueRole: "key"
                model: pop.choices(true, "")
            }
            Text { anchors.verticalCenter: parent.verticalCenter; text: "→"; color: pop.winColor.bodyText }
            DropSelect {
                id: targetSelect
                objectName: "quickTransTarget"
                width: 130
                textRole: "value"
                valueRole: "key"
                model: pop.choices(false, sourceSelect.currentValue)
            }
        }
    }

    Row {
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 16
        spacing: 12
        TitleButton {
            objectName: "quickTransCancel"
            width: 80
            height: 30
            fontSize: pop.winFontSize.normal
            title: qsTr("取消")
            titleColor: pop.winColor.bodyText
            normalBgColor: "transparent"
            borderColor: pop.winColor.line
            onClicked: pop.close()
        }
        TitleButton {
            objectName: "quickTransSure"
            width: 80
            height: 30
            fontSize: pop.winFontSize.normal
            title: qsTr("确定")
            onClicked: {
                $dispatch.run($dispatch.Ctrl_FileTrans, "translation",
                              [pop.file.path, sourceSelect.currentValue, targetSelect.currentValue, ""])
                pop.close()
            }
        }
    }
}
