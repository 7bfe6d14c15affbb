import QtQuick 2.14
import QtQuick.Window 2.14
import QtGraphicalEffects 1.14
import "../components"

// The round button beside a fresh selection; a click opens the detail window with its translation.
Window {
    id: trigger
    objectName: "copyTransTriggerWindow"
    readonly property var ctData: $state.copyTransData
    readonly property int size: 36
    // Without a compositing manager the translucent shadow and the corners round the disc show
    // black: the button is a plain square filling the window then.
    readonly property bool composited: $state.windowsComposited
    readonly property int shadow: composited ? 6 : 0

    function alphaHex() {
        var hex = Math.max(0, Math.min(255, $state.copyTransTriggerAlpha)).toString(16)
        return hex.length < 2 ? "0" + hex : hex
    }

    function place() {
        var xoff = ctData.posiXoff || 0
        var yoff = ctData.posiYoff || 0
        var left = ctData.posi === "leftop" || ctData.posi === "lefbottom"
        var top = ctData.posi === "righttop" || ctData.posi === "leftop" || !ctData.posi
        x = left ? ctData.x - xoff - width : ctData.x + xoff
        y = top ? ctData.y - yoff - height : ctData.y + yoff
    }

    function openDetail() {
        hoverTimer.stop()
        $dispatch.run($dispatch.Ctrl_CopyTrans, "makePanelWindow", [true])
        if (ctData.state !== 1)
            $dispatch.run($dispatch.Ctrl_CopyTrans, "requestTrans", [ctData.source])
        $state.showCopyTransDetail = true
        $state.showCopyTransTrigger = false
    }

    // "Parlavine_CopyTransTrigger" is how the window list finds this window: never translated.
    title: "Parlavine_CopyTransTrigger"
    flags: Qt.Tool | Qt.FramelessWindowHint | Qt.WindowStaysOnTopHint
    color: "#00000000"
    width: size + 2 * shadow
    height: size + 2 * shadow
    visible: false

    onCtDataChanged: if (visible) place()
    onVisibleChanged: {
        if (visible) {
            place()
            $dispatch.run($dispatch.Ctrl_Global, "windowStateChange", ["copyTransTrigger", true])
        } else {
            hoverTimer.stop()
            $state.showCopyTransTrigger = false
        }
    }
    onActiveChanged: $dispatch.run($dispatch.Ctrl_Global, "windowActiveChange", ["copyTransTrigger", active])
    Component.onDestruction: $dispatch.run($dispatch.Ctrl_Global, "windowStateChange", ["copyTransTrigger", false])

    Rectangle {
        id: button
        objectName: "triggerButton"
        anchors.centerIn: parent
        width: trigger.size
        height: trigger.size
        radius: trigger.composited ? width / 2 : 0
        color: {
            if (!trigger.composited)
                return area.containsMouse ? "#3a7be4" : "#0052d9"
            return area.containsMouse ? "#880052d9" : "#" + trigger.alphaHex() + "0052d9"
        }
        layer.enabled: trigger.composited
        layer.effect: DropShadow {
            radius: 6
            samples: 13
            color: "#88333333"
        }

        IconImage {
            anchors.centerIn: parent
            icon: 0xe7e1
            size: 18
            color: "#fff"
        }

        MouseArea {
            id: area
            objectName: "triggerArea"
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            // With the automatic detail on, resting on the button is enough.
            onPositionChanged: if ($state.copyTransAutoDetail && !hoverTimer.running) hoverTimer.start()
            onExited: hoverTimer.stop()
            onClicked: trigger.openDetail()
        }
    }

    Timer {
        id: hoverTimer
        interval: 400
        onTriggered: trigger.openDetail()
    }
}
