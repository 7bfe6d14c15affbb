import QtQuick 2.14
import "../../components"

// Chooses which billing subject pays by default: the own account or one of the workgroups.
UserActionPop {
    id: pop
    readonly property var workgroupInfo: $state.workgroupInfo
    readonly property string defaultId: $state.userDefaultWorkgroup
    readonly property var subjects: {
        var list = []
        for (var key in workgroupInfo)
            list.push({ "key": workgroupInfo[key].name, "value": key })
        return list
    }
    readonly property var current: workgroupInfo[defaultId]

    function indexOfDefault() {
        for (var i = 0; i < subjects.length; ++i) {
            if (subjects[i].value === defaultId)
                return i
        }
        return -1
    }

    title: qsTr("更改默认账单主体")
    ready: subjectSelect.currentIndex >= 0
    onAboutToShow: subjectSelect.currentIndex = indexOfDefault()
    onSure: {
        $dispatch.run($dispatch.Ctrl_UserInfo, "updateDefaultWorkgroup", [subjects[subjectSelect.currentIndex].value])
        close()
    }

    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("当前默认主体：") }
        Text {
            objectName: "currentSubject"
            height: 34
            verticalAlignment: Text.AlignVCenter
            text: pop.current && pop.current.name ? pop.current.name : "-"
            textFormat: Text.PlainText
            font.pixelSize: pop.winFontSize.normal
            color: pop.winColor.bodyText
        }
    }
    Row {
        spacing: 10
        UserPopLabel { width: pop.labelWidth; text: qsTr("修改为：") }
        DropSelect {
            id: subjectSelect
            objectName: "subjectSelect"
            width: 260
            height: 34
            model: pop.subjects
            textRole: "key"
            valueRole: "value"
        }
    }
}
