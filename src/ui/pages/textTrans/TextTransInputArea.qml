import QtQuick 2.14
import "../../components"

// The framed source or result editor: sentence spans under the mouse and under a click are
// painted on the highlight layer and reported by their index in sentenceIndexes.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property string initText: ""
    readonly property string text: edit.text
    readonly property string selectText: edit.selectedText
    readonly property string selectText2: editMirror.selectedText
    property color borderColor: winColor.transInputBorder
    property color borderFocusColor: winColor.transInputBorderFocus
    property color backgroundColor: winColor.transInputBG
    property string placeholder: ""
    property string textFont: $mainfont
    property int textSize: 14
    property color textColor: winColor.transInputText
    property int maxLength: 2000
    property int minHeight: 320
    property bool autoHeight: true
    // justified lines open wide gaps in short texts and in languages without spaces
    property int alignMode: TextEdit.AlignLeft
    property color hoverTextColor: winColor.transInputHoverText
    property color hoverColor: winColor.transInputHover
    property color selectionTextColor: winColor.transInputSelectText
    property color selectionColor: winColor.transInputSelect
    property color highlightTextColor: winColor.transInputHLText
    property color highlightColor: winColor.transInputHL
    property int horizontalMargin: 10
    property color cursorColor: winColor.transInputCursor
    property bool readOnly: false
    property bool hoverEnabled: false
    property var sentenceIndexes: []
    property bool rightMouseMenuEnabled: false
    property real lastMouseX: -1
    property real lastMouseY: -1
    property int lastHoverIndex: -1
    property int lastHighlightIndex: -1
    property bool _needMergeBreakWhenPasted: false
    // text beyond maxLength was cut off; said until the text is under the limit again
    property bool _cut: false
    readonly property bool isEditing: edit.activeFocus
    readonly property alias edit: flick.edit
    readonly property alias editMirror: flick.editMirror
    // the spans as they stand after replaceTextByIndex; a new sentenceIndexes resets them
    property var _spans: []

    signal hoverSentenceChange(int sentenceIndex)
    signal highSentenceChange(int sentenceIndex)
    signal clearText()

    function setText(text) {
        _cut = text.length > maxLength
        flick.replaceText(_cut ? text.substring(0, maxLength) : text)
    }

    function getText() {
        return edit.text
    }

    // Index of the span holding a text position (binary search: the spans are ordered), or -1.
    function _indexAt(position) {
        var lo = 0, hi = _spans.length - 1
        while (lo <= hi) {
            var mid = (lo + hi) >> 1
            var span = _spans[mid]
            if (position < span.start)
                hi = mid - 1
            else if (position >= span.start + span.len)
                lo = mid + 1
            else
                return mid
        }
        return -1
    }

    function getSentenceRangeByPosi(position) {
        return getSentenceRangeByIndex(_indexAt(position))
    }

    function getSentenceRangeByIndex(index) {
        if (index < 0 || index >= _spans.length)
            return null
        var span = _spans[index]
        return { "index": index, "start": span.start, "len": span.len }
    }

    function highlightRangeByIndex(index) {
        var range = getSentenceRangeByIndex(index)
        lastHighlightIndex = range ? index : -1
        flick.markRange(range ? range.start : -1, range ? range.start + range.len : -1)
    }

    function hoverRangeByIndex(index) {
        var range = getSentenceRangeByIndex(index)
        lastHoverIndex = range ? index : -1
        flick.hoverRange(range ? range.start : -1, range ? range.start + range.len : -1)
    }

    function highlightRangeClickHandler(range, oncall) {
        if (!range)
            return
        highlightRangeByIndex(range.index)
        if (oncall)
            highSentenceChange(range.index)
    }

    // The sentence's text becomes the given text; later spans move by the difference.
    function replaceTextByIndex(index, text) {
        var range = getSentenceRangeByIndex(index)
        if (!range)
            return
        var old = edit.text
        var delta = text.length - range.len
        var spans = _spans.slice()
        spans[index] = { "start": range.start, "len": text.length }
        for (var i = index + 1; i < spans.length; ++i)
            spans[i] = { "start": spans[i].start + delta, "len": spans[i].len }
        flick.replaceText(old.substring(0, range.start) + text + old.substring(range.start + range.len))
        _spans = spans
        _repaint()
    }

    function calcHeight() {
        return autoHeight ? Math.max(minHeight, flick.implicitHeight + 10 + 30) : minHeight
    }

    function _repaint() {
        highlightRangeByIndex(lastHighlightIndex)
        hoverRangeByIndex(lastHoverIndex)
    }

    width: 580
    height: calcHeight()
    radius: 4
    color: backgroundColor
    border.width: 1
    border.color: isEditing ? borderFocusColor : borderColor
    clip: !autoHeight

    onSentenceIndexesChanged: {
        _spans = sentenceIndexes || []
        lastHoverIndex = -1
        lastHighlightIndex = -1
        _repaint()
    }

    TransHighlightTextArea {
        id: flick
        objectName: "main"
        anchors.top: parent.top
        anchors.topMargin: 10
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: container.horizontalMargin
        anchors.rightMargin: container.horizontalMargin
        minHeight: container.minHeight - 40
        initText: container.initText
        placeholder: container.placeholder
        textFont: container.textFont
        textSize: container.textSize
        textColor: container.textColor
        cursorColor: container.cursorColor
        alignMode: container.alignMode
        selectTextColor: container.selectionTextColor
        selectionColor: container.selectionColor
        hlSelectTextColor: container.highlightTextColor
        hlSelectionColor: container.highlightColor
        markColor: container.highlightColor
        hoverMarkColor: container.hoverColor
        readOnly: container.readOnly
        editorMouseEnabled: true
        editorHoverEnabled: container.hoverEnabled
        keyListenerEnabled: !container.readOnly
        rightMouseMenuEnabled: container.rightMouseMenuEnabled

        onEditorTextChange: {
            if (edit.length > container.maxLength) {
                edit.remove(container.maxLength, edit.length)
                container._cut = true
            } else if (edit.length < container.maxLength) {
                container._cut = false
            }
        }
        onEditorPasted: if (isSelectAll) container._needMergeBreakWhenPasted = true
        onEditorMousePositionChange: {
            container.lastMouseX = mouse.x
            container.lastMouseY = mouse.y
            var index = container._indexAt(edit.positionAt(mouse.x, mouse.y))
            if (index === container.lastHoverIndex)
                return
            container.hoverRangeByIndex(index)
            container.hoverSentenceChange(index)
        }
        onEditorMouseExited: {
            container.lastMouseX = -1
            container.lastMouseY = -1
            if (container.lastHoverIndex === -1)
                return
            container.hoverRangeByIndex(-1)
            container.hoverSentenceChange(-1)
        }
        onEditorMouseClicked: {
            var range = container.getSentenceRangeByPosi(edit.positionAt(mouse.x, mouse.y))
            container.highlightRangeClickHandler(range, true)
        }
        onWidthChanged: Qt.callLater(container._repaint)
    }

    Text {
        id: counter
        objectName: "counter"
        anchors.right: parent.right
        anchors.rightMargin: 12
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 6
        height: 20
        visible: !container.readOnly
        text: edit.length + "/" + container.maxLength
        color: "#ACAFB2"
        font.pixelSize: container.winFontSize.small
        verticalAlignment: Text.AlignVCenter
    }

    Text {
        objectName: "cutNote"
        anchors.left: parent.left
        anchors.leftMargin: 14
        anchors.right: counter.left
        anchors.rightMargin: 12
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 6
        height: 20
        visible: container._cut && !container.readOnly
        text: qsTr("超出 %1 字的部分已删除").arg(container.maxLength)
        color: "#f44336"
        elide: Text.ElideRight
        font.pixelSize: container.winFontSize.small
        verticalAlignment: Text.AlignVCenter
    }

    IconButton {
        id: clearBtn
        objectName: "clearBtn"
        anchors.top: parent.top
        anchors.topMargin: 8
        anchors.right: parent.right
        anchors.rightMargin: 8
        width: 16
        height: 16
        icon: 0xe68e
        size: 10
        normalColor: "#a8abae"
        hoverColor: "#333333"
        selectColor: "#333333"
        visible: !container.readOnly && edit.length > 0
        onClicked: {
            flick.replaceText("")
            container.clearText()
        }
    }
}
