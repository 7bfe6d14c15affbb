import QtQuick 2.14
import "../components"
import "../components/GlobalActions.js" as Global

// The hotkey that starts a screen capture.
Item {
    id: panel
    objectName: "screenshotTransPanel"
    readonly property var winColor: $state.windowColor
    readonly property var winFontSize: $state.windowFontSize
    readonly property real yScale: $state.windowHeightScale

    Row {
        // the label column and spacing of the other tabs, so that every tab's controls line up
        spacing: 20
        height: 30 * panel.yScale

        Text {
            width: 230
            height: parent.height
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
            font.pixelSize: panel.winFontSize.normal
            color: panel.winColor.bodyText
            text: qsTr("使用快捷键")
        }
        ShortcutSelect {
            objectName: "screenshotShortcut"
            anchors.verticalCenter: parent.verticalCenter
            Component.onCompleted: setCurrentSelectByStr($state.shortcutScreenshotTrans)
            onChangeShortcut: {
                Global.run("installHotkey", ["screenshotOpen", curKey, ctrlData.ctrl, ctrlData.shift,
                                            ctrlData.cmdOrAlt, true, "setting"])
                // A refused combination leaves the one still held on show.
                setCurrentSelectByStr($state.shortcutScreenshotTrans)
            }
        }
    }
}
