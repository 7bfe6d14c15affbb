import QtQuick 2.14
import "../components"
import "../components/GlobalActions.js" as Global

DialogWindow {
    id: window
    objectName: "aboutWindow"
    property bool isWin: $state.platform === "win"
    property bool hasNewVerison: $state.updateInfo.state >= 2
    property bool isEnglish: $state.language === "en"
    property string themeStyle: $state.appThemeStyle

    windowName: "about"
    showFlag: "showAboutWindow"
    title: qsTr("关于")
    width: 480 * xScale
    height: 340 * yScale

    function openLink(key) {
        Qt.openUrlExternally($state.webLinks[key])
    }

    Column {
        anchors.top: parent.top
        anchors.topMargin: 40
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 16

        Image {
            id: logo
            objectName: "logo"
            anchors.horizontalCenter: parent.horizontalCenter
            height: 48
            fillMode: Image.PreserveAspectFit
            source: window.themeStyle === "blackwhite" ? "qrc:/assets/titlebar_blackwhite.png"
                    : window.winColor.type === 1 ? "qrc:/assets/titlebar_dark.png" : "qrc:/assets/titlebar.png"
        }

        Text {
            id: version
            objectName: "version"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("版本 ") + $state.version
            font.pixelSize: window.winFontSize.normal
            color: window.winColor.bodyText
        }

        TitleButton {
            id: checkVersion
            objectName: "checkVersion"
            anchors.horizontalCenter: parent.horizontalCenter
            height: 32
            radius: 4
            autoWidth: true
            textPadding: 16
            title: window.hasNewVerison ? qsTr("有新版本") : qsTr("检查更新")
            fontSize: window.winFontSize.normal
            normalBgColor: window.winColor.mainBtnNormal
            hoverBgColor: window.winColor.mainBtnHover
            onClicked: Global.run("checkVersion", [true])

            Rectangle {
                visible: window.hasNewVerison
                anchors.right: parent.right
                anchors.top: parent.top
                anchors.margins: 3
                width: 6
                height: 6
                radius: 3
                color: window.winColor.hotdot
            }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 8

            LiteButton {
                objectName: "siteBtn"
                text: qsTr("进入官网")
                normalColor: window.winColor.liteBtnNormal2
                hoverColor: window.winColor.liteBtnHover2
                onClicked: window.openLink($state.isRelease ? "site" : "testSite")
            }
            LiteButton {
                objectName: "crashLogBtn"
                visible: window.isWin
                text: qsTr("获取闪退日志")
                normalColor: window.winColor.liteBtnNormal2
                hoverColor: window.winColor.liteBtnHover2
                onClicked: Global.run("exploreCrashLogs", [])
            }
            LiteButton {
                text: qsTr("吐个槽")
                normalColor: window.winColor.liteBtnNormal2
                hoverColor: window.winColor.liteBtnHover2
                onClicked: window.openLink("feedback")
            }
            LiteButton {
                text: qsTr("反馈KX群")
                normalColor: window.winColor.liteBtnNormal2
                hoverColor: window.winColor.liteBtnHover2
                onClicked: window.openLink("chatGroup")
            }
        }
    }

    Text {
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        anchors.horizontalCenter: parent.horizontalCenter
        text: qsTr("Copyright © Parlavine. 保留所有权利。")
        font.pixelSize: window.winFontSize.small
        color: window.winColor.copyright
    }
}
