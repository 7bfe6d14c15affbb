import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// The document translation page: language pair and domain, the drop area, the task list.
Item {
    id: container
    objectName: "fileTransPage"
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property bool isEnglish: $state.language === "en"
    property var langTable: $state.fileTransLangData
    property int busy: $state.fileTransStatus
    property string sourceLang: $state.fileTransSourceLang
    property string targetLang: $state.fileTransTargetLang

    function onShow() {}
    function onHide() {}

    function _name(code) {
        var entry = langTable[code]
        if (!entry)
            return code === "auto" ? qsTr("自动检测") : code
        return (isEnglish ? entry.enName : entry.name) || entry.name || code
    }

    // {"key": code, "value": shown name}; the source list offers "auto" first.
    function sourceChoices() {
        var out = [{ "key": "auto", "value": _name("auto") }]
        for (var code in langTable) {
            if (code !== "auto")
                out.push({ "key": code, "value": _name(code) })
        }
        return out
    }

    function targetChoices(source) {
        var entry = langTable[source]
        var codes = entry && entry.target && entry.target.length ? entry.target : Object.keys(langTable)
        var out = []
        for (var i = 0; i < codes.length; ++i) {
            if (codes[i] !== "auto" && codes[i] !== source)
                out.push({ "key": codes[i], "value": _name(codes[i]) })
        }
        return out
    }

    function domainChoices(source, target) {
        var entry = langTable[source]
        var domains = entry && entry.domain && entry.domain[target] ? entry.domain[target] : []
        var out = []
        for (var i = 0; i < domains.length; ++i)
            out.push({ "code": domains[i].code, "value": isEnglish ? domains[i].enName : domains[i].name })
        return out
    }

    function domainCode() {
        return domainSelect.currentIndex >= 0 && domainSelect.count > 0 ? domainSelect.currentValue : ""
    }

    function hasDirection() {
        return sourceSelect.currentIndex >= 0 && targetSelect.currentIndex >= 0
    }

    function openQuickTransPop() {
        var file = $state.quickTransfileData
        if (file.path && file.typeValid)
            quickTransPop.open()
    }

    Component.onCompleted: {
        $dispatch.initController($dispatch.Ctrl_FileTrans)
        openQuickTransPop()
    }
    Component.onDestruction: $dispatch.releaseController($dispatch.Ctrl_FileTrans)

    Connections {
        target: $state
        function onQuickTransfileDataChange() { container.openQuickTransPop() }
    }

    Rectangle {
        anchors.fill: parent
        color: container.winColor.contentBG
    }

    Row {
        id: langRow
        objectName: "fileTransLangRow"
        x: 30 * container.xScale
        y: 20 * container.yScale
        spacing: 12
        height: 30

        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("原文")
            textFormat: Text.PlainText
            color: container.winColor.bodyText
            font.pixelSize: container.winFontSize.normal
        }
        DropSelect {
            id: sourceSelect
            objectName: "fileTransSourceSelect"
            width: 150
            textRole: "value"
            valueRole: "key"
            model: container.sourceChoices()
            Component.onCompleted: currentIndex = indexOfValue(container.sourceLang)
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("译文")
            textFormat: Text.PlainText
            color: container.winColor.bodyText
            font.pixelSize: container.winFontSize.normal
        }
        DropSelect {
            id: targetSelect
            objectName: "fileTransTargetSelect"
            width: 150
            textRole: "value"
            valueRole: "key"
            model: container.targetChoices(sourceSelect.currentValue)
            Component.onCompleted: currentIndex = indexOfValue(container.targetLang)
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            visible: domainSelect.count > 0
            text: qsTr("领域")
            textFormat: Text.PlainText
            color: container.winColor.bodyText
            font.pixelSize: container.winFontSize.normal
        }
        DropSelect {
            id: domainSelect
            objectName: "fileTransDomainSelect"
            visible: count > 0
            width: 130
            textRole: "value"
            valueRole: "code"
            model: container.domainChoices(sourceSelect.currentValue, targetSelect.currentValue)
        }
    }

    Rectangle {
        id: dropZone
        objectName: "fileTransDropZone"
        anchors.top: langRow.bottom
        anchors.topMargin: 16 * container.yScale
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 30 * container.xScale
        anchors.rightMargin: 30 * container.xScale
        height: 170 * container.yScale
        radius: 8
        color: dropArea.containsDrag ? container.winColor.transHistoryRowHL : container.winColor.transHistoryBG
        border.color: "#1296db"
        border.width: dropArea.containsDrag ? 2 : 1

        Column {
            anchors.centerIn: parent
            width: parent.width - 40
            spacing: 8
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("单击或拖放文件进行翻译")
                textFormat: Text.PlainText
                color: container.winColor.bodyText
                font.pixelSize: container.winFontSize.large
            }
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("可同时选择多个文件")
                textFormat: Text.PlainText
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: qsTr("支持格式：docx pptx pdf png jpeg txt xlsx markdown html")
                textFormat: Text.PlainText
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: qsTr("文件限制：单文件(docx/xlsx/html/markdown)800万字符、有页数的(docx/pdf/pptx)300页、文本文件(txt)10MB、二进制文件(pdf/docx/pptx/xlsx)40MB")
                textFormat: Text.PlainText
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
            }
        }

        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: {
                if (!container.hasDirection()) {
                    $dispatch.run($dispatch.Ctrl_Global, "warn", [qsTr("请先选择翻译方向")])
                    return
                }
                $dispatch.run($dispatch.Ctrl_FileTrans, "transWithBrowser",
                              [sourceSelect.currentValue, targetSelect.currentValue])
            }
        }

        DropArea {
            id: dropArea
            objectName: "fileTransDropArea"
            anchors.fill: parent
            onDropped: {
                if (!drop.hasUrls)
                    return
                if (!container.hasDirection()) {
                    $dispatch.run($dispatch.Ctrl_Global, "warn", [qsTr("请选择翻译方向")])
                    return
                }
                drop.acceptProposedAction()
                // The controller turns file URLs into local paths.
                for (var i = 0; i < drop.urls.length; ++i)
                    $dispatch.run($dispatch.Ctrl_FileTrans, "translation",
                                  [drop.urls[i].toString(), sourceSelect.currentValue, targetSelect.currentValue,
                                   container.domainCode()])
            }
        }
    }

    FileTransHistory {
        anchors.top: dropZone.bottom
        anchors.topMargin: 16 * container.yScale
        anchors.left: dropZone.left
        anchors.right: dropZone.right
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16 * container.yScale
    }

    HUDLoading {
        objectName: "fileTransLoading"
        anchors.fill: parent
        visible: container.busy >= 2
        title: container.busy === 2 ? qsTr("文件下载中...")
                                    : container.busy === 3 ? qsTr("文件删除中...") : qsTr("文件读取中...")
    }

    FileQuickTransPop {
        id: quickTransPop
    }
}
