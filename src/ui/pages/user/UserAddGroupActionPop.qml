import QtQuick 2.14
import "../../components"

// Creates a workgroup with the signed-in user as its administrator.
UserActionPop {
    id: pop
    readonly property string name: nameInput.value.trim()
    readonly property bool nameFits: name.length >= 4 && name.length <= 50
    property bool tried: false
    readonly property bool showError: (tried || name !== "") && !nameFits

    function submit() {
        tried = true
        if (!nameFits)
            return
        $dispatch.run($dispatch.Ctrl_UserInfo, "addWorkgroup", [name])
        close()
    }

    title: qsTr("新建工作组")
    onAboutToShow: {
        nameInput.setValue("")
        tried = false
    }
    onSure: submit()

    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("名称：") }
        Column {
            spacing: 4
            PasswdInput {
                id: nameInput
                objectName: "groupNameInput"
                width: 280
                height: 34
                encypt: false
                fontSize: pop.winFontSize.normal
                placeholder: qsTr("工作组名称")
                error: pop.showError
                onEnterPress: pop.submit()
            }
            Text {
                objectName: "groupNameError"
                visible: pop.showError
                text: qsTr("工作组名称长度限制4-50个字符")
                textFormat: Text.PlainText
                font.pixelSize: pop.winFontSize.small
                color: "#ff4d4f"
            }
        }
    }
    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("管理员：") }
        Text {
            height: 34
            verticalAlignment: Text.AlignVCenter
            text: $state.userName
            textFormat: Text.PlainText
            font.pixelSize: pop.winFontSize.normal
            color: pop.winColor.bodyText
        }
    }
}
