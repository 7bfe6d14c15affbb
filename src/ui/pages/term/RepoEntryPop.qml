import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// Adds an entry to a repository, or edits one when repoSentId is set. It stays open with what was
// typed until the save succeeds, and shows a failure inside itself.
Popup {
    id: pop
    property int controller: -1
    property string windowName: ""
    property bool saving: false
    property string failure: ""
    property string repoId: ""
    property string repoSentId: ""
    property string initSource: ""
    property string initTarget: ""
    property string editTitle: ""
    property string addTitle: ""
    property string sourcePlaceholder: ""
    property string targetPlaceholder: ""
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    readonly property bool editing: repoSentId !== ""
    readonly property bool ready: sourceArea.text.trim() !== "" && targetArea.text.trim() !== ""

    function submit() {
        if (!ready || saving)
            return
        saving = true
        failure = ""
        if (editing)
            $dispatch.run(controller, "updateRepoSent", [repoSentId, repoId, sourceArea.text, targetArea.text])
        else
            $dispatch.run(controller, "addRepoSent", [repoId, sourceArea.text, targetArea.text])
    }

    Connections {
        target: $state
        function onRepoEntrySaveChange() {
            var result = $state.repoEntrySave
            if (!pop.saving || result.window !== pop.windowName)
                return
            pop.saving = false
            if (result.ok)
                pop.close()
            else
                pop.failure = result.message || qsTr("服务器异常，请稍后重试")
        }
    }

    anchors.centerIn: parent
    width: 520
    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    padding: 24
    background: Rectangle {
        radius: 6
        color: pop.winColor.contentBG
        border.width: 1
        border.color: pop.winColor.windowBorder
    }

    component Field: Rectangle {
        property alias area: textArea
        property alias placeholder: textArea.placeholderText
        width: pop.availableWidth - pop._labelWidth - 8
        height: 110
        radius: 4
        color: pop.winColor.transInputBG
        border.width: 1
        border.color: textArea.activeFocus ? pop.winColor.inputBorderHL : pop.winColor.inputBorder
        ScrollView {
            anchors.fill: parent
            anchors.margins: 4
            PTextArea {
                id: textArea
                wrapMode: TextEdit.Wrap
                selectByMouse: true
                textFormat: TextEdit.PlainText
                font.pixelSize: pop.winFontSize.normal
                color: pop.winColor.transInputText
            }
        }
    }

    Column {
        width: parent.width
        spacing: 16

        Text {
            objectName: "entryPopTitle"
            text: pop.editing ? pop.editTitle : pop.addTitle
            font.pixelSize: pop.winFontSize.large || 16
            font.bold: true
            color: pop.winColor.h1Text
        }

        Row {
            spacing: 8
            Text {
                id: sourceLabel
                width: pop._labelWidth
                text: qsTr("原文：")
                font.pixelSize: pop.winFontSize.normal
                color: pop.winColor.bodyText
            }
            Field {
                id: sourceField
                placeholder: pop.sourcePlaceholder
                Component.onCompleted: area.text = pop.initSource
            }
        }

        Row {
            spacing: 8
            Text {
                id: targetLabel
                width: pop._labelWidth
                text: qsTr("译文：")
                font.pixelSize: pop.winFontSize.normal
                color: pop.winColor.bodyText
            }
            Field {
                id: targetField
                placeholder: pop.targetPlaceholder
                Component.onCompleted: area.text = pop.initTarget
            }
        }

        Text {
            objectName: "entryPopFailure"
            width: parent.width
            visible: pop.failure !== ""
            text: qsTr("保存失败：%1").arg(pop.failure)
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: pop.winFontSize.normal
            color: "#f56c6c"
        }

        PopButtons {
            anchors.right: parent.right
            ready: pop.ready && !pop.saving
            onSure: pop.submit()
            onCancel: pop.close()
        }
    }

    // both labels as wide as the longer translation; the fields take the rest
    readonly property real _labelWidth: Math.max(60, sourceLabel.implicitWidth, targetLabel.implicitWidth)
    readonly property var sourceArea: sourceField.area
    readonly property var targetArea: targetField.area
}
