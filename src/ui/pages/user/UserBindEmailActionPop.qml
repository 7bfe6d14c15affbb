import QtQuick 2.14
import "../../components"

// Binds an e-mail address to the account with a code mailed to it.
UserActionPop {
    id: pop
    property int retcode: $state.retcode
    property int _codeTime: 0
    readonly property int codeSeconds: 60
    readonly property string email: emailInput.value.trim()
    readonly property string verifyCode: codeInput.value.trim()
    readonly property bool emailValid: /^[a-zA-Z0-9_-]+@[a-zA-Z0-9_-]+(.[a-zA-Z0-9_-])+/.test(email)
    // What the line under the address says: a wrong address, or why the code was not sent.
    property string codeError: ""
    readonly property string errorText: email !== "" && !emailValid ? qsTr("请输入正确的邮箱") : codeError

    function sendCode() {
        if (!emailValid || codeTimer.running)
            return
        codeError = ""
        _codeTime = codeSeconds
        codeTimer.start()
        $dispatch.run($dispatch.Ctrl_UserInfo, "sendBindEmailCode", [email])
    }

    title: qsTr("绑定用户邮箱")
    ready: emailValid && verifyCode !== ""
    onAboutToShow: {
        emailInput.setValue("")
        codeInput.setValue("")
        codeError = ""
    }
    onSure: {
        $dispatch.run($dispatch.Ctrl_UserInfo, "updateEmail", [email, verifyCode])
        close()
    }
    onRetcodeChanged: {
        // A code that could not be sent may be asked for again at once.
        if (retcode === 402 && codeTimer.running) {
            codeTimer.stop()
            _codeTime = 0
            codeError = $state.retmsg
        }
    }

    Timer {
        id: codeTimer
        objectName: "codeTimer"
        interval: 1000
        repeat: true
        onTriggered: {
            pop._codeTime -= 1
            if (pop._codeTime <= 0)
                stop()
        }
    }

    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("用户名：") }
        Text {
            height: 34
            verticalAlignment: Text.AlignVCenter
            text: $state.userName
            textFormat: Text.PlainText
            font.pixelSize: pop.winFontSize.normal
            color: pop.winColor.bodyText
        }
    }
    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("邮箱：") }
        Column {
            spacing: 4
            PasswdInput {
                id: emailInput
                objectName: "emailInput"
                width: 300
                height: 34
                encypt: false
                fontSize: pop.winFontSize.normal
                placeholder: qsTr("请输入邮箱")
                error: pop.errorText !== ""
            }
            Text {
                objectName: "emailError"
                width: 300
                height: 16
                text: pop.errorText
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font.pixelSize: pop.winFontSize.small
                color: "#ff4d4f"
            }
        }
    }
    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("验证码：") }
        PasswdInput {
            id: codeInput
            objectName: "codeInput"
            width: 170
            height: 34
            encypt: false
            fontSize: pop.winFontSize.normal
            placeholder: qsTr("请输入验证码")
            onEnterPress: if (pop.ready) pop.sure()
        }
        TitleButton {
            objectName: "sendCodeBtn"
            width: 120
            height: 34
            radius: 4
            fontSize: pop.winFontSize.normal
            title: codeTimer.running ? pop._codeTime + qsTr("s后重新获取") : qsTr("获取验证码")
            disable: codeTimer.running || !pop.emailValid
            normalBgColor: pop.winColor.mainBtnNormal
            hoverBgColor: pop.winColor.mainBtnHover
            onClicked: pop.sendCode()
        }
    }
}
