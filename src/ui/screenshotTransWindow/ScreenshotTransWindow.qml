import QtQuick 2.14
import QtQuick.Window 2.14
import "../components"
import "../components/GlobalActions.js" as Global

// The frozen picture of the screen, dimmed outside the region the user drags.
Window {
    id: capture
    objectName: "screenshotCaptureWindow"
    readonly property bool isMac: $state.platform === "mac"
    readonly property real xScale: $state.windowWidthScale
    readonly property real yScale: $state.windowHeightScale
    readonly property color dim: "#99000000"
    readonly property int handle: 8
    // The selection, in the window's logical coordinates.
    property real selX: 0
    property real selY: 0
    property real selW: 0
    property real selH: 0
    readonly property bool selected: selW > 0 && selH > 0
    property bool finished: false

    function init() {
        $dispatch.initController($dispatch.Ctrl_ScreenshotTrans)
        Global.run("fullWindowWithClearBG", ["screenshotTrans"])
        Global.run("windowStateChange", ["screenshotTrans", true])
    }

    function confirm() {
        if (!selected)
            return
        $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "captureAndTrans",
                      [Math.round(selX), Math.round(selY), Math.round(selW), Math.round(selH)])
        finish()
    }

    function dismiss() {
        if (finished)
            return
        $dispatch.run($dispatch.Ctrl_ScreenshotTrans, "stopCapture", [])
        finish()
    }

    function finish() {
        if (finished)
            return
        finished = true
        visible = false
        Global.run("windowStateChange", ["screenshotTrans", false])
        if (!$state.screenshotTransData.dontrelease)
            $dispatch.releaseController($dispatch.Ctrl_ScreenshotTrans)
        $state.showScreenshotTransWindow = false
    }

    function clamp(value, low, high) {
        return Math.max(low, Math.min(high, value))
    }

    // The user is dragging one edge or corner: dx, dy in -1, 0, 1 name the edges that move.
    function resize(dx, dy, px, py) {
        var right = selX + selW
        var bottom = selY + selH
        px = clamp(px, 0, width)
        py = clamp(py, 0, height)
        if (dx < 0) {
            selX = Math.min(px, right - 1)
            selW = right - selX
        } else if (dx > 0) {
            selW = Math.max(1, px - selX)
        }
        if (dy < 0) {
            selY = Math.min(py, bottom - 1)
            selH = bottom - selY
        } else if (dy > 0) {
            selH = Math.max(1, py - selY)
        }
    }

    title: qsTr("截屏")
    flags: isMac ? (Qt.Tool | Qt.WindowStaysOnTopHint | Qt.FramelessWindowHint | Qt.WindowDoesNotAcceptFocus)
                 : (Qt.Tool | Qt.WindowStaysOnTopHint | Qt.FramelessWindowHint)
    color: "transparent"
    width: Screen.desktopAvailableWidth
    height: Screen.desktopAvailableHeight

    // Closed by the window manager (Alt+F4): the main window comes back as with Esc.
    onClosing: dismiss()
    Component.onDestruction: finish()

    Shortcut {
        sequence: "Esc"
        onActivated: capture.dismiss()
    }
    Shortcut {
        sequences: ["Return", "Enter"]
        onActivated: capture.confirm()
    }

    Image {
        objectName: "screenPicture"
        anchors.fill: parent
        cache: false
        // The controller stores the picture before it raises the flag.
        source: $state.showScreenshotTransWindow ? "image://myprovider/screenshot" : ""
    }

    // The dimming around the selection (all of it before the first drag).
    Rectangle { x: 0; y: 0; width: capture.width; height: capture.selected ? capture.selY : capture.height; color: capture.dim }
    Rectangle { x: 0; y: capture.selY + capture.selH; width: capture.width; height: capture.selected ? capture.height - y : 0; color: capture.dim }
    Rectangle { x: 0; y: capture.selY; width: capture.selX; height: capture.selected ? capture.selH : 0; color: capture.dim }
    Rectangle { x: capture.selX + capture.selW; y: capture.selY; width: capture.width - x; height: capture.selected ? capture.selH : 0; color: capture.dim }

    // A new selection is drawn anywhere outside the current one; inside, it is moved.
    MouseArea {
        id: drawArea
        objectName: "drawArea"
        property real startX: 0
        property real startY: 0
        property bool moving: false
        anchors.fill: parent
        acceptedButtons: Qt.LeftButton | Qt.RightButton
        cursorShape: moving ? Qt.SizeAllCursor : Qt.CrossCursor
        onPressed: {
            if (mouse.button === Qt.RightButton) {
                capture.dismiss()
                return
            }
            startX = mouse.x
            startY = mouse.y
            moving = capture.selected && mouse.x >= capture.selX && mouse.x <= capture.selX + capture.selW
                     && mouse.y >= capture.selY && mouse.y <= capture.selY + capture.selH
            if (moving) {
                startX -= capture.selX
                startY -= capture.selY
            } else {
                capture.selX = mouse.x
                capture.selY = mouse.y
                capture.selW = 0
                capture.selH = 0
            }
        }
        onPositionChanged: {
            if (!pressed)
                return
            if (moving) {
                capture.selX = capture.clamp(mouse.x - startX, 0, capture.width - capture.selW)
                capture.selY = capture.clamp(mouse.y - startY, 0, capture.height - capture.selH)
                return
            }
            var px = capture.clamp(mouse.x, 0, capture.width)
            var py = capture.clamp(mouse.y, 0, capture.height)
            capture.selX = Math.min(startX, px)
            capture.selY = Math.min(startY, py)
            capture.selW = Math.abs(px - startX)
            capture.selH = Math.abs(py - startY)
        }
        onReleased: moving = false
        onDoubleClicked: {
            if (capture.selected)
                capture.confirm()
        }
    }

    Rectangle {
        objectName: "selectionFrame"
        x: capture.selX
        y: capture.selY
        width: capture.selW
        height: capture.selH
        visible: capture.selected
        color: "transparent"
        border.width: 1
        border.color: "#0052d9"
    }

    Repeater {
        // The eight handles: which edges each one moves, and its cursor.
        model: [{ "dx": -1, "dy": -1, "cursor": Qt.SizeFDiagCursor }, { "dx": 0, "dy": -1, "cursor": Qt.SizeVerCursor },
                { "dx": 1, "dy": -1, "cursor": Qt.SizeBDiagCursor }, { "dx": 1, "dy": 0, "cursor": Qt.SizeHorCursor },
                { "dx": 1, "dy": 1, "cursor": Qt.SizeFDiagCursor }, { "dx": 0, "dy": 1, "cursor": Qt.SizeVerCursor },
                { "dx": -1, "dy": 1, "cursor": Qt.SizeBDiagCursor }, { "dx": -1, "dy": 0, "cursor": Qt.SizeHorCursor }]
        delegate: Rectangle {
            x: capture.selX + (modelData.dx + 1) * capture.selW / 2 - width / 2
            y: capture.selY + (modelData.dy + 1) * capture.selH / 2 - height / 2
            width: capture.handle
            height: capture.handle
            visible: capture.selected
            color: "#fff"
            border.width: 1
            border.color: "#0052d9"
            MouseArea {
                anchors.fill: parent
                anchors.margins: -3
                cursorShape: modelData.cursor
                onPositionChanged: {
                    if (!pressed)
                        return
                    var p = mapToItem(null, mouse.x, mouse.y)
                    capture.resize(modelData.dx, modelData.dy, p.x, p.y)
                }
            }
        }
    }

    // The two buttons under the selection, or above it at the bottom of the screen. Light in both
    // themes on purpose: the bar sits on a picture of the screen, not on the program's background,
    // and like the selection frame it must stand out from whatever the screen shows.
    Rectangle {
        id: toolbar
        objectName: "captureToolbar"
        visible: capture.selected && !drawArea.pressed
        width: buttons.width + 16 * capture.xScale
        height: 32 * capture.yScale
        radius: 4
        color: "#ffffff"
        x: capture.clamp(capture.selX + capture.selW - width, 0, capture.width - width)
        y: capture.selY + capture.selH + 6 + height <= capture.height ? capture.selY + capture.selH + 6
                                                                       : Math.max(0, capture.selY - height - 6)
        Row {
            id: buttons
            anchors.centerIn: parent
            spacing: 16 * capture.xScale
            LiteButton {
                objectName: "captureCancelBtn"
                text: qsTr("取消")
                normalColor: "#333333"
                hoverColor: "#0052d9"
                onClicked: capture.dismiss()
            }
            LiteButton {
                objectName: "captureConfirmBtn"
                text: qsTr("截图翻译")
                normalColor: "#0052d9"
                hoverColor: "#2667e0"
                onClicked: capture.confirm()
            }
        }
    }
}
