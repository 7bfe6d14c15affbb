import QtQuick 2.14
import "../../components"

// Changes the password of the signed-in account. The session stays valid afterwards.
Item {
    id: changePsw
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property int retcode: $state.retcode
    property bool hasSuccss: false
    // True between sending and the controller's answer: 200 done, 0 refused or failed.
    property bool changing: false
    // Controller 1 may belong to a login in progress or another window: release only our own.
    property bool _ownsController: false
    readonly property string oldPsw: oldField.value
    readonly property string newPsw: newField.value
    readonly property bool mismatch: confirmField.value !== "" && confirmField.value !== newPsw
    readonly property bool canChangePsw: !changing && oldPsw !== "" && newPsw !== "" && confirmField.value === newPsw

    signal naviPop()

    function submit() {
        if (!canChangePsw)
            return
        changing = true
        $dispatch.run($dispatch.Ctrl_UserLogin, "updatePasswd", [oldPsw, newPsw])
    }

    Component.onCompleted: {
        _ownsController = !$dispatch.hasController($dispatch.Ctrl_UserLogin)
        $dispatch.initController($dispatch.Ctrl_UserLogin)
    }
    Component.onDestruction: {
        if (_ownsController)
            $dispatch.releaseController($dispatch.Ctrl_UserLogin)
    }

    onRetcodeChanged: {
        if (!changing)
            return
        if (retcode === 200) {
            changing = false
            hasSuccss = true
        } else if (retcode === 0) {
            changing = false
        }
    }

    component Field: Column {
        property alias title: label.text
        property alias value: field.value
        property bool error: false
        spacing: 6
        Text {
            id: label
            textFormat: Text.PlainText
            font.pixelSize: changePsw.winFontSize.normal
            color: changePsw.winColor.bodyText
        }
        PasswdInput {
            id: field
            width: 340
            height: 38
            fontSize: changePsw.winFontSize.normal
            canPlain: true
            error: parent.error
            onEnterPress: changePsw.submit()
        }
    }

    Column {
        objectName: "pswForm"
        visible: !changePsw.hasSuccss
        anchors.top: parent.top
        anchors.topMargin: 30 * changePsw.yScale
        anchors.left: parent.left
        anchors.leftMargin: 40
        spacing: 16 * changePsw.yScale
        enabled: !changePsw.changing

        Text {
            text: qsTr("修改密码")
            textFormat: Text.PlainText
            font.pixelSize: changePsw.winFontSize.large
            font.bold: true
            color: changePsw.winColor.h1Text
        }
        Field { id: oldField; objectName: "oldPsw"; title: qsTr("旧密码") }
        Field { id: newField; objectName: "newPsw"; title: qsTr("新密码") }
        Field {
            id: confirmField
            objectName: "confirmPsw"
            title: qsTr("确认新密码")
            error: changePsw.mismatch
        }
        TitleButton {
            objectName: "changePswBtn"
            width: 340
            height: 38
            radius: 4
            fontSize: changePsw.winFontSize.normal
            title: changePsw.changing ? qsTr("密码修改中...") : qsTr("更改密码")
            disable: !changePsw.canChangePsw
            normalBgColor: changePsw.winColor.mainBtnNormal
            hoverBgColor: changePsw.winColor.mainBtnHover
            onClicked: changePsw.submit()
        }
    }

    Column {
        objectName: "pswSuccess"
        visible: changePsw.hasSuccss
        anchors.centerIn: parent
        spacing: 14 * changePsw.yScale

        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("更改密码成功")
            textFormat: Text.PlainText
            font.pixelSize: changePsw.winFontSize.large
            font.bold: true
            color: changePsw.winColor.h1Text
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("您已成功更改密码。") + "\n" + qsTr("将返回用户界面")
            textFormat: Text.PlainText
            font.pixelSize: changePsw.winFontSize.normal
            color: changePsw.winColor.bodyText
        }
        TitleButton {
            objectName: "pswDoneBtn"
            anchors.horizontalCenter: parent.horizontalCenter
            width: 160
            height: 36
            radius: 4
            fontSize: changePsw.winFontSize.normal
            title: qsTr("确定")
            normalBgColor: changePsw.winColor.mainBtnNormal
            hoverBgColor: changePsw.winColor.mainBtnHover
            onClicked: changePsw.naviPop()
        }
    }
}
