import QtQuick 2.14
import "../../components"

// The remembered login being tried: progress while it runs, a retry when the network failed.
Item {
    id: container
    objectName: "autoLogin"
    property var winColor: $state.windowColor
    property var fontSize: $state.windowFontSize
    readonly property int status: $state.userLoginStatus

    Column {
        anchors.top: parent.top
        anchors.topMargin: 16
        anchors.horizontalCenter: parent.horizontalCenter
        spacing: 18

        Text {
            objectName: "autoLoginTitle"
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("账号自动登录")
            color: container.winColor.h1Text
            font.pixelSize: container.fontSize.large
            font.bold: true
        }

        UserAvatar {
            anchors.horizontalCenter: parent.horizontalCenter
            height: 72
            fontSize: 32
            disableMouseArea: true
        }

        Text {
            objectName: "autoLoginName"
            anchors.horizontalCenter: parent.horizontalCenter
            text: $state.userName
            textFormat: Text.PlainText
            color: container.winColor.bodyText
            font.pixelSize: container.fontSize.medium
        }

        Row {
            objectName: "autoLoginProgress"
            anchors.horizontalCenter: parent.horizontalCenter
            visible: container.status === 1
            spacing: 8

            // a quarter circle turning steadily
            Canvas {
                id: arc
                width: 20
                height: 20
                anchors.verticalCenter: parent.verticalCenter
                onPaint: {
                    var ctx = getContext("2d")
                    ctx.reset()
                    ctx.lineWidth = 2
                    ctx.strokeStyle = String(container.winColor.mainBtnNormal)
                    ctx.beginPath()
                    ctx.arc(width / 2, height / 2, width / 2 - 2, 0, Math.PI * 1.5)
                    ctx.stroke()
                }
                RotationAnimator on rotation {
                    from: 0
                    to: 360
                    duration: 1000
                    loops: Animation.Infinite
                    running: arc.visible
                }
            }

            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("登录中...")
                color: container.winColor.bodyText
                font.pixelSize: container.fontSize.normal
            }
        }

        Column {
            objectName: "autoLoginRetry"
            anchors.horizontalCenter: parent.horizontalCenter
            visible: container.status === -1
            spacing: 14

            Text {
                objectName: "autoLoginTip"
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("网络异常，请重试")
                color: "#f56c6c"
                font.pixelSize: container.fontSize.normal
            }

            Row {
                anchors.horizontalCenter: parent.horizontalCenter
                spacing: 16

                TitleButton {
                    objectName: "retryBtn"
                    height: 36
                    radius: 4
                    autoWidth: true
                    textPadding: 20
                    title: qsTr("重新登录")
                    fontSize: container.fontSize.normal
                    normalBgColor: container.winColor.mainBtnNormal
                    hoverBgColor: container.winColor.mainBtnHover
                    // the window's own lifetime decides when the controller goes
                    onClicked: $dispatch.run($dispatch.Ctrl_UserLogin, "autoLoginIfNeeded", [false])
                }

                TitleButton {
                    objectName: "cancelBtn"
                    height: 36
                    radius: 4
                    autoWidth: true
                    textPadding: 20
                    title: qsTr("取消")
                    fontSize: container.fontSize.normal
                    titleColor: container.winColor.cancelBtnText
                    normalBgColor: container.winColor.cancelBtnNormal
                    hoverBgColor: container.winColor.cancelBtnHover
                    onClicked: $dispatch.run($dispatch.Ctrl_UserLogin, "cancelAutoLogin", [])
                }
            }
        }
    }
}
