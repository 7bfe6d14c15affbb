import QtQuick 2.14
import QtQuick.Controls 2.14

// A toast: a self-closing notice near the top of the window. Its text is shown as plain text.
Popup {
    id: popup
    objectName: "questionWindowLite"
    property string title: ""
    property string message: ""
    property string type: "info"
    property int hudTag: -1
    property bool autoDestroy: false
    property bool _btnTap: false
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winFontSize: $state.windowFontSize

    signal sureTap()

    function callSure() {
        _btnTap = true
        sureTap()
        $state.windowHudSureTap(hudTag)
        close()
    }

    function callCancel() {
        _btnTap = true
        $state.windowHudCancelTap(hudTag)
        close()
    }

    modal: false
    focus: false
    padding: 0
    margins: 0
    y: 64
    x: parent ? (parent.width - width) / 2 : 0
    width: 360 * xScale
    height: Math.max(44, textColumn.height + 24)
    closePolicy: Popup.NoAutoClose

    // Closing by the timer still answers the hud once, so that it leaves the queue;
    // a toast's only callback is its sure callback, which the close button skips.
    onOpened: closeTimer.start()
    onClosed: {
        closeTimer.stop()
        if (!_btnTap)
            callSure()
        if (autoDestroy)
            destroy()
    }

    enter: Transition {
        NumberAnimation { property: "y"; from: 20; to: 64; duration: 200 }
        NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 200 }
    }
    exit: Transition {
        NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 200 }
    }

    Timer {
        id: closeTimer
        interval: 2500
        repeat: false
        onTriggered: popup.close()
    }

    background: Rectangle {
        radius: 5
        color: popup.type === "info" ? "#909399"
             : popup.type === "warning" ? "#e6a23c"
             : popup.type === "error" ? "#f56c6c" : "#67c23a"
    }

    contentItem: Item {
        Column {
            id: textColumn
            x: 16
            y: 12
            width: parent.width - 16 - closeBtn.width
            spacing: 4

            Text {
                id: titleText
                objectName: "titleText"
                width: parent.width
                text: popup.title
                textFormat: Text.PlainText
                wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                color: "#fff"
                font.bold: true
                font.pixelSize: popup.winFontSize.large
                lineHeightMode: Text.FixedHeight
                lineHeight: 22
            }

            Loader {
                width: parent.width
                active: popup.message !== ""
                sourceComponent: Text {
                    objectName: "msgText"
                    text: popup.message
                    textFormat: Text.PlainText
                    wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                    color: "#fff"
                    font.pixelSize: popup.winFontSize.normal
                    lineHeightMode: Text.FixedHeight
                    lineHeight: 20
                }
            }
        }

        IconButton {
            id: closeBtn
            objectName: "closeBtn"
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.topMargin: 6
            width: 32
            height: 32
            icon: 0xe61a
            size: 12
            normalColor: "#ffffff"
            hoverColor: "#c0c4cc"
            selectColor: "#c0c4cc"
            onClicked: popup.callCancel()
        }
    }
}
