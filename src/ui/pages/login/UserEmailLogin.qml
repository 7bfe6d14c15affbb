import QtQuick 2.14
import "../../components"

// The password form.
Item {
    id: container
    objectName: "emailLogin"
    property var winColor: $state.windowColor
    property var fontSize: $state.windowFontSize

    function submit() {
        $dispatch.run($dispatch.Ctrl_UserLogin, "login", [nameInput.value, passwordInput.value, $state.autoLoginChecked])
    }

    Column {
        anchors.top: parent.top
        anchors.topMargin: 16
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 40
        anchors.rightMargin: 40
        spacing: 16

        Text {
            objectName: "loginTitle"
            text: qsTr("账号密码登录")
            color: container.winColor.h1Text
            font.pixelSize: container.fontSize.large
            font.bold: true
        }

        Text {
            objectName: "loginSubtitle"
            width: parent.width
            wrapMode: Text.Wrap
            // our own words, drawn with the theme's heading colour
            textFormat: Text.StyledText
            text: qsTr("推荐使用<font color='#000000'>社交账号</font>登录，防止盗号")
                    .replace("#000000", String(container.winColor.h1Text))
            color: container.winColor.titleText
            font.pixelSize: container.fontSize.small
        }

        PasswdInput {
            id: nameInput
            objectName: "nameInput"
            width: parent.width
            encypt: false
            placeholder: qsTr("支持用户名/邮箱登录")
            initValue: $state.loginName
            fontSize: container.fontSize.normal
            onEnterPress: passwordInput.setFocus(true)
        }

        PasswdInput {
            id: passwordInput
            objectName: "passwordInput"
            width: parent.width
            placeholder: qsTr("密码")
            canPlain: true
            fontSize: container.fontSize.normal
            onEnterPress: container.submit()
        }

        Item {
            width: parent.width
            height: 20

            CheckButton {
                id: autoCheck
                objectName: "autoLoginCheck"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("下次自动登录")
                checked: $state.autoLoginChecked
                onCheckedChanged: $state.autoLoginChecked = checked
                Connections {
                    target: $state
                    function onAutoLoginCheckedChange() { autoCheck.checked = $state.autoLoginChecked }
                }
            }

            LiteButton {
                objectName: "forgetLink"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("忘记密码？")
                font.pixelSize: container.fontSize.small
                onClicked: $state.loginCurPage = "forget"
            }
        }

        TitleButton {
            objectName: "loginBtn"
            width: parent.width
            height: 40
            radius: 4
            title: qsTr("登录")
            fontSize: container.fontSize.normal
            normalBgColor: container.winColor.mainBtnNormal
            hoverBgColor: container.winColor.mainBtnHover
            onClicked: container.submit()
        }

        Item {
            width: parent.width
            height: 20

            LiteButton {
                objectName: "registerLink"
                anchors.left: parent.left
                text: qsTr("注册新账号")
                font.pixelSize: container.fontSize.small
                onClicked: $state.loginCurPage = "register"
            }

            LiteButton {
                objectName: "feedbackLink"
                anchors.right: parent.right
                text: qsTr("意见反馈")
                font.pixelSize: container.fontSize.small
                onClicked: $dispatch.run($dispatch.Ctrl_Global, "openWebUrl", [$state.webLinks.feedback, true])
            }
        }
    }
}
