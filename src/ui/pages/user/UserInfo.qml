import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// The profile: name, balance, e-mail, charge type, default billing subject, the API token and,
// below, the workgroups.
Item {
    id: userInfo
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    readonly property bool isEnglish: $state.language === "en"
    readonly property string userName: $state.userName
    readonly property string userEmail: $state.userEmail
    readonly property string apiToken: $state.userApiToken
    readonly property var workgroupInfo: $state.workgroupInfo
    readonly property bool hasApiToken: apiToken !== "" && apiToken !== "null"
    // Accounts made by a social login carry an address of the service's own placeholder domain.
    readonly property string placeholderDomain: "@noreply.invalid"
    readonly property bool needBindEmail: userEmail === "" || userEmail.endsWith(placeholderDomain)
    // The own account's entry exists once the bill entities have arrived.
    readonly property bool hasOwnEntity: {
        for (var key in workgroupInfo) {
            if (workgroupInfo[key].type === "$myself")
                return true
        }
        return false
    }
    readonly property var defaultSubject: workgroupInfo[$state.userDefaultWorkgroup]
    readonly property int labelWidth: isEnglish ? 150 : 100

    function copy(text) {
        $dispatch.run($dispatch.Ctrl_Global, "copyText", [text, "main"])
    }

    component Heading: Text {
        textFormat: Text.PlainText
        font.pixelSize: userInfo.winFontSize.large
        font.bold: true
        color: userInfo.winColor.h1Text
    }

    // A label and its value, with room for buttons after the value.
    component InfoRow: Row {
        property string label: ""
        property string value: ""
        property string valueName: ""
        height: 32 * userInfo.yScale
        spacing: 12

        Text {
            width: userInfo.labelWidth
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            text: parent.label
            textFormat: Text.PlainText
            font.pixelSize: userInfo.winFontSize.normal
            color: userInfo.winColor.titleText
        }
        Text {
            objectName: parent.valueName
            width: Math.min(implicitWidth, 360)
            height: parent.height
            verticalAlignment: Text.AlignVCenter
            text: parent.value
            textFormat: Text.PlainText
            elide: Text.ElideMiddle
            font.pixelSize: userInfo.winFontSize.normal
            color: userInfo.winColor.bodyText
        }
    }

    component RowButton: LiteButton {
        height: 32 * userInfo.yScale
        normalColor: userInfo.winColor.liteBtnSelect2
        hoverColor: userInfo.winColor.liteBtnHover2
    }

    Flickable {
        id: flick
        objectName: "infoFlick"
        anchors.fill: parent
        anchors.leftMargin: 30
        anchors.rightMargin: 20
        contentHeight: content.height + 30
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        Column {
            id: content
            y: 20 * userInfo.yScale
            width: flick.width
            spacing: 6 * userInfo.yScale

            Heading { text: qsTr("账号信息") }

            InfoRow {
                label: qsTr("用户名")
                value: userInfo.userName
                valueName: "infoUserName"
                RowButton {
                    objectName: "copyNameBtn"
                    text: qsTr("复制")
                    onClicked: userInfo.copy(userInfo.userName)
                }
            }

            InfoRow {
                label: qsTr("用户余额")
                value: userInfo.hasOwnEntity ? $state.userBalance.toFixed(2) + qsTr("元") : "-"
                valueName: "infoBalance"
            }

            InfoRow {
                label: qsTr("邮箱")
                value: userInfo.needBindEmail ? "-" : userInfo.userEmail
                valueName: "infoEmail"
                RowButton {
                    objectName: "bindEmailBtn"
                    visible: userInfo.needBindEmail
                    text: qsTr("绑定")
                    onClicked: bindEmailPop.open()
                }
            }

            Row {
                height: 32 * userInfo.yScale
                spacing: 12
                Text {
                    width: userInfo.labelWidth
                    height: parent.height
                    verticalAlignment: Text.AlignVCenter
                    text: qsTr("付费类型")
                    textFormat: Text.PlainText
                    font.pixelSize: userInfo.winFontSize.normal
                    color: userInfo.winColor.titleText
                }
                ChargeTypeText {
                    objectName: "infoChargeType"
                    height: parent.height
                    verticalAlignment: Text.AlignVCenter
                    chargeType: $state.userChargeType
                    font.pixelSize: userInfo.winFontSize.normal
                    color: userInfo.winColor.bodyText
                }
            }

            InfoRow {
                label: qsTr("账单主体")
                value: userInfo.defaultSubject && userInfo.defaultSubject.name ? userInfo.defaultSubject.name
                                                                               : qsTr("未设置")
                valueName: "infoBillSubject"
                RowButton {
                    objectName: "changeSubjectBtn"
                    text: qsTr("更改默认账单主体")
                    onClicked: defaultGroupPop.open()
                }
            }

            Item { width: 1; height: 14 * userInfo.yScale }
            Heading { text: qsTr("开发者") }

            InfoRow {
                label: "Token"
                value: userInfo.hasApiToken ? userInfo.apiToken : "-"
                valueName: "infoToken"
                RowButton {
                    objectName: "copyTokenBtn"
                    visible: userInfo.hasApiToken
                    text: qsTr("复制")
                    onClicked: userInfo.copy(userInfo.apiToken)
                }
                RowButton {
                    objectName: "tokenBtn"
                    text: userInfo.hasApiToken ? qsTr("更新") : qsTr("设置")
                    onClicked: $dispatch.run($dispatch.Ctrl_UserInfo, "updateApiToken", [])
                }
            }

            Item { width: 1; height: 14 * userInfo.yScale }

            UserWorkgroup {
                id: workgroups
                objectName: "userWorkgroup"
                width: parent.width
                onAddGroup: addGroupPop.open()
                onAddGroupMem: {
                    addGroupMemPop.isMemIP = isMemIP
                    addGroupMemPop.open()
                }
            }
        }
    }

    UserBindEmailActionPop { id: bindEmailPop; objectName: "bindEmailPop" }
    UserDefaultGroupActionPop { id: defaultGroupPop; objectName: "defaultGroupPop" }
    UserAddGroupActionPop { id: addGroupPop; objectName: "addGroupPop" }
    UserAddGroupMemActionPop { id: addGroupMemPop; objectName: "addGroupMemPop" }
}
