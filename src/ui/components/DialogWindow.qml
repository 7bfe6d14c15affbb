import QtQuick 2.14
import QtQuick.Window 2.14
import QtGraphicalEffects 1.14
import "GlobalActions.js" as Global

// A frameless secondary window (settings, about): draws its frame, shadow and close button,
// reports itself to the shell, centres itself on first show, and on closing clears the
// $state flag named by showFlag so that the root's Loader unloads it.
Window {
    id: window
    property string windowName: ""
    property string showFlag: ""
    property bool initPosi: true
    property var winColor: $state.windowColor
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winFontSize: $state.windowFontSize
    default property alias content: body.data
    // Without a compositing manager a translucent margin or corner shows black: the frame fills
    // the window then.
    readonly property bool composited: $state.windowsComposited

    // shown on its own: the loader that holds it sits in no window
    transientParent: null
    flags: Qt.FramelessWindowHint | Qt.Dialog | ($state.windowStayBottom ? Qt.WindowStaysOnBottomHint : 0)
    // translucent even without a compositing manager: the window's format is fixed once it is
    // made, and one that starts later must find a window it can blend
    color: "#00000000"

    onVisibleChanged: {
        Global.run("windowStateChange", [windowName, visible])
        if (visible && initPosi) {
            initPosi = false
            Global.run("windowCenterInScreen", [windowName])
        }
    }
    onActiveChanged: Global.run("windowActiveChange", [windowName, active])
    onClosing: {
        close.accepted = false
        if (showFlag !== "")
            $state[showFlag] = false
    }
    Component.onDestruction: Global.run("windowStateChange", [windowName, false])

    Rectangle {
        id: frame
        anchors.fill: parent
        anchors.margins: window.composited ? 5 : 0
        radius: window.composited ? 4 : 0
        color: window.winColor.contentBG
        border.width: 1
        border.color: window.winColor.windowBorder

        Item {
            id: body
            anchors.fill: parent
        }

        WindowControl {
            root: window
            showMini: false
            showMax: false
            onClose: window.close()
        }

        HudWatcher {
            windowName: window.windowName
        }
    }

    DropShadow {
        visible: window.composited
        anchors.fill: frame
        source: frame
        color: window.winColor.windowShadow
        radius: 5
        samples: 11
        z: -1
    }
}
