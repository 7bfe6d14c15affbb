import QtQuick 2.14
import QtQuick.Controls 2.14
import "../components"
import "../components/GlobalActions.js" as Global

ScrollView {
    id: panel
    objectName: "copyTransPanel"
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    readonly property var distances: [{ "key": qsTr("近"), "value": "near", "x": 8, "y": 8 },
                                      { "key": qsTr("远"), "value": "far", "x": 24, "y": 24 },
                                      { "key": qsTr("超远"), "value": "far2", "x": 48, "y": 48 }]


    function indexOfValue(model, value) {
        for (var i = 0; i < model.length; ++i) {
            if (model[i].value === value)
                return i
        }
        return -1
    }

    function distanceIndex() {
        var data = $state.copyTransData
        for (var i = 0; i < distances.length; ++i) {
            if (distances[i].x === data.posiXoff && distances[i].y === data.posiYoff)
                return i
        }
        return 0
    }

    clip: true
    ScrollBar.vertical.policy: ScrollBar.AsNeeded
    ScrollBar.horizontal.policy: ScrollBar.AlwaysOff
    contentWidth: availableWidth

    component RowLabel: Text {
        width: 230
        height: 30
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        font.pixelSize: panel.winFontSize.normal
        color: panel.winColor.bodyText
    }

    component SettingRow: Row {
        spacing: 20
        height: 30
    }

    Column {
        width: panel.availableWidth
        spacing: 20

        Text {
            objectName: "unsupportedNote"
            width: parent.width
            visible: !$state.quickTransSupported
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            font.pixelSize: panel.winFontSize.normal
            color: "#e44345"
            text: qsTr("当前桌面不支持全局快捷键和划词取词，请在 X11 会话中使用")
        }

        SettingRow {
            RowLabel { text: qsTr("是否开启") }
            SwitchButton {
                objectName: "copyTransSwitch"
                width: 54
                height: 24
                anchors.verticalCenter: parent.verticalCenter
                tip: qsTr("开启后，划动鼠标选词时会自动提示翻译结果")
                checked: $state.copyTransBySelect
                onClicked: Global.run("switchCopyTransBySelect", [!checked, "setting"])
            }
        }

        SettingRow {
            RowLabel { text: qsTr("开启关闭快捷键") }
            ShortcutSelect {
                id: shortcut
                objectName: "copyTransShortcut"
                anchors.verticalCenter: parent.verticalCenter
                Component.onCompleted: setCurrentSelectByStr($state.shortcutCopyTransOpen)
                onChangeShortcut: {
                    Global.run("installHotkey", ["copyTransOpen", curKey, ctrlData.ctrl, ctrlData.shift,
                                                ctrlData.cmdOrAlt, true, "setting"])
                    // A refused combination leaves the one still held on show.
                    setCurrentSelectByStr($state.shortcutCopyTransOpen)
                }
            }
        }

        SettingRow {
            RowLabel { text: qsTr("智能换行") }
            SwitchButton {
                objectName: "mergeBreakSwitch"
                width: 54
                height: 24
                anchors.verticalCenter: parent.verticalCenter
                tip: qsTr("开启后会自动折叠多余换行")
                checked: $state.copyTransAutoMergeBreak
                onClicked: Global.run("switchCopyTransAutoMergeBreak", [])
            }
        }

        SettingRow {
            RowLabel { text: qsTr("窗口距离光标位置") }
            DropSelect {
                objectName: "triggerPosiSelect"
                width: 200
                textRole: "key"
                valueRole: "value"
                model: [{ "key": qsTr("右上角"), "value": "righttop" }, { "key": qsTr("右下角"), "value": "rightbottom" },
                        { "key": qsTr("左上角"), "value": "leftop" }, { "key": qsTr("左下角"), "value": "lefbottom" }]
                currentIndex: Math.max(0, panel.indexOfValue(model, $state.copyTransData.posi))
                onActivated: Global.run("setCopyTransTriggerPosi", [currentValue])
            }
        }

        SettingRow {
            RowLabel { text: qsTr("窗口远离光标距离") }
            DropSelect {
                objectName: "triggerDistanceSelect"
                width: 200
                textRole: "key"
                model: panel.distances
                currentIndex: panel.distanceIndex()
                onActivated: Global.run("setCopyTransTriggerPosiOff", [panel.distances[index].x, panel.distances[index].y])
            }
        }
    }
}
