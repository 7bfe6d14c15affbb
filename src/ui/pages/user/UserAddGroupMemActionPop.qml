import QtQuick 2.14
import "../../components"

// Adds a user member or an IP to the shown workgroup. It stays open until the controller says
// the addition ended ("retcode" 500), and also when the user name is unknown (501).
UserActionPop {
    id: pop
    property bool isMemIP: false
    property int retcode: $state.retcode
    property bool waiting: false
    readonly property string ip: ipInput.value.trim()
    readonly property string memberName: nameInput.value.trim()
    readonly property bool ipValid: /^(\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5])\.(\d{1,2}|1\d\d|2[0-4]\d|25[0-5])$/.test(ip)
    readonly property bool showIpError: isMemIP && ip !== "" && !ipValid

    function submit() {
        if (waiting || (isMemIP ? !ipValid : memberName === ""))
            return
        waiting = true
        if (isMemIP)
            $dispatch.run($dispatch.Ctrl_UserInfo, "addWorkgroupIP", [$state.workgroupCurId, ip])
        else
            $dispatch.run($dispatch.Ctrl_UserInfo, "addWorkgroupMem", [$state.workgroupCurId, memberName])
    }

    title: qsTr("新增用户/IP成员")
    ready: !waiting && (isMemIP ? ipValid : memberName !== "")
    onAboutToShow: {
        ipInput.setValue("")
        nameInput.setValue("")
        waiting = false
    }
    onSure: submit()
    // A reply that never comes (a failed user look-up) must not lock a later attempt.
    onClosed: waiting = false
    onRetcodeChanged: {
        if (!waiting)
            return
        if (retcode === 500) {
            waiting = false
            close()
        } else if (retcode === 501) {
            waiting = false
        }
    }

    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("成员类型：") }
        Row {
            height: 34
            spacing: 20
            PRadioButton {
                objectName: "userMemRadio"
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("用户成员")
                textSize: pop.winFontSize.normal
                checked: !pop.isMemIP
                onClicked: pop.isMemIP = false
            }
            PRadioButton {
                objectName: "ipMemRadio"
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("IP成员")
                textSize: pop.winFontSize.normal
                checked: pop.isMemIP
                onClicked: pop.isMemIP = true
            }
        }
    }

    Row {
        visible: pop.isMemIP
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: "IP" }
        Column {
            spacing: 4
            PasswdInput {
                id: ipInput
                objectName: "ipInput"
                width: 280
                height: 34
                encypt: false
                fontSize: pop.winFontSize.normal
                placeholder: qsTr("请输入IP")
                error: pop.showIpError
                onEnterPress: pop.submit()
            }
            Text {
                objectName: "ipError"
                visible: pop.showIpError
                text: qsTr("请输入合法的IPv4地址")
                textFormat: Text.PlainText
                font.pixelSize: pop.winFontSize.small
                color: "#ff4d4f"
            }
            Text {
                width: 280
                text: qsTr("注意：将自动成为该IP列表的所有用户的默认账单主体，请谨慎操作")
                textFormat: Text.PlainText
                wrapMode: Text.Wrap
                font.pixelSize: pop.winFontSize.small
                color: "#fa8c16"
            }
        }
    }

    Row {
        visible: !pop.isMemIP
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("用户名：") }
        PasswdInput {
            id: nameInput
            objectName: "memberNameInput"
            width: 280
            height: 34
            encypt: false
            fontSize: pop.winFontSize.normal
            placeholder: qsTr("请输入用户名")
            onEnterPress: pop.submit()
        }
    }
}
