import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// Two stacked text areas: editMirror under the typed text shows the highlight text (a tip drawn
// behind the typing), and marks painted from the layout (positionToRectangle) show a sentence
// span without touching either text, so moving a highlight never lays the text out again.
Item {
    id: flick
    objectName: ""
    property string initText: ""
    property string initHLText: ""
    property string placeholder: ""
    property string textFont: $mainfont
    property int textSize: 16
    property color cursorColor: "#000"
    property color textColor: "#333333"
    property color hlTextColor: "transparent"
    property bool canTab: true
    property bool canEnter: true
    property int minHeight: 100
    property int wrapMode: TextEdit.WrapAtWordBoundaryOrAnywhere
    property int alignMode: TextEdit.AlignJustify
    property color selectTextColor: "#333333"
    property color selectionColor: "#e0eafa"
    property color hlSelectTextColor: "transparent"
    property color hlSelectionColor: "#b8cff5"
    property bool readOnly: false
    property bool editorMouseEnabled: false
    property bool editorHoverEnabled: false
    property bool keyListenerEnabled: false
    property bool hideHLTextWhenIME: false
    property bool rightMouseMenuEnabled: false
    property bool listenPaste: false

    // colours of the two span marks (highlighted sentence, hovered sentence)
    property color markColor: hlSelectionColor
    property color hoverMarkColor: selectionColor

    property int _lastTextLength: 0
    property int _lastCursorPosi: 0
    property bool _tabLock: false
    property bool _enterLock: false
    property bool _leftLock: false
    property bool _removeLock: false
    property bool _keyConsumed: false
    property bool _menuSelectAll: false

    readonly property alias edit: edit
    readonly property alias editMirror: editMirror

    signal editorTextChange(string text, string preeditText, int cursorIndex)
    signal hlEditorTextChange(string text)
    signal editorMouseEnter()
    signal editorMouseExited()
    signal editorMousePositionChange(var mouse)
    signal editorMouseClicked(var mouse)
    signal editorFocusChange(bool focus)
    signal editorKeyPress(int keyCode)
    signal editorPasted(bool isSelectAll)

    function getEditor() { return edit }
    function getHLEditor() { return editMirror }

    function replaceText(text) {
        edit.text = text
        edit.cursorPosition = edit.length
    }

    function replaceHLText(text) {
        editMirror.text = text
    }

    // The next Left press leaves the cursor where it is (after a programmatic cursor move).
    function lockLeftBtnMoveCursor() {
        _leftLock = true
    }

    // A handler of editorKeyPress calls this to keep the key from the text.
    function consumeKey() {
        _keyConsumed = true
    }

    function markRange(start, end) { mark.paint(start, end) }
    function hoverRange(start, end) { hoverMark.paint(start, end) }

    function _isSelectAll() {
        return edit.length === 0 || (edit.selectionStart === 0 && edit.selectionEnd === edit.length)
    }

    function _registerDocuments() {
        $dispatch.run($dispatch.Ctrl_TextTrans, "handleUIForEditor", [edit.textDocument, flick.objectName])
        // the same name: the tip layer keeps the typed text's line height as its text changes
        $dispatch.run($dispatch.Ctrl_TextTrans, "handleUIForEditor", [editMirror.textDocument, flick.objectName])
    }

    implicitHeight: Math.max(minHeight, edit.implicitHeight)

    // One sentence span painted from the editor's layout: the first line from the start, whole
    // lines between, the last line up to the end. Nothing is painted for an empty span.
    component SpanMark: Item {
        id: spanMark
        property color color
        property var _rects: []

        // a span outside the text (spans of a text not shown yet) paints nothing
        function paint(start, end) {
            if (start < 0 || end <= start || end > edit.length) {
                _rects = []
                return
            }
            var a = edit.positionToRectangle(start)
            var b = edit.positionToRectangle(end)
            var left = edit.leftPadding
            var right = edit.width - edit.rightPadding
            if (a.y === b.y) {
                _rects = [Qt.rect(a.x, a.y, b.x - a.x, a.height)]
                return
            }
            var rects = [Qt.rect(a.x, a.y, right - a.x, a.height)]
            if (b.y > a.y + a.height)
                rects.push(Qt.rect(left, a.y + a.height, right - left, b.y - a.y - a.height))
            rects.push(Qt.rect(left, b.y, b.x - left, b.height))
            _rects = rects
        }

        anchors.fill: edit
        Repeater {
            model: spanMark._rects
            Rectangle {
                x: modelData.x
                y: modelData.y
                width: modelData.width
                height: modelData.height
                color: spanMark.color
            }
        }
    }

    SpanMark { id: hoverMark; objectName: "hoverMark"; color: flick.hoverMarkColor }
    SpanMark { id: mark; objectName: "highlightMark"; color: flick.markColor }

    TextArea {
        id: editMirror
        objectName: "editMirror"
        anchors.fill: edit
        readOnly: true
        activeFocusOnPress: false
        textFormat: TextEdit.PlainText
        text: flick.initHLText
        visible: text !== "" && !(flick.hideHLTextWhenIME && edit.preeditText !== "")
        font.family: flick.textFont
        font.pixelSize: flick.textSize
        wrapMode: flick.wrapMode
        horizontalAlignment: flick.alignMode
        color: flick.hlTextColor
        selectedTextColor: flick.hlSelectTextColor
        selectionColor: flick.hlSelectionColor
        padding: edit.padding
        leftPadding: edit.leftPadding
        rightPadding: edit.rightPadding
        topPadding: edit.topPadding
        bottomPadding: edit.bottomPadding
        background: null
        onTextChanged: flick.hlEditorTextChange(text)
    }

    PTextArea {
        id: edit
        objectName: "edit"
        width: parent.width
        height: Math.max(flick.minHeight, implicitHeight)
        text: flick.initText
        textFormat: TextEdit.PlainText
        readOnly: flick.readOnly
        selectByMouse: true
        selectByKeyboard: true
        persistentSelection: true
        // The delegate below draws and blinks the cursor. The text control's own blink, which
        // focus turns on, would only redraw the window twice more a second for a cursor it does
        // not draw: it is turned off once the focus change is through.
        onCursorVisibleChanged: if (cursorVisible) Qt.callLater(edit.stopOwnBlink)
        function stopOwnBlink() { cursorVisible = false }
        rightMouseMenuEnabled: flick.rightMouseMenuEnabled
        font.family: flick.textFont
        font.pixelSize: flick.textSize
        wrapMode: flick.wrapMode
        horizontalAlignment: flick.alignMode
        color: flick.textColor
        selectedTextColor: flick.selectTextColor
        selectionColor: flick.selectionColor
        placeholderText: ""
        background: null
        leftPadding: 14
        rightPadding: 14
        topPadding: 10
        bottomPadding: 10

        cursorDelegate: Rectangle {
            id: editCursor
            objectName: "editCursor"
            width: 1
            height: 26
            color: flick.cursorColor
            visible: false
            SequentialAnimation on visible {
                running: edit.activeFocus && !edit.readOnly
                loops: Animation.Infinite
                PropertyAction { value: true }
                PauseAnimation { duration: 600 }
                PropertyAction { value: false }
                PauseAnimation { duration: 600 }
                onRunningChanged: if (!running) editCursor.visible = false
            }
        }

        onTextChanged: {
            flick.editorTextChange(text, preeditText, cursorPosition)
            flick._lastTextLength = length
        }
        onPreeditTextChanged: flick.editorTextChange(text, preeditText, cursorPosition)
        onCursorPositionChanged: flick._lastCursorPosi = cursorPosition
        onActiveFocusChanged: flick.editorFocusChange(activeFocus)
        onPasted: flick.editorPasted(flick._menuSelectAll)
        onRightClicked: flick._menuSelectAll = flick._isSelectAll()
        onReleased: {
            if (flick.editorMouseEnabled && selectionStart === selectionEnd)
                flick.editorMouseClicked(event)
        }

        Keys.onPressed: {
            if (event.matches(StandardKey.Paste)) {
                flick.editorPasted(flick._isSelectAll())
                return
            }
            var key = event.key
            if ((key === Qt.Key_Tab || key === Qt.Key_Backtab) && !flick.canTab) {
                event.accepted = true
            } else if ((key === Qt.Key_Return || key === Qt.Key_Enter) && !flick.canEnter) {
                event.accepted = true
            } else if (key === Qt.Key_Left && flick._leftLock) {
                flick._leftLock = false
                event.accepted = true
            }
            if (!flick.keyListenerEnabled || edit.preeditText !== "")
                return
            flick._keyConsumed = false
            flick.editorKeyPress(key)
            if (flick._keyConsumed)
                event.accepted = true
        }
    }

    Text {
        x: 14
        y: 10
        height: 26
        text: flick.placeholder
        textFormat: Text.PlainText
        verticalAlignment: Text.AlignVCenter
        color: "#aaa"
        font.family: flick.textFont
        font.pixelSize: flick.textSize
        visible: edit.length === 0 && edit.preeditText === ""
    }

    MouseArea {
        anchors.fill: edit
        acceptedButtons: Qt.NoButton
        hoverEnabled: flick.editorHoverEnabled
        cursorShape: Qt.IBeamCursor
        onEntered: {
            flick.editorMouseEnter()
            flick.editorMousePositionChange({ "x": mouseX, "y": mouseY })
        }
        onExited: flick.editorMouseExited()
        onPositionChanged: flick.editorMousePositionChange(mouse)
    }

    Component.onCompleted: Qt.callLater(_registerDocuments)
}
