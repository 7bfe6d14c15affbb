import QtQuick 2.14
import QtQuick.Window 2.14
import QtQuick.Controls 2.14
import "../components"
import "../components/LanguageLists.js" as Lang

// The translation of a capture, and the small stand-alone translator of the main side.
Window {
    id: detail
    objectName: "copyTransDetailWindow"
    readonly property var ctData: $state.copyTransData
    readonly property var winColor: $state.windowColor
    readonly property var winFontSize: $state.windowFontSize
    readonly property bool isEnglish: $state.language === "en"
    readonly property bool fromHome: ctData.from === "home"
    property var sourceModel: []
    property var targetModel: []


    function languages(withAuto) {
        return Lang.languages($state.textTransLangData, withAuto, isEnglish)
    }

    function place() {
        var px = fromHome ? ctData.x : ctData.x + 12
        var py = fromHome ? ctData.y : ctData.y + 12
        x = px
        y = py
        $dispatch.run($dispatch.Ctrl_CopyTrans, "fixDetailWindowPosi", [px, py, width, height])
    }

    function closeWindow() {
        $dispatch.run($dispatch.Ctrl_CopyTrans, "closePanelWindow", [false])
        $state.showCopyTransDetail = false
    }

    // "Parlavine_CopyTrans" is how the window list finds this window: never translated.
    title: "Parlavine_CopyTrans"
    flags: Qt.Dialog | Qt.WindowStaysOnTopHint | Qt.FramelessWindowHint
    width: 400
    height: 320
    color: winColor.contentBG
    visible: false

    Component.onCompleted: {
        sourceModel = languages(true)
        targetModel = languages(false)
    }
    onVisibleChanged: {
        if (visible) {
            place()
            $dispatch.run($dispatch.Ctrl_Global, "windowStateChange", ["copyTransDetail", true])
            requestActivate()
        } else {
            $state.showCopyTransDetail = false
        }
    }
    onActiveChanged: $dispatch.run($dispatch.Ctrl_Global, "windowActiveChange", ["copyTransDetail", active])
    onXChanged: if (fromHome && visible) savePosition.restart()
    onYChanged: if (fromHome && visible) savePosition.restart()
    onWidthChanged: $dispatch.run($dispatch.Ctrl_CopyTrans, "fixDetailWindowSize", [width, height])
    Component.onDestruction: $dispatch.run($dispatch.Ctrl_Global, "windowStateChange", ["copyTransDetail", false])

    Timer {
        id: savePosition
        interval: 500
        onTriggered: {
            $dispatch.run($dispatch.Ctrl_Global, "quickSave", ["miniPosiX", String(detail.x)])
            $dispatch.run($dispatch.Ctrl_Global, "quickSave", ["miniPosiY", String(detail.y)])
        }
    }

    Shortcut {
        sequence: "Esc"
        onActivated: detail.closeWindow()
    }

    Connections {
        target: $state
        function onTextTransLangDataChange() {
            detail.sourceModel = detail.languages(true)
            detail.targetModel = detail.languages(false)
        }
    }

    Rectangle {
        anchors.fill: parent
        color: "transparent"
        border.width: 1
        border.color: detail.winColor.windowBorder

        // Header: dragging it moves the frameless window.
        Item {
            id: header
            x: 1
            y: 1
            width: parent.width - 2
            height: 36

            MouseArea {
                anchors.fill: parent
                onPressed: detail.startSystemMove()
            }
            Image {
                id: logo
                x: 10
                anchors.verticalCenter: parent.verticalCenter
                width: 18
                height: 18
                source: "qrc:/assets/barIconMini.png"
            }
            Text {
                anchors.left: logo.right
                anchors.leftMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Parlavine翻译")
                font.pixelSize: detail.winFontSize.normal
                color: detail.winColor.titleText
            }
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 6
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4
                IconButton {
                    objectName: "backToMainBtn"
                    width: 26
                    height: 26
                    size: 14
                    icon: 0xe809
                    tip: qsTr("返回全屏窗口")
                    onClicked: {
                        if (detail.fromHome) {
                            $dispatch.run($dispatch.Ctrl_Global, "setMiniTransWindow", [false, true])
                        } else {
                            $dispatch.run($dispatch.Ctrl_Global, "raiseMainWindowAndTrans",
                                          [detail.ctData.source, detail.ctData.sourceLang, detail.ctData.targetLang])
                        }
                    }
                }
                IconButton {
                    objectName: "pinBtn"
                    width: 26
                    height: 26
                    size: 14
                    icon: 0xe80a
                    selected: detail.ctData.stayOn === true
                    normalColor: selected ? "#0052d9" : "#aaaaaa"
                    tip: qsTr("设置窗口长期存在")
                    onClicked: $dispatch.run($dispatch.Ctrl_CopyTrans, "setStayOn", [!selected])
                }
                IconButton {
                    objectName: "detailCloseBtn"
                    width: 26
                    height: 26
                    size: 12
                    icon: 0xe61a
                    tip: qsTr("关闭")
                    onClicked: detail.closeWindow()
                }
            }
        }

        Column {
            anchors.top: header.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 12
            anchors.topMargin: 4
            spacing: 6

            Row {
                spacing: 10
                DropSelect {
                    id: sourceSelect
                    objectName: "sourceLangSelect"
                    width: 150
                    textRole: "key"
                    valueRole: "value"
                    model: detail.sourceModel
                    currentIndex: Lang.indexOf(detail.sourceModel, detail.ctData.autoLang ? "auto" : detail.ctData.sourceLang)
                    onActivated: $dispatch.run($dispatch.Ctrl_CopyTrans, "setSourceLanguage", [currentValue])
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: "→"
                    color: detail.winColor.bodyText
                }
                DropSelect {
                    id: targetSelect
                    objectName: "targetLangSelect"
                    width: 150
                    textRole: "key"
                    valueRole: "value"
                    model: detail.targetModel
                    currentIndex: Lang.indexOf(detail.targetModel, detail.ctData.targetLang)
                    onActivated: $dispatch.run($dispatch.Ctrl_CopyTrans, "setTargetLanguage", [currentValue])
                }
            }

            component AreaHeader: Item {
                property alias label: labelText.text
                property alias button: copyBtn.text
                property string copied
                property alias note: noteText.text
                width: parent.width
                height: 22
                Text {
                    id: labelText
                    anchors.verticalCenter: parent.verticalCenter
                    font.pixelSize: detail.winFontSize.small || 12
                    color: detail.winColor.bodyText2
                }
                Text {
                    id: noteText
                    anchors.left: labelText.right
                    anchors.leftMargin: 8
                    anchors.right: copyBtn.left
                    anchors.rightMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    elide: Text.ElideRight
                    font.pixelSize: detail.winFontSize.small || 12
                    color: "#f44336"
                }
                IconTextButton {
                    id: copyBtn
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    size: detail.winFontSize.small || 12
                    onClicked: $dispatch.run($dispatch.Ctrl_Global, "copyText", [parent.copied, "copyTransDetail"])
                }
            }

            AreaHeader {
                objectName: "sourceHeader"
                label: qsTr("原文:")
                button: qsTr("复制原文")
                copied: sourceEdit.text
                // A capture longer than the main page takes was cut, as a paste there is.
                note: detail.ctData.cut === true ? qsTr("超出 %1 字的部分已删除").arg(5000) : ""
            }
            ScrollView {
                width: parent.width
                height: 80
                PTextArea {
                    id: sourceEdit
                    objectName: "sourceEdit"
                    textFormat: TextEdit.PlainText
                    wrapMode: TextEdit.Wrap
                    font.pixelSize: detail.winFontSize.normal
                    color: detail.winColor.bodyText
                    Component.onCompleted: {
                        text = detail.ctData.source || ""
                        $dispatch.run($dispatch.Ctrl_CopyTrans, "handleUIForEditor", [textDocument])
                    }
                    // Only the user's edits ask for a translation: the controller's own update
                    // of the source arrives here already equal to it.
                    onTextChanged: {
                        if (text !== detail.ctData.source)
                            $dispatch.run($dispatch.Ctrl_CopyTrans, "requestTrans", [text])
                    }
                }
            }
            Connections {
                target: $state
                function onCopyTransDataChange() {
                    var source = $state.copyTransData.source || ""
                    if (sourceEdit.text !== source)
                        sourceEdit.text = source
                }
            }

            AreaHeader {
                label: qsTr("译文:")
                button: qsTr("复制译文")
                copied: targetEdit.text
            }
            Item {
                width: parent.width
                height: 100
                ScrollView {
                    anchors.fill: parent
                    PTextArea {
                        id: targetEdit
                        objectName: "targetEdit"
                        readOnly: true
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        font.pixelSize: detail.winFontSize.normal
                        color: detail.winColor.bodyText
                        text: detail.ctData.target || ""
                    }
                }
                RectLoadingH {
                    objectName: "translatingBar"
                    anchors.centerIn: parent
                    visible: detail.ctData.state === 1 || detail.ctData.state === 10086
                    running: visible
                    size: 60
                    title: qsTr("翻译中...")
                }
                IconTextButton {
                    objectName: "retryBtn"
                    anchors.centerIn: parent
                    visible: detail.ctData.state === -1
                    text: qsTr("翻译失败，点击重试")
                    normalColor: "#e44345"
                    hoverColor: "#e44345"
                    onClicked: $dispatch.run($dispatch.Ctrl_CopyTrans, "requestTrans", [sourceEdit.text])
                }
            }
        }
    }
}
