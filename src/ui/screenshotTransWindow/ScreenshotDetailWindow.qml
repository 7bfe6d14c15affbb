import QtQuick 2.14
import QtQuick.Window 2.14
import QtQuick.Controls 2.14
import "../components"
import "../components/GlobalActions.js" as Global
import "../components/LanguageLists.js" as Lang

// The crop beside its recognised text and translation.
Window {
    id: detail
    objectName: "screenshotDetailWindow"
    readonly property var shotData: $state.screenshotTransData
    readonly property var winColor: $state.windowColor
    readonly property var winFontSize: $state.windowFontSize
    readonly property real xScale: $state.windowWidthScale
    readonly property real yScale: $state.windowHeightScale
    readonly property bool isEnglish: $state.language === "en"
    property var sourceModel: []
    property var targetModel: []
    property bool finished: false

    function init() {
        $dispatch.initController($dispatch.Ctrl_ScreenshotTrans)
        Global.run("windowCenterInScreen", ["screenshotDetail"])
        Global.run("windowStateChange", ["screenshotDetail", true])
    }

    // The crop exists whenever the flag that shows this window is up.
    function clipSource() {
        return $state.showScreenshotDetailWindow ? "image://myprovider/screenshot_clip" : ""
    }

    function fillLanguages() {
        sourceModel = Lang.languages($state.textTransLangData, true, isEnglish)
        targetModel = Lang.languages($state.textTransLangData, false, isEnglish)
    }

    function finish() {
        if (finished)
            return
        finished = true
        visible = false
        Global.run("windowStateChange", ["screenshotDetail", false])
        $dispatch.releaseController($dispatch.Ctrl_ScreenshotTrans)
        $state.showScreenshotDetailWindow = false
    }

    title: qsTr("截图翻译")
    flags: Qt.Window | Qt.FramelessWindowHint | ($state.windowStayBottom ? Qt.WindowStaysOnBottomHint : 0)
    width: 820 * xScale
    height: 480 * yScale
    minimumWidth: 600
    minimumHeight: 360
    color: winColor.contentBG

    Component.onCompleted: fillLanguages()
    onActiveChanged: Global.run("windowActiveChange", ["screenshotDetail", active])
    onClosing: finish()
    Component.onDestruction: finish()

    Connections {
        target: $state
        function onTextTransLangDataChange() {
            detail.fillLanguages()
        }
        // A capture confirmed while this window is open replaces the crop under the same name.
        function onShowScreenshotTransWindowChange() {
            if ($state.showScreenshotTransWindow)
                return
            clipImage.source = ""
            clipImage.source = Qt.binding(detail.clipSource)
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
            height: 36 * detail.yScale

            MouseArea {
                anchors.fill: parent
                onPressed: detail.startSystemMove()
                onDoubleClicked: detail.visibility === Window.Maximized ? detail.showNormal() : detail.showMaximized()
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
                text: qsTr("截图翻译")
                font.pixelSize: detail.winFontSize.normal
                color: detail.winColor.titleText
            }
            WindowControl {
                root: detail
                onClose: detail.finish()
            }
        }

        Item {
            id: body
            anchors.top: header.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            anchors.margins: 12

            Rectangle {
                id: clipPanel
                width: Math.round(body.width * 0.45)
                height: body.height
                color: detail.winColor.type === 1 ? "#1c1c1c" : "#f3f4f6"
                Image {
                    id: clipImage
                    objectName: "clipImage"
                    anchors.fill: parent
                    anchors.margins: 8
                    cache: false
                    fillMode: Image.PreserveAspectFit
                    source: detail.clipSource()
                }
            }

            Column {
                anchors.left: clipPanel.right
                anchors.leftMargin: 14
                anchors.right: parent.right
                height: parent.height
                spacing: 6

                Row {
                    spacing: 10
                    DropSelect {
                        objectName: "sourceLangSelect"
                        width: 150
                        textRole: "key"
                        valueRole: "value"
                        model: detail.sourceModel
                        currentIndex: Lang.indexOf(detail.sourceModel, detail.shotData.autoLang ? "auto" : detail.shotData.sourceLang)
                        onActivated: $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "setSourceLanguage", [currentValue])
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: "→"
                        color: detail.winColor.bodyText
                    }
                    DropSelect {
                        objectName: "targetLangSelect"
                        width: 150
                        textRole: "key"
                        valueRole: "value"
                        model: detail.targetModel
                        currentIndex: Lang.indexOf(detail.targetModel, detail.shotData.targetLang)
                        onActivated: $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "setTargetLanguage", [currentValue])
                    }
                }

                component AreaLabel: Text {
                    height: 22
                    verticalAlignment: Text.AlignVCenter
                    font.pixelSize: detail.winFontSize.small || 12
                    color: detail.winColor.bodyText2
                }

                AreaLabel { text: qsTr("原文:") }
                ScrollView {
                    width: parent.width
                    height: (parent.height - 140) / 2
                    PTextArea {
                        objectName: "sourceText"
                        readOnly: true
                        selectByMouse: true
                        textFormat: TextEdit.PlainText
                        wrapMode: TextEdit.Wrap
                        font.pixelSize: detail.winFontSize.normal
                        color: detail.winColor.bodyText
                        text: detail.shotData.source || ""
                        Component.onCompleted: $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "handleUIForEditor", [textDocument])
                    }
                }

                AreaLabel { text: qsTr("译文:") }
                Item {
                    width: parent.width
                    height: (parent.height - 140) / 2
                    ScrollView {
                        anchors.fill: parent
                        visible: detail.shotData.state === 0
                        PTextArea {
                            objectName: "targetText"
                            readOnly: true
                            selectByMouse: true
                            textFormat: TextEdit.PlainText
                            wrapMode: TextEdit.Wrap
                            font.pixelSize: detail.winFontSize.normal
                            color: detail.winColor.bodyText
                            text: detail.shotData.target || ""
                            Component.onCompleted: $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "handleUIForEditor", [textDocument])
                        }
                    }
                    RectLoadingH {
                        objectName: "translatingBar"
                        anchors.centerIn: parent
                        visible: detail.shotData.state === 1
                        running: visible
                        size: 60
                        title: qsTr("翻译中...")
                    }
                    IconTextButton {
                        objectName: "retryBtn"
                        anchors.centerIn: parent
                        visible: detail.shotData.state === -1
                        text: qsTr("翻译失败，点击重试")
                        size: detail.winFontSize.normal
                        normalColor: "#e44345"
                        hoverColor: "#e44345"
                        onClicked: $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "requestTrans", [])
                    }
                }

                Item {
                    width: parent.width
                    height: 36
                    Row {
                        anchors.verticalCenter: parent.verticalCenter
                        spacing: 8
                        IconButton {
                            objectName: "copyTargetBtn"
                            width: 28
                            height: 28
                            size: 16
                            icon: 0xe739
                            tip: qsTr("复制译文")
                            enable: detail.shotData.state === 0
                            onClicked: Global.run("copyText", [detail.shotData.target || "", "screenshotDetail"])
                        }
                        IconButton {
                            objectName: "saveImageBtn"
                            width: 28
                            height: 28
                            size: 16
                            icon: 0xe820
                            tip: qsTr("下载截图")
                            enable: detail.shotData.state === 0
                            onClicked: $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "downloadImg", [])
                        }
                    }
                    LiteButton {
                        objectName: "moreBtn"
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("查看更多内容>")
                        onClicked: Global.run("raiseMainWindowAndTrans",
                                              [detail.shotData.source || "", detail.shotData.sourceLang,
                                               detail.shotData.targetLang])
                    }
                }
            }
        }
    }

    HudWatcher {
        windowName: "screenshotDetail"
    }
}
