import QtQuick 2.14
import "../../components"

// Panel "login": the password form, or the automatic-login page while a remembered login is
// tried; below either, the way into the social login.
Item {
    id: container
    property var winColor: $state.windowColor
    readonly property string imageSuffix: $state.appThemeStyle === "blackwhite" ? "_blackwhite" : ""

    Loader {
        objectName: "loginForm"
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: social.top
        source: $state.isUserAutoLogin ? "UserAutoLogin.qml" : "UserEmailLogin.qml"
    }

    Column {
        id: social
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 28
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 14

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 10
            Rectangle { width: 60; height: 1; anchors.verticalCenter: parent.verticalCenter; color: container.winColor.line }
            Text {
                objectName: "socialTitle"
                text: qsTr("社交账号登录")
                color: container.winColor.titleText
                font.pixelSize: $state.windowFontSize.small
            }
            Rectangle { width: 60; height: 1; anchors.verticalCenter: parent.verticalCenter; color: container.winColor.line }
        }

        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 32
            Repeater {
                model: [{ "name": "zl", "colour": "#F3F5F7" }, { "name": "kx", "colour": "#f0f0f0" }]
                Rectangle {
                    objectName: modelData.name + "Btn"
                    property string image: "qrc:/assets/" + modelData.name + container.imageSuffix + ".png"
                    width: 44
                    height: 44
                    radius: 22
                    color: container.winColor.type === 1 ? container.winColor.socialLoginBG : modelData.colour

                    Image {
                        anchors.centerIn: parent
                        width: 26
                        height: 26
                        source: parent.image
                        fillMode: Image.PreserveAspectFit
                    }

                    MouseArea {
                        anchors.fill: parent
                        cursorShape: Qt.PointingHandCursor
                        onClicked: $dispatch.run($dispatch.Ctrl_Global, "raiseWindow", ["socailLogin"])
                    }
                }
            }
        }
    }
}
