import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// Creates a repository of one kind. Languages go to the server by their lower-case English
// name, the form the server lists repositories with, so that the new one reads back the same.
Popup {
    id: pop
    property int controller: -1
    property string title: ""
    property string namePlaceholder: ""
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool isEnglish: $state.language === "en"
    property bool reversible: true
    // Every language of the translation table but "auto", by priority.
    readonly property var languages: {
        var table = $state.textTransLangData
        var list = []
        for (var code in table) {
            if (code !== "auto" && table[code].enName)
                list.push({ "code": code, "name": table[code].name, "enName": table[code].enName,
                            "prio": table[code].prio || 0 })
        }
        list.sort(function(a, b) { return b.prio - a.prio || (a.code < b.code ? -1 : 1) })
        return list
    }
    readonly property bool ready: nameField.text.trim() !== "" && sourceSelect.currentIndex >= 0
                                  && targetSelect.currentIndex >= 0

    function serverName(select) {
        return String(languages[select.currentIndex].enName).toLowerCase()
    }

    function submit() {
        if (!ready)
            return
        $dispatch.run(controller, "addRepo", [nameField.text.trim(), serverName(sourceSelect), serverName(targetSelect),
                                              reversible])
        close()
    }

    anchors.centerIn: parent
    width: 440
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

    component Label: Text {
        width: Math.max(110, implicitWidth)
        font.pixelSize: pop.winFontSize.normal
        color: pop.winColor.bodyText
    }

    Column {
        width: parent.width
        spacing: 16

        Text {
            text: pop.title
            font.pixelSize: pop.winFontSize.large || 16
            font.bold: true
            color: pop.winColor.h1Text
        }

        Row {
            spacing: 8
            Label { anchors.verticalCenter: parent.verticalCenter; text: qsTr("名称：") }
            TextField {
                id: nameField
                objectName: "repoNameField"
                width: 260
                height: 32
                selectByMouse: true
                placeholderText: pop.namePlaceholder
                font.pixelSize: pop.winFontSize.normal
                color: pop.winColor.transInputText
                background: Rectangle {
                    radius: 4
                    color: pop.winColor.transInputBG
                    border.color: pop.winColor.inputBorder
                }
                onAccepted: pop.submit()
            }
        }

        Row {
            spacing: 8
            Label { anchors.verticalCenter: parent.verticalCenter; text: qsTr("语言方向：") }
            DropSelect {
                id: sourceSelect
                objectName: "sourceSelect"
                width: 118
                model: pop.languages
                textRole: pop.isEnglish ? "enName" : "name"
                currentIndex: -1
            }
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: "-"
                color: pop.winColor.bodyText
            }
            DropSelect {
                id: targetSelect
                objectName: "targetSelect"
                width: 118
                model: pop.languages
                textRole: pop.isEnglish ? "enName" : "name"
                currentIndex: -1
            }
        }

        Row {
            spacing: 8
            Label { anchors.verticalCenter: parent.verticalCenter; text: qsTr("可双向使用：") }
            PRadioButton {
                property string value: "yes"
                objectName: "reversibleYes"
                text: qsTr("是")
                checked: pop.reversible
                textSize: pop.winFontSize.normal
                onClicked: pop.reversible = true
            }
            PRadioButton {
                property string value: "no"
                objectName: "reversibleNo"
                text: qsTr("否")
                checked: !pop.reversible
                textSize: pop.winFontSize.normal
                onClicked: pop.reversible = false
            }
        }

        PopButtons {
            anchors.right: parent.right
            ready: pop.ready
            onSure: pop.submit()
            onCancel: pop.close()
        }
    }
}
