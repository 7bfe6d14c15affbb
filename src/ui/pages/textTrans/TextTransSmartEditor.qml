import QtQuick 2.14
import QtGraphicalEffects 1.14
import "../../components"

// The editor of one sentence of the result, with the machine suggestion above it, the next
// suggested segment drawn behind the typing, and a numbered input-method list.
Rectangle {
    id: container
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool isEnglish: $state.language === "en"
    property int inputMinHeight: 100
    property int imeStartIndex: 0
    property int sentenceIndex: 0
    // the sentence as the result shows it when the editor opens it
    property string machineText: ""
    property int _imePageIndex: 0
    property int _lastTextLen: 0
    property string _textSlideTemp: ""
    property int _textSlideIndex: 0
    property bool _moveSelectBlock: false
    property bool _imeBlock: false
    property string _imeExchangeText: ""
    property int _imeExchangeCursor: -1
    property var _textEditor: inputView.edit
    property var _hlTextEditor: inputView.editMirror
    property int _hoverImeBtn: -1
    property bool _editorFocus: false
    // the dynamic suggestion in $state answers this sentence's typing (not an earlier sentence)
    property bool _suggestionFresh: false
    property bool _imeWantNext: false
    // a chosen candidate closes the list until the next list arrives
    property bool _imeDismissed: false
    readonly property var _candidates: $state.textTransDynamicSugIME
    readonly property var _pageCandidates: _candidates.slice(_imePageIndex * 9, _imePageIndex * 9 + 9)
    readonly property int _sentenceCount: $state.textTransResultIndexes.length

    signal msgSelectChange(string selectText, int selectStart, int selectEnd, real anchorX, real anchorY)
    signal inputChange(string input, int imeStart, int imeEnd)
    signal imeLoad(string input, int imeStart, int imeEnd, int imePage)
    signal confirmBtnPress(string text, int index, int nextIndex)
    signal nextBtnPress(int index, bool next)
    signal saveEditContent(string text, int index)

    function getFocus() { _textEditor.forceActiveFocus() }
    function loseFocus() { _textEditor.focus = false }

    // Index of the candidate under a y of the list, or -1.
    function mouseHoverImeNum(y) {
        var row = Math.floor(y / 33)
        return row >= 0 && row < _pageCandidates.length ? row : -1
    }

    function calHeight() {
        return titleRow.height + msgText.height + funcRow01.height + inputArea.height + funcRow02.height + 5 * 10
    }

    function changeText(text) {
        _imeBlock = true
        inputView.replaceText(text)
        _lastTextLen = text.length
        imeStartIndex = text.length
        _imeBlock = false
    }

    function appendInput(text) {
        var editor = _textEditor
        editor.remove(editor.selectionStart, editor.selectionEnd)
        editor.insert(editor.cursorPosition, text)
        getFocus()
    }

    function _chooseCandidate(row) {
        var candidate = _pageCandidates[row]
        if (!candidate)
            return
        var editor = _textEditor
        var end = editor.cursorPosition
        var start = Math.min(imeStartIndex, end)
        _imeBlock = true
        editor.remove(start, end)
        editor.insert(start, candidate.replace)
        _imeBlock = false
        imeStartIndex = start + candidate.replace.length
        editor.cursorPosition = imeStartIndex
        _imeDismissed = true
        _sendInput()
    }

    // The word being typed starts after the last character that is not a Latin letter.
    function _wordStart(text, cursor) {
        var i = cursor
        while (i > 0 && /[A-Za-z']/.test(text.charAt(i - 1)))
            --i
        return i
    }

    function _sendInput() {
        var editor = _textEditor
        var cursor = editor.cursorPosition
        imeStartIndex = Math.min(_wordStart(editor.text, cursor), cursor)
        _imePageIndex = 0
        _suggestionFresh = true
        inputChange(editor.text, imeStartIndex, cursor)
    }

    function _takeTip() {
        var tips = $state.textTransDynamicSugTips
        var text = _textEditor.text
        if (tips.length <= text.length || tips.indexOf(text) !== 0)
            return false
        changeText(tips)
        _sendInput()
        return true
    }

    function imeKeyTap(keyCode) {
        var imeShown = imePanel.visible
        if (keyCode === Qt.Key_Tab)
            return _takeTip() || true
        if (!imeShown)
            return false
        if (keyCode >= Qt.Key_1 && keyCode <= Qt.Key_9) {
            _chooseCandidate(keyCode - Qt.Key_1)
            return true
        }
        switch (keyCode) {
        case Qt.Key_Up:
            _hoverImeBtn = Math.max(0, _hoverImeBtn - 1)
            return true
        case Qt.Key_Down:
            _hoverImeBtn = Math.min(_pageCandidates.length - 1, _hoverImeBtn + 1)
            return true
        case Qt.Key_Return:
        case Qt.Key_Enter:
            _chooseCandidate(Math.max(0, _hoverImeBtn))
            return true
        case Qt.Key_PageDown:
            _nextImePage()
            return true
        case Qt.Key_PageUp:
            if (_imePageIndex > 0)
                --_imePageIndex
            return true
        }
        return false
    }

    // Shows the next nine candidates, asking the controller for more while it has more.
    function _nextImePage() {
        var hasMore = $state.textTransDynamicSugIMEHasMore
        var loadedNext = (_imePageIndex + 1) * 9 < _candidates.length
        if (loadedNext)
            ++_imePageIndex
        else if (!hasMore)
            return
        else
            _imeWantNext = true
        if (hasMore) {
            var editor = _textEditor
            imeLoad(editor.text, imeStartIndex, editor.cursorPosition, _imePageIndex + 2)
        }
    }

    function _escape(text) {
        return text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;")
    }

    color: "transparent"
    implicitHeight: calHeight()

    onSentenceIndexChanged: {
        _suggestionFresh = false
        changeText(machineText)
    }
    on_CandidatesChanged: {
        _imeDismissed = false
        _hoverImeBtn = _candidates.length > 0 ? 0 : -1
        if (_imeWantNext && (_imePageIndex + 1) * 9 < _candidates.length)
            ++_imePageIndex
        _imeWantNext = false
        if (_imePageIndex * 9 >= _candidates.length)
            _imePageIndex = 0
    }

    Column {
        id: content
        width: parent.width
        spacing: 10

        Row {
            id: titleRow
            height: Math.max(20, hint.implicitHeight)
            spacing: 10
            Text {
                id: titleLabel
                width: Math.max(80, implicitWidth)
                height: parent.height
                text: qsTr("机翻译文")
                color: container.winColor.bodyText
                font.pixelSize: container.winFontSize.normal
                font.bold: true
                verticalAlignment: Text.AlignVCenter
            }
            Text {
                id: hint
                // wraps onto a second line where a language's hint is longer than the row
                anchors.verticalCenter: parent.verticalCenter
                width: content.width - titleLabel.width - 10
                text: qsTr("*根据输入推荐新的机翻译文 | 记住译文触发自学习并作用于后续句子")
                color: container.winColor.bodyTextLite
                font.pixelSize: container.winFontSize.small
                wrapMode: Text.Wrap
            }
        }

        SmartSelectTextRow {
            id: msgText
            objectName: "msgText"
            width: content.width
            textFormat: TextEdit.RichText
            text: container._suggestionFresh && $state.textTransDynamicSugStc !== ""
                  ? $state.textTransDynamicSugStc : container._escape(container.machineText)
            wrapMode: TextEdit.WrapAnywhere
            color: "#787878"
            selectionColor: "#b8cff5"
            selectedTextColor: "#fff"
            font.pixelSize: container.winFontSize.transInput
            onTextSelectChange: container.msgSelectChange(selectText, selectStart, selectEnd, anchorX + x, anchorY + y)
        }

        Row {
            id: funcRow01
            height: 24
            spacing: 20
            LiteButton {
                objectName: "takeMachineBtn"
                height: parent.height
                text: qsTr("↓采用机翻")
                normalColor: container.winColor.hlText
                onClicked: {
                    container.changeText(msgText.getText(0, msgText.length))
                    container.getFocus()
                }
            }
            LiteButton {
                objectName: "clearEditBtn"
                width: 90
                height: parent.height
                text: qsTr("清空译文")
                onClicked: {
                    container.changeText("")
                    container.getFocus()
                }
            }
        }

        Rectangle {
            id: inputArea
            width: content.width
            height: inputView.height + 2
            radius: 4
            color: container.winColor.transInputBG
            border.width: 1
            border.color: container._editorFocus ? container.winColor.transInputBorderFocus : container.winColor.transInputBorder

            TransHighlightTextArea {
                id: inputView
                objectName: "smartEditor"
                x: 1
                y: 1
                width: parent.width - 2
                height: implicitHeight
                minHeight: container.inputMinHeight
                textSize: container.winFontSize.transInput
                textColor: container.winColor.transInputText
                cursorColor: container.winColor.transInputCursor
                // an earlier sentence's tips would be drawn behind this one's text
                initHLText: container._suggestionFresh ? $state.textTransDynamicSugTips : ""
                hlTextColor: "#aaaaaa"
                wrapMode: TextEdit.WrapAtWordBoundaryOrAnywhere
                alignMode: TextEdit.AlignLeft
                keyListenerEnabled: true
                canTab: false
                hideHLTextWhenIME: true
                rightMouseMenuEnabled: true
                selectionColor: "#b8cff5"
                selectTextColor: "#fff"

                onEditorTextChange: {
                    if (container._imeBlock || preeditText !== "")
                        return
                    if (text.length === container._lastTextLen && text === container._textSlideTemp)
                        return
                    container._lastTextLen = text.length
                    container._textSlideTemp = text
                    container._sendInput()
                }
                onEditorFocusChange: container._editorFocus = focus
                onEditorKeyPress: {
                    if (container.imeKeyTap(keyCode))
                        consumeKey()
                }
            }
        }

        Item {
            id: funcRow02
            width: content.width
            height: 32

            TitleButton {
                objectName: "saveEditBtn"
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                height: 28
                autoWidth: true
                fontSize: 14
                title: qsTr("记住译文")
                visible: $state.userLogined
                titleColor: container.winColor.transTitleBtnTitle
                hoverTitleColor: container.winColor.transTitleBtnTitleHover
                normalBgColor: container.winColor.transTitleBtnBG
                hoverBgColor: container.winColor.transTitleBtnBGHover
                borderColor: container.winColor.transTitleBtnBorder
                borderHoverColor: container.winColor.transTitleBtnBorderHover
                onClicked: container.saveEditContent(container._textEditor.text, container.sentenceIndex)
            }

            Row {
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 12
                IconButton {
                    objectName: "prevSentenceBtn"
                    width: 26
                    height: 26
                    icon: 0xe712
                    size: 16
                    hoverColor: "#0052d9"
                    enable: container.sentenceIndex > 0
                    onClicked: container.nextBtnPress(container.sentenceIndex, false)
                }
                IconButton {
                    objectName: "nextSentenceBtn"
                    width: 26
                    height: 26
                    icon: 0xe718
                    size: 16
                    hoverColor: "#0052d9"
                    enable: container.sentenceIndex < container._sentenceCount - 1
                    onClicked: container.nextBtnPress(container.sentenceIndex, true)
                }
                TitleButton {
                    id: sureBtn
                    objectName: "sureBtn"
                    height: 28
                    autoWidth: true
                    fontSize: 14
                    title: qsTr("确认修改")
                    normalBgColor: "#0052d9"
                    hoverBgColor: "#880052d9"
                    onClicked: {
                        var next = container.sentenceIndex + 1
                        container.confirmBtnPress(container._textEditor.text, container.sentenceIndex,
                                                  next < container._sentenceCount ? next : -1)
                    }
                }
            }
        }
    }

    // The input-method list, under the cursor of the editor.
    Item {
        id: suggestionView
        objectName: "suggestionView"
        readonly property rect cursorRect: container._textEditor.cursorRectangle
        x: inputArea.x + inputView.x + cursorRect.x
        y: inputArea.y + inputView.y + cursorRect.y + cursorRect.height + 4
        z: 10
        width: imePanel.width
        height: imePanel.height
        visible: imePanel.visible

        FontMetrics {
            id: imeMetrics
            font.family: $mainfont
            font.pixelSize: container.winFontSize.transInput
        }

        DropShadow {
            anchors.fill: imePanel
            source: imePanel
            horizontalOffset: 4
            verticalOffset: 8
            radius: 8
            samples: 10
            color: "#0a000000"
        }

        Rectangle {
            id: imePanel
            objectName: "imePanel"
            radius: 2
            color: "#ffffff"
            visible: container._editorFocus && !container._imeDismissed && container._pageCandidates.length > 0
            width: {
                var widest = 0
                for (var i = 0; i < container._pageCandidates.length; ++i)
                    widest = Math.max(widest, imeMetrics.advanceWidth((i + 1) + ". " + container._pageCandidates[i].text))
                return widest + 20
            }
            height: imeColumn.height

            Column {
                id: imeColumn
                width: parent.width
                Repeater {
                    model: container._pageCandidates
                    Column {
                        width: imeColumn.width
                        TitleButton {
                            objectName: "imeCandidate" + index
                            width: parent.width
                            height: 32
                            textPadding: 10
                            hAlign: Text.AlignLeft
                            fontSize: container.winFontSize.transInput
                            title: (index + 1) + ". " + modelData.text
                            titleColor: index === container._hoverImeBtn ? "#ffffff" : "#1B1B1B"
                            hoverTitleColor: "#ffffff"
                            normalBgColor: index === container._hoverImeBtn ? "#0052d9" : "#ffffff"
                            hoverBgColor: "#0052d9"
                            onHoveredChanged: if (hovered) container._hoverImeBtn = index
                            onClicked: container._chooseCandidate(index)
                        }
                        Rectangle {
                            width: parent.width
                            height: 1
                            color: "#eee"
                            visible: index < container._pageCandidates.length - 1
                        }
                    }
                }
            }
        }
    }
}
