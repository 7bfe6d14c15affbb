import QtQuick 2.14
import "../../components"

// The user's workgroups: pick one, see its balance and charge type, its user members and its
// IP list. Only the administrator gets the buttons that change a workgroup.
Column {
    id: workgroup
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    readonly property bool isEnglish: $state.language === "en"
    readonly property var workgroupInfo: $state.workgroupInfo
    readonly property string curId: $state.workgroupCurId
    readonly property var groupList: {
        var list = []
        for (var key in workgroupInfo) {
            if (workgroupInfo[key].type !== "$myself")
                list.push({ "name": workgroupInfo[key].name, "id": key })
        }
        return list
    }
    readonly property var curGroupInfo: workgroupInfo[curId]
    readonly property bool selfAdmin: !!(curGroupInfo && curGroupInfo.selfAdmin)
    property bool showIpMem: false
    readonly property var shownList: !curGroupInfo ? [] : (showIpMem ? curGroupInfo.ips : curGroupInfo.members) || []
    readonly property int labelWidth: isEnglish ? 150 : 100

    signal addGroup()
    signal addGroupMem(bool isMemIP)

    function select(id) {
        $dispatch.run($dispatch.Ctrl_UserInfo, "fetchWorkgroupInfo", [id])
    }

    spacing: 8 * yScale

    component Label: Text {
        width: workgroup.labelWidth
        height: 28 * workgroup.yScale
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font.pixelSize: workgroup.winFontSize.normal
        color: workgroup.winColor.titleText
    }

    component Value: Text {
        height: 28 * workgroup.yScale
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        elide: Text.ElideRight
        font.pixelSize: workgroup.winFontSize.normal
        color: workgroup.winColor.bodyText
    }

    component ActionLink: LiteButton {
        height: 28 * workgroup.yScale
        normalColor: workgroup.winColor.liteBtnSelect2
        hoverColor: workgroup.winColor.liteBtnHover2
    }

    component Tab: Text {
        property bool current: false
        signal clicked()
        height: 30 * workgroup.yScale
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font.pixelSize: workgroup.winFontSize.normal
        font.bold: current
        color: current ? workgroup.winColor.hlText : workgroup.winColor.bodyText
        Rectangle {
            anchors.bottom: parent.bottom
            width: parent.width
            height: 2
            color: workgroup.winColor.hlText
            visible: parent.current
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: parent.clicked()
        }
    }

    Row {
        spacing: 16
        Text {
            text: qsTr("工作组")
            textFormat: Text.PlainText
            font.pixelSize: workgroup.winFontSize.large
            font.bold: true
            color: workgroup.winColor.h1Text
        }
        ActionLink {
            objectName: "addGroupBtn"
            anchors.verticalCenter: parent.verticalCenter
            text: qsTr("新建工作组")
            onClicked: workgroup.addGroup()
        }
    }

    Column {
        objectName: "noWorkgroup"
        visible: workgroup.groupList.length === 0
        width: parent.width
        spacing: 4
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "../../../assets/empty.png"
            width: 80
            height: 80
            fillMode: Image.PreserveAspectFit
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: qsTr("暂无工作组")
            textFormat: Text.PlainText
            font.pixelSize: workgroup.winFontSize.normal
            color: workgroup.winColor.bodyTextLite
        }
    }

    Flow {
        objectName: "groupNames"
        visible: workgroup.groupList.length > 0
        width: parent.width
        spacing: 18
        Repeater {
            model: workgroup.groupList
            Text {
                objectName: "groupName_" + modelData.id
                readonly property bool current: modelData.id === workgroup.curId
                height: 30 * workgroup.yScale
                verticalAlignment: Text.AlignVCenter
                text: modelData.name
                textFormat: Text.PlainText
                font.pixelSize: workgroup.winFontSize.normal
                font.underline: current
                color: current ? workgroup.winColor.hlText : workgroup.winColor.bodyText
                MouseArea {
                    anchors.fill: parent
                    cursorShape: Qt.PointingHandCursor
                    onClicked: workgroup.select(modelData.id)
                }
            }
        }
    }

    Column {
        objectName: "groupDetail"
        visible: workgroup.groupList.length > 0 && !!workgroup.curGroupInfo
        width: parent.width
        spacing: 2

        Row {
            spacing: 12
            Label { text: qsTr("工作组名") }
            Value { objectName: "groupDetailName"; text: workgroup.curGroupInfo ? workgroup.curGroupInfo.name : "" }
            IconButton {
                objectName: "rmGroupBtn"
                anchors.verticalCenter: parent.verticalCenter
                visible: workgroup.selfAdmin
                width: 20
                height: 20
                size: 16
                icon: 0xe80c
                normalColor: workgroup.winColor.iconBtnNormal
                hoverColor: "#ff4d4f"
                onClicked: $dispatch.run($dispatch.Ctrl_UserInfo, "rmWorkgroup", [workgroup.curId, workgroup.curGroupInfo.name])
            }
        }
        Row {
            spacing: 12
            Label { text: qsTr("账户余额") }
            Value {
                objectName: "groupBalance"
                text: workgroup.curGroupInfo && workgroup.curGroupInfo.balance !== undefined
                      ? Number(workgroup.curGroupInfo.balance).toFixed(2) + qsTr("元") : "-"
            }
        }
        Row {
            spacing: 12
            Label { text: qsTr("付费类型") }
            ChargeTypeText {
                height: 28 * workgroup.yScale
                verticalAlignment: Text.AlignVCenter
                chargeType: workgroup.curGroupInfo && workgroup.curGroupInfo.type ? workgroup.curGroupInfo.type : ""
                font.pixelSize: workgroup.winFontSize.normal
                color: workgroup.winColor.bodyText
            }
        }

        Item {
            width: parent.width
            height: 36 * workgroup.yScale
            Row {
                anchors.bottom: parent.bottom
                spacing: 24
                Tab {
                    objectName: "userMemTab"
                    text: qsTr("用户成员")
                    current: !workgroup.showIpMem
                    onClicked: workgroup.showIpMem = false
                }
                Tab {
                    objectName: "ipMemTab"
                    text: qsTr("IP成员")
                    current: workgroup.showIpMem
                    onClicked: workgroup.showIpMem = true
                }
            }
            ActionLink {
                objectName: "addMemBtn"
                anchors.right: parent.right
                anchors.bottom: parent.bottom
                visible: workgroup.selfAdmin
                text: qsTr("添加用户/IP成员")
                onClicked: workgroup.addGroupMem(workgroup.showIpMem)
            }
        }
        Rectangle { width: parent.width; height: 1; color: workgroup.winColor.line }

        Repeater {
            objectName: "memberRows"
            model: workgroup.shownList
            Rectangle {
                readonly property bool isIp: workgroup.showIpMem
                readonly property string shown: isIp ? modelData : modelData.name
                objectName: (isIp ? "ipRow_" : "memberRow_") + shown
                width: parent.width
                height: 36 * workgroup.yScale
                color: "transparent"
                Text {
                    objectName: "memberText"
                    anchors.left: parent.left
                    anchors.leftMargin: 8
                    anchors.verticalCenter: parent.verticalCenter
                    width: parent.width - actions.width - 24
                    text: parent.isIp ? parent.shown
                                      : parent.shown + (modelData.self ? qsTr("  (我)") : "")
                                        + (modelData.admin ? qsTr("  (管理员)") : "")
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    font.pixelSize: workgroup.winFontSize.normal
                    color: workgroup.winColor.bodyText
                }
                Row {
                    id: actions
                    anchors.right: parent.right
                    anchors.verticalCenter: parent.verticalCenter
                    spacing: 16
                    visible: workgroup.selfAdmin && (parent.isIp || !modelData.admin)
                    ActionLink {
                        objectName: "rmMemBtn"
                        visible: !parent.parent.isIp
                        text: qsTr("移除用户")
                        onClicked: $dispatch.run($dispatch.Ctrl_UserInfo, "rmWorkgroupMem", [workgroup.curId, modelData.name])
                    }
                    ActionLink {
                        objectName: "adminBtn"
                        visible: !parent.parent.isIp
                        text: qsTr("转交管理员")
                        onClicked: $dispatch.run($dispatch.Ctrl_UserInfo, "updateWorkgroupAdmin", [workgroup.curId, modelData.id, modelData.name])
                    }
                    ActionLink {
                        objectName: "rmIpBtn"
                        visible: parent.parent.isIp
                        text: qsTr("移除IP")
                        onClicked: $dispatch.run($dispatch.Ctrl_UserInfo, "rmWorkgroupIP", [workgroup.curId, modelData])
                    }
                }
                Rectangle {
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: workgroup.winColor.line
                }
            }
        }

        Text {
            objectName: "noMembers"
            visible: workgroup.shownList.length === 0
            height: 40 * workgroup.yScale
            verticalAlignment: Text.AlignVCenter
            text: qsTr("暂无数据")
            textFormat: Text.PlainText
            font.pixelSize: workgroup.winFontSize.normal
            color: workgroup.winColor.bodyTextLite
        }
    }
}
