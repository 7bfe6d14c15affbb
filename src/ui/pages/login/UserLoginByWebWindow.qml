import QtQuick 2.14
import QtQuick.Window 2.14
import "../../components"
import "../../components/GlobalActions.js" as Global

// The social login: the service's login page in a web view, which ends in a code login. The
// web engine is loaded with the view, never before this window opens.
DialogWindow {
    id: window
    objectName: "socialLoginWin"
    property string loginType: "zl"
    property int hash: Math.floor(Math.random() * 1000000000)
    readonly property string webHost: $state.webLinks.loginWeb
    readonly property string pageUrl: webHost + "/" + ($state.language === "en" ? "en-US" : "zh-CN")
                                      + "/client-login?type=" + loginType + "&from=pc&hash=" + hash
                                      + "&mode=direct&auto=" + ($state.autoLoginChecked ? "true" : "false")

    windowName: "socailLogin"
    showFlag: "showSocailLoginWindow"
    title: qsTr("社交登录")
    width: 480 * xScale
    height: 600 * yScale

    Component.onCompleted: Global.run("hideWindowTitleBar", [windowName])

    function switchType(type) {
        if (type === loginType)
            return
        loginType = type
        hash = Math.floor(Math.random() * 1000000000)
    }

    Text {
        id: heading
        objectName: "scanTitle"
        anchors.top: parent.top
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.leftMargin: 20
        text: qsTr("扫码登录")
        color: window.winColor.h1Text
        font.pixelSize: window.winFontSize.large
        font.bold: true
    }

    Row {
        anchors.top: heading.bottom
        anchors.topMargin: 10
        anchors.left: heading.left
        spacing: 12
        Repeater {
            model: ["zl", "kx"]
            Rectangle {
                objectName: modelData + "Tab"
                width: 32
                height: 32
                radius: 16
                color: "transparent"
                border.width: window.loginType === modelData ? 2 : 0
                border.color: window.winColor.mainBtnNormal
                Image {
                    anchors.centerIn: parent
                    width: 22
                    height: 22
                    fillMode: Image.PreserveAspectFit
                    source: "qrc:/assets/" + modelData + ($state.appThemeStyle === "blackwhite" ? "_blackwhite" : "") + ".png"
                }
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: window.switchType(modelData)
                }
            }
        }
    }

    Loader {
        id: view
        objectName: "webViewLoader"
        anchors.fill: parent
        anchors.topMargin: 96
        anchors.margins: 1
        asynchronous: true
        source: "../../components/LoginWebView.qml"
        onLoaded: {
            item.webHost = Qt.binding(function() { return window.webHost })
            item.loadUrl = Qt.binding(function() { return window.pageUrl })
        }
    }

    RectLoading {
        anchors.fill: view
        visible: view.status !== Loader.Ready || view.item.loading === true
        running: visible
        size: 48
        title: ""
    }
}
