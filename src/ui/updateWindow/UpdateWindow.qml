import QtQuick 2.14
import QtQuick.Controls 2.14
import "../components"
import "../components/GlobalActions.js" as Global

// Shows the updater's state: the running check, its result, the offered version with its
// release notes and the download; the choices go back as Global actions.
DialogWindow {
    id: window
    objectName: "updateWindow"
    property var updateInfo: $state.updateInfo
    property int state: updateInfo.state
    property real progress: Number(updateInfo.progress)
    property bool isWin: $state.platform === "win"
    readonly property bool failed: progress === -100
    // -1: the size of the package is not known, so the bar only shows that bytes arrive
    readonly property bool sizeUnknown: progress === -1

    windowName: "update"
    showFlag: "showUpdateWindow"
    title: qsTr("更新")
    width: 480 * xScale
    height: 360 * yScale

    // Whole percent, rounded down: 100% only once the last byte is there.
    function percentText() {
        return qsTr("下载进度：") + Math.floor(Math.max(0, Math.min(1, progress)) * 100) + "%"
    }

    Loader {
        id: lastestPanel
        objectName: "lastestPanel"
        anchors.fill: parent
        active: window.state === 0 || window.state === 1 || window.state === -1
        sourceComponent: Item {
            Image {
                id: lastestLogo
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.top: parent.top
                anchors.topMargin: 56
                width: 64
                height: 64
                source: "qrc:/assets/barIcon.png"
                visible: window.state !== 0
            }
            RectLoading {
                objectName: "checkingSpinner"
                anchors.fill: lastestLogo
                anchors.margins: -8
                size: 56
                title: ""
                running: window.state === 0
                visible: window.state === 0
            }
            Text {
                id: lastestTitle
                objectName: "lastestTitle"
                anchors.top: lastestLogo.bottom
                anchors.topMargin: 24
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 20
                height: 24
                horizontalAlignment: Text.AlignHCenter
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font.bold: true
                font.pixelSize: window.winFontSize.large
                color: window.state === -1 ? "#fc333e" : window.winColor.h1Text
                text: window.state === 0 ? qsTr("检查更新中...")
                    : window.state === 1 ? qsTr("您使用的就是最新版本！")
                    : String(window.updateInfo.desc)
            }
            Text {
                id: lastestSubTilte
                objectName: "lastestSubTitle"
                anchors.top: lastestTitle.bottom
                anchors.left: parent.left
                anchors.right: parent.right
                anchors.margins: 20
                height: 24
                visible: window.state !== 0
                horizontalAlignment: Text.AlignHCenter
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font.pixelSize: window.winFontSize.normal
                color: window.winColor.bodyText
                text: window.state === 1 ? qsTr("当前版本：") + $state.version : qsTr("请检查当前网络是否正常")
            }
            TitleButton {
                objectName: "okButton"
                visible: window.state !== 0
                anchors.horizontalCenter: parent.horizontalCenter
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 32
                height: 32
                radius: 4
                autoWidth: true
                textPadding: 24
                title: qsTr("好的")
                fontSize: window.winFontSize.normal
                normalBgColor: window.winColor.mainBtnNormal
                hoverBgColor: window.winColor.mainBtnHover
                onClicked: window.close()
            }
        }
    }

    Loader {
        id: needUpdatePanel
        objectName: "needUpdatePanel"
        anchors.fill: parent
        active: window.state === 2 || window.state === 3
        sourceComponent: Item {
            Image {
                id: logo
                anchors.left: parent.left
                anchors.leftMargin: 20
                anchors.top: parent.top
                anchors.topMargin: 40
                width: 40
                height: 40
                source: "qrc:/assets/barIcon.png"
            }
            Text {
                id: logoTitle
                objectName: "offerTitle"
                anchors.left: logo.right
                anchors.leftMargin: 12
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.verticalCenter: logo.verticalCenter
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font.bold: true
                font.pixelSize: window.winFontSize.large
                color: window.winColor.h1Text
                text: qsTr("发现新版本：") + String(window.updateInfo.version)
            }
            Text {
                id: descTitle
                anchors.left: logo.left
                anchors.top: logo.bottom
                anchors.topMargin: 16
                font.pixelSize: window.winFontSize.normal
                color: window.winColor.bodyText
                text: qsTr("版本更新内容：")
            }
            Row {
                id: progressRow
                objectName: "progressRow"
                anchors.left: logo.left
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.verticalCenter: descTitle.verticalCenter
                anchors.leftMargin: 140
                spacing: 10
                visible: window.state === 3
                Text {
                    id: downloadTipText
                    objectName: "downloadTipText"
                    width: 100
                    anchors.verticalCenter: parent.verticalCenter
                    font.pixelSize: window.winFontSize.small
                    color: window.failed ? "#f56c6c" : window.winColor.bodyText
                    text: window.failed ? qsTr("下载失败") : window.sizeUnknown ? qsTr("下载进度：") : window.percentText()
                }
                ProgressBar {
                    id: downloadBar
                    objectName: "downloadBar"
                    anchors.verticalCenter: parent.verticalCenter
                    width: progressRow.width - downloadTipText.width - progressRow.spacing
                    height: 16
                    from: 0
                    to: 1
                    indeterminate: window.sizeUnknown
                    value: window.failed || window.sizeUnknown ? 0 : window.progress
                    background: Rectangle {
                        color: window.winColor.progressTrack
                        border.width: 1
                        border.color: window.winColor.progressBorder
                    }
                    contentItem: Item {
                        id: track
                        property real pulse: 0
                        Rectangle {
                            x: downloadBar.indeterminate ? 1 + (parent.width - 2 - width) * track.pulse : 1
                            y: 1
                            height: parent.height - 2
                            width: downloadBar.indeterminate ? parent.width / 4 : downloadBar.visualPosition * (parent.width - 2)
                            color: "#0052d9"
                        }
                        SequentialAnimation on pulse {
                            running: downloadBar.indeterminate && window.visible
                            loops: Animation.Infinite
                            NumberAnimation { from: 0; to: 1; duration: 900 }
                            NumberAnimation { from: 1; to: 0; duration: 900 }
                        }
                    }
                }
            }
            Rectangle {
                id: contentRect
                anchors.left: logo.left
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.top: descTitle.bottom
                anchors.topMargin: 10
                anchors.bottom: buttons.top
                anchors.bottomMargin: 16
                color: "transparent"
                border.width: 1
                border.color: window.winColor.inputBorder
                radius: 4
                ScrollView {
                    anchors.fill: parent
                    anchors.margins: 1
                    ScrollBar.vertical.policy: ScrollBar.AsNeeded
                    ScrollBar.horizontal.policy: ScrollBar.AlwaysOff
                    PTextArea {
                        objectName: "descText"
                        readOnly: true
                        selectByMouse: true
                        rightMouseMenuEnabled: true
                        // at word boundaries; anywhere only inside a word longer than the line
                        wrapMode: TextEdit.Wrap
                        textFormat: TextEdit.PlainText
                        font.pixelSize: window.winFontSize.normal
                        color: window.winColor.bodyText
                        text: String(window.updateInfo.desc)
                    }
                }
            }
            Row {
                id: buttons
                anchors.right: parent.right
                anchors.rightMargin: 20
                anchors.bottom: parent.bottom
                anchors.bottomMargin: 20
                spacing: 12
                TitleButton {
                    objectName: "secondaryButton"
                    height: 32
                    radius: 4
                    autoWidth: true
                    textPadding: 16
                    fontSize: window.winFontSize.normal
                    titleColor: window.winColor.cancelBtnText
                    normalBgColor: window.winColor.cancelBtnNormal
                    hoverBgColor: window.winColor.cancelBtnHover
                    borderColor: window.winColor.inputBorder
                    visible: window.state === 2 || !window.failed
                    title: window.state === 3 ? qsTr("取消") : qsTr("稍后提示")
                    onClicked: {
                        if (window.state === 3) {
                            Global.run("cancleDownloadVersionPkg", [])
                        } else {
                            Global.run("blockCheckVersion", [String(window.updateInfo.version)])
                            window.close()
                        }
                    }
                }
                TitleButton {
                    objectName: "mainButton"
                    readonly property bool downloading: window.state === 3 && !window.failed
                    height: 32
                    radius: 4
                    autoWidth: true
                    textPadding: 16
                    fontSize: window.winFontSize.normal
                    normalBgColor: window.winColor.mainBtnNormal
                    hoverBgColor: window.winColor.mainBtnHover
                    disableBgColor: window.winColor.mainBtnDisable
                    disable: downloading
                    title: downloading ? qsTr("下载中...") : window.failed ? qsTr("重新下载") : qsTr("下载更新")
                    onClicked: Global.run("downloadVersionPkg", [])
                }
            }
        }
    }
}
