import QtQuick 2.14
import QtQuick.Window 2.14
import QtWebEngine 1.10

// The social login: the service's login page, which ends on its own "/client-login?" address
// with a one-time code. That address goes back to the client, which logs in with it.
Window {
    id: window
    objectName: "socialLoginWin"
    property string loginType: "zl"
    property int hash: Math.floor(Math.random() * 1000000000)
    readonly property string webHost: $settings.host
    readonly property string pageUrl: webHost + "/" + $settings.language + "/client-login?type=" + loginType
                                      + "&from=pc&hash=" + hash + "&mode=direct&auto=" + $settings.auto

    function switchType(type) {
        if (type === loginType)
            return
        loginType = type
        hash = Math.floor(Math.random() * 1000000000)
    }

    // a code counts only on the service's own pages
    function takeCode(text) {
        if (text.indexOf("/client-login?") < 0 || text.indexOf("&code=") < 0)
            return
        if (webHost === "" || text.indexOf(webHost + "/") !== 0)
            return
        $login.handBack(text)
    }

    title: $settings.title
    width: 470
    height: 590
    visible: true
    color: $settings.background

    Text {
        id: heading
        objectName: "scanTitle"
        anchors.top: parent.top
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.leftMargin: 20
        text: $settings.heading
        textFormat: Text.PlainText
        color: $settings["text-color"]
        font.pixelSize: 16
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
                border.color: $settings.accent
                Image {
                    anchors.centerIn: parent
                    width: 22
                    height: 22
                    fillMode: Image.PreserveAspectFit
                    source: "qrc:/weblogin/" + modelData + ($settings.blackwhite ? "_blackwhite" : "") + ".png"
                }
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: window.switchType(modelData)
                }
            }
        }
    }

    WebEngineView {
        id: view
        objectName: "loginWebView"
        anchors.fill: parent
        anchors.topMargin: 96
        url: window.pageUrl
        settings.autoLoadIconsForPage: false
        onUrlChanged: window.takeCode(String(url))
    }
}
