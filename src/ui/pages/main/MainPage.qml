import QtQuick 2.14
import "../../components"

Rectangle {
    id: mainPage
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    readonly property string curPage: $state.mainCurPage

    readonly property var _curEntry: entryOf(curPage)

    // page name -> document under ui/pages (empty: none in this build) and title
    function entryOf(page) {
        var pages = {
            "textTransPage": { "doc": "textTrans/TextTransPage", "title": qsTr("文本翻译") },
            "fileTransPage": { "doc": "fileTrans/FileTransPage", "title": qsTr("文件翻译") },
            "smartTransPage": { "doc": "", "title": qsTr("交互翻译") },
            "termPage": { "doc": "", "title": qsTr("术语库") },
            "sentencePage": { "doc": "", "title": qsTr("例句库") },
            "envPage": { "doc": "EnvPage", "title": qsTr("翻译环境") },
            "userPage": { "doc": "user/UserPage", "title": qsTr("我的账号") }
        }
        return pages[page] || { "doc": "", "title": "" }
    }

    // the page being left hears onHide before the next one is loaded and hears onShow
    function _switchPage() {
        var page = curPagePanel.item
        if (page && typeof page.onHide === "function")
            page.onHide()
        var doc = entryOf(curPage).doc
        curPagePanel.document = doc !== "" ? "../" + doc + ".qml" : ""
    }

    color: winColor.contentBG
    onCurPageChanged: _switchPage()
    Component.onCompleted: _switchPage()

    MainSidebar {
        id: mainSidebar
        objectName: "mainSidebar"
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: Math.max(72 * mainPage.xScale, minimumWidth)
    }

    Rectangle {
        id: topBar
        anchors.left: mainSidebar.right
        anchors.right: parent.right
        anchors.top: parent.top
        height: 48 * mainPage.yScale
        color: "transparent"

        Text {
            id: titleLabel
            objectName: "titleLabel"
            anchors.left: parent.left
            anchors.leftMargin: 20
            anchors.verticalCenter: parent.verticalCenter
            text: mainPage._curEntry.title
            font.pixelSize: $state.windowFontSize.large
            font.bold: true
            color: mainPage.winColor.h1Text
        }

        RectLoading {
            anchors.left: titleLabel.right
            anchors.leftMargin: 5
            anchors.verticalCenter: parent.verticalCenter
            width: 30
            height: 20
            size: 18
            title: ""
            bgColor: "transparent"
            running: curPagePanel.status !== Loader.Ready
            visible: running
        }
    }

    OptionalLoader {
        id: curPagePanel
        objectName: "curPagePanel"
        anchors.left: mainSidebar.right
        anchors.right: parent.right
        anchors.top: topBar.bottom
        anchors.bottom: parent.bottom
        fallback: "../PendingPage.qml"

        onLoaded: {
            if (typeof item.onShow === "function")
                item.onShow()
        }
    }
}
