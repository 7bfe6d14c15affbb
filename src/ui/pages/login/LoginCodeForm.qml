import QtQuick 2.14
import "../../components"

// A form whose e-mail address receives a verification code first (registration, forgotten
// password), with the code button's countdown and the success view. It follows "retcode":
// sendingCode while the code is on its way, sentCode once mailed, doneCode when the form's own
// request succeeded. Only changes count: a code left from an earlier visit shows nothing.
Item {
    id: container
    property var winColor: $state.windowColor
    property var fontSize: $state.windowFontSize
    property string title: ""
    property string submitTitle: ""
    // [{ "key", "placeholder", "secret": bool, "code": bool }] in their order on the page
    property var fields: []
    property int sendingCode: 0
    property int sentCode: 0
    property int doneCode: 0
    property string doneTitle: ""
    property var doneLines: []
    property int countdownSeconds: 60
    property int remaining: 0
    property bool done: false

    signal sendCode(var values)
    signal submit(var values)

    function values() {
        var result = {}
        for (var i = 0; i < inputs.count; ++i)
            result[fields[i].key] = inputs.itemAt(i).value
        return result
    }

    function backToLogin() {
        $state.loginCurPage = "login"
    }

    Connections {
        target: $state
        function onRetcodeChange() {
            if ($state.retcode === container.sentCode && container.remaining === 0)
                container.remaining = container.countdownSeconds
            else if ($state.retcode === container.doneCode)
                container.done = true
        }
    }

    Timer {
        interval: 1000
        repeat: true
        running: container.remaining > 0
        onTriggered: container.remaining -= 1
    }

    Column {
        objectName: "form"
        visible: !container.done
        anchors.top: parent.top
        anchors.topMargin: 16
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 40
        anchors.rightMargin: 40
        spacing: 16

        Text {
            objectName: "formTitle"
            text: container.title
            color: container.winColor.h1Text
            font.pixelSize: container.fontSize.large
            font.bold: true
        }

        Repeater {
            id: inputs
            model: container.fields

            Item {
                property alias value: input.value
                width: parent.width
                height: 40

                PasswdInput {
                    id: input
                    objectName: modelData.key + "Input"
                    anchors.left: parent.left
                    anchors.right: codeBtn.visible ? codeBtn.left : parent.right
                    anchors.rightMargin: codeBtn.visible ? 8 : 0
                    height: parent.height
                    encypt: modelData.secret === true
                    canPlain: modelData.secret === true
                    placeholder: modelData.placeholder
                    fontSize: container.fontSize.normal
                }

                TitleButton {
                    id: codeBtn
                    objectName: modelData.code === true ? "codeBtn" : ""
                    visible: modelData.code === true
                    anchors.right: parent.right
                    height: parent.height
                    autoWidth: true
                    radius: 4
                    fontSize: container.fontSize.small
                    disable: container.remaining > 0 || $state.retcode === container.sendingCode
                    title: container.remaining > 0 ? container.remaining + qsTr("s后重新获取") : qsTr("获取验证码")
                    normalBgColor: container.winColor.mainBtnNormal
                    hoverBgColor: container.winColor.mainBtnHover
                    onClicked: container.sendCode(container.values())
                }
            }
        }

        TitleButton {
            objectName: "submitBtn"
            width: parent.width
            height: 40
            radius: 4
            title: container.submitTitle
            fontSize: container.fontSize.normal
            normalBgColor: container.winColor.mainBtnNormal
            hoverBgColor: container.winColor.mainBtnHover
            onClicked: container.submit(container.values())
        }

        LiteButton {
            objectName: "backLink"
            text: qsTr("返回登录")
            font.pixelSize: container.fontSize.small
            onClicked: container.backToLogin()
        }
    }

    Column {
        objectName: "doneView"
        visible: container.done
        anchors.top: parent.top
        anchors.topMargin: 60
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 40
        anchors.rightMargin: 40
        spacing: 18

        Text {
            objectName: "doneTitle"
            anchors.horizontalCenter: parent.horizontalCenter
            text: container.doneTitle
            color: container.winColor.h1Text
            font.pixelSize: container.fontSize.large
            font.bold: true
        }

        Repeater {
            model: container.doneLines
            Text {
                objectName: "doneLine" + index
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.Wrap
                text: modelData
                color: container.winColor.bodyText
                font.pixelSize: container.fontSize.normal
            }
        }

        TitleButton {
            objectName: "doneBtn"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 160
            height: 40
            radius: 4
            title: qsTr("确定")
            fontSize: container.fontSize.normal
            normalBgColor: container.winColor.mainBtnNormal
            hoverBgColor: container.winColor.mainBtnHover
            onClicked: container.backToLogin()
        }
    }
}
