import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// The text translation page: source and result side by side, the sentence editor with its
// reference panels under them, and the history.
Item {
    id: container
    property var winColor: $state.windowColor
    property bool isWin: $state.platform === "win"
    property bool isEnglish: $state.language === "en"
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winFontSize: $state.windowFontSize
    property bool textTransSourceTrigger: $state.textTransSourceTrigger
    property color hlColor: winColor.transInputHL
    // the table's hover colour is light in both themes: too bright under the dark theme's text
    property color hlaColor: winColor.type === 1 ? "#3a4458" : winColor.transInputHover
    property var domainModelData: _domainsOf($state.textTransLangData, sourceLanSelect.selectValue, targetLanSelect.selectValue)
    property bool userLogined: $state.userLogined
    property int retcall: $state.retcall
    property int feedbackState: 0 // 0 none, 1 liked, 2 disliked: for the result shown
    property real itemSideMargin: Math.max(20, (width - 2 * columnWidth - 20) / 2)
    readonly property real columnWidth: Math.max(320, (width - 60) / 2)

    // what the result answers: the source text it was made from, and the sentence being edited
    property string _resultSourceText: ""
    property int _editIndex: -1
    property bool _settingSource: false

    function onShow() {
        inputView.edit.forceActiveFocus()
        $dispatch.run($dispatch.Ctrl_TextTrans, "refetchFailedSupportLang", [])
    }
    function onHide() {}

    function _domainsOf(table, source, target) {
        var entry = table[source]
        var domains = entry && entry.domain ? entry.domain[target] : null
        return domains || []
    }

    function _domainCode() {
        return domainArea.visible && domainSelect.currentIndex >= 0 ? domainSelect.currentValue : ""
    }

    function translate(debounced) {
        var merge = inputView._needMergeBreakWhenPasted
        inputView._needMergeBreakWhenPasted = false
        $dispatch.run($dispatch.Ctrl_TextTrans, "translation",
                      [inputView.getText(), sourceLanSelect.selectValue, targetLanSelect.selectValue,
                       debounced, merge, _domainCode()])
    }

    function _onSourceTextChanged() {
        if (_settingSource)
            return
        // an emptied source clears the result in both modes; nothing is sent for it
        if ($state.textTransStreamed || inputView.getText().trim() === "")
            translate($state.textTransStreamed)
    }

    // A user's language choice: the automatic source follows detection, a chosen one is kept.
    function _onSourceChosen(code) {
        $state.textTransSourceLangAutoUpdate = code === "auto"
        var targets = targetLanSelect.codes
        if (targets.indexOf(targetLanSelect.selectValue) < 0 && targets.length > 0)
            targetLanSelect.setSelect(_preferredTarget(code, targets))
        translate(false)
    }

    // The first preferred target of the source, else its first target.
    function _preferredTarget(source, targets) {
        var entry = $state.textTransLangData[source]
        var preferred = entry && entry.targetPrf ? entry.targetPrf : []
        return preferred.length > 0 ? preferred[0] : targets[0]
    }

    function _sentenceText(text, spans, index) {
        var span = spans[index]
        return span ? text.substr(span.start, span.len) : ""
    }

    function _sourceSentence(index) {
        return _sentenceText(_resultSourceText, $state.textTransSourceIndexes, index)
    }

    // Opens the sentence editor on a result sentence and asks for its references.
    function openSentence(index) {
        if (index < 0 || index >= resultView._spans.length)
            return
        var machine = _sentenceText(resultView.getText(), resultView._spans, index)
        _editIndex = index
        resultView.highlightRangeByIndex(index)
        inputView.highlightRangeByIndex(inputView.getText() === _resultSourceText ? index : -1)
        detailPanel.active = true
        var editor = detailPanel.item.editor
        editor.machineText = machine
        if (editor.sentenceIndex === index)
            editor.changeText(machine)
        editor.sentenceIndex = index
        var source = $state.textTransSourceLang
        var target = $state.textTransTargetLang
        var sug = $state.textTransSugLangData[source]
        if (sug && sug.target && sug.target.indexOf(target) >= 0)
            $dispatch.run($dispatch.Ctrl_TextTrans, "searchSuggestions", [_sourceSentence(index), source, target])
        editor.getFocus()
    }

    function closeSentence() {
        _editIndex = -1
        detailPanel.active = false
        resultView.highlightRangeByIndex(-1)
        inputView.highlightRangeByIndex(-1)
    }

    function _sendFeedback(type, reasons) {
        $dispatch.run($dispatch.Ctrl_TextTrans, "feedback",
                      [type, _resultSourceText, $state.textTransSourceLang, $state.textTransResult,
                       $state.textTransTargetLang, _domainCode(), reasons])
    }

    onTextTransSourceTriggerChanged: {
        _settingSource = true
        inputView.setText($state.textTransSource)
        _settingSource = false
        // the controller's own write-back (merged lines) is not translated again
        if ($state.textTransSourceRequestBlock > 0)
            $state.textTransSourceRequestBlock = 0
        else
            translate(false)
    }
    // before this page has completed, its controller's start lists the history
    onUserLoginedChanged: {
        if (userLogined && $dispatch.hasController($dispatch.Ctrl_TextTrans))
            $dispatch.run($dispatch.Ctrl_TextTrans, "refreshTransHistory", [true, true])
    }
    onRetcallChanged: inputView.edit.forceActiveFocus()

    Component.onCompleted: {
        $dispatch.initController($dispatch.Ctrl_TextTrans)
        mergeBreakCheck.checked = $state.transAutoMergeBreak
    }
    Component.onDestruction: $dispatch.releaseController($dispatch.Ctrl_TextTrans)

    Connections {
        target: $state
        function onTextTransResultChange() {
            // the source may have been edited while the reply was on its way
            container._resultSourceText = $state.textTransResultSource
            container.feedbackState = 0
            container.closeSentence()
            resultView.setText($state.textTransResult)
        }
    }

    Flickable {
        id: flickArea
        objectName: "flickArea"
        anchors.fill: parent
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        contentWidth: Math.max(width, scrollContent.width)
        contentHeight: scrollContent.height
        ScrollBar.vertical: ScrollBar { width: 12; policy: ScrollBar.AsNeeded }
        ScrollBar.horizontal: ScrollBar { height: 12; policy: ScrollBar.AsNeeded }

        Column {
            id: scrollContent
            objectName: "scrollContent"
            x: container.itemSideMargin
            width: 2 * container.columnWidth + 20
            topPadding: 6
            bottomPadding: 20
            spacing: 20

            Row {
                id: transContent
                objectName: "transContent"
                spacing: 20

                Column {
                    width: container.columnWidth
                    spacing: 8

                    Item {
                        width: parent.width
                        height: resultHeader.height // the editors start level
                        TextTransTypeSelect {
                            id: sourceLanSelect
                            objectName: "sourceLanSelect"
                            title: qsTr("原文")
                            initSelectValue: $state.textTransSourceLang
                            onSelectData: container._onSourceChosen(value)
                        }
                        CheckButton {
                            id: mergeBreakCheck
                            objectName: "mergeBreakCheck"
                            anchors.right: parent.right
                            anchors.verticalCenter: sourceLanSelect.verticalCenter
                            text: qsTr("智能合并粘贴行")
                            tip: qsTr("仅在第一次粘贴或覆盖粘贴时生效")
                            textSize: 14
                            checkSize: 13
                            onCheckedChanged: $state.transAutoMergeBreak = checked
                        }
                    }

                    TextTransInputArea {
                        id: inputView
                        objectName: "inputView"
                        width: parent.width
                        placeholder: qsTr("请输入要翻译的文字")
                        maxLength: 5000
                        hoverEnabled: false
                        rightMouseMenuEnabled: true
                        selectionColor: "#93c3fe"
                        textSize: container.winFontSize.transInput
                        hoverColor: container.hlaColor
                        sentenceIndexes: $state.textTransSourceIndexes
                        onTextChanged: container._onSourceTextChanged()
                        onClearText: container.closeSentence()
                    }
                }

                Column {
                    id: rightSide
                    objectName: "rightSide"
                    width: container.columnWidth
                    spacing: 8

                    Item {
                        id: resultHeader
                        objectName: "resultHeader"
                        width: parent.width
                        // The selectors, the instant-translation switch and the translate button share
                        // the bar while all fit whole. Else the switch moves to the result's foot, beside
                        // "copy all", rather than pushing both boxes down with a row of its own (English
                        // needs more room than a column has at the default width). Only when the selectors
                        // and the button alone do not fit does the bar take a second row, and then, still
                        // narrow, the domain selector shrinks.
                        readonly property real buttonRoom: $state.textTransStreamed ? 0 : 12 + transBtn.width
                        readonly property bool switchInBar: selectorsFullWidth + 12 + switchFullWidth + buttonRoom <= width
                        readonly property bool oneLine: selectorsFullWidth + (switchInBar ? 12 + switchFullWidth : 0)
                                                        + buttonRoom <= width
                        readonly property real selectorsFullWidth: targetLanSelect.width
                            + (domainArea.visible ? 12 + domainLabel.width + 8 + domainFullWidth : 0)
                        height: oneLine ? 28 : 28 + 8 + 28
                        // the switch's whole text in the bar's font, wherever it is shown now
                        readonly property real switchFullWidth: Math.ceil(switchMeasure.implicitWidth)
                        // the domain selector's room for its widest entry (or its placeholder), arrow and padding
                        readonly property real domainFullWidth: {
                            var widest = domainMetrics.advanceWidth(qsTranslate("DropSelect", "请选择"))
                            var names = container.domainModelData
                            for (var i = 0; i < names.length; ++i)
                                widest = Math.max(widest, domainMetrics.advanceWidth(names[i][domainSelect.textRole] || ""))
                            return Math.ceil(widest) + 10 + 20 + 14 // text padding and a margin for fallback glyphs
                        }
                        FontMetrics {
                            id: domainMetrics
                            font.pixelSize: domainSelect.textSize
                        }
                        Text {
                            id: switchMeasure
                            visible: false
                            textFormat: Text.PlainText
                            font.pixelSize: container.winFontSize.normal
                            text: $state.textTransStreamed ? streamCloseBtn.text : streamOpenBtn.text
                        }
                        Row {
                            id: selectors
                            spacing: 12
                            TextTransTypeSelect {
                                id: targetLanSelect
                                objectName: "targetLanSelect"
                                title: qsTr("译文")
                                isTarget: true
                                sourceLang: sourceLanSelect.selectValue
                                initSelectValue: $state.textTransTargetLang
                                onSelectData: container.translate(false)
                            }
                            Row {
                                id: domainArea
                                objectName: "domainArea"
                                spacing: 8
                                visible: container.domainModelData.length > 0
                                Text {
                                    id: domainLabel
                                    height: 28
                                    text: qsTr("领域")
                                    color: container.winColor.bodyText
                                    font.pixelSize: container.winFontSize.normal
                                    verticalAlignment: Text.AlignVCenter
                                }
                                DropSelect {
                                    id: domainSelect
                                    objectName: "domainSelect"
                                    width: Math.max(48, Math.min(resultHeader.domainFullWidth,
                                                                 resultHeader.width - targetLanSelect.width - domainLabel.width - 12 - 8))
                                    height: 28
                                    model: container.domainModelData
                                    valueRole: "code"
                                    textRole: container.isEnglish ? "enName" : "name"
                                    currentIndex: -1
                                    onModelChanged: currentIndex = -1
                                    onActivated: container.translate(false)
                                }
                            }
                        }

                        Row {
                            anchors.right: parent.right
                            anchors.bottom: parent.bottom
                            spacing: 12
                            Item {
                                id: barSwitchSlot
                                visible: resultHeader.switchInBar
                                width: resultHeader.switchFullWidth
                                height: 28
                            }
                            TitleButton {
                                id: transBtn
                                objectName: "transBtn"
                                visible: !$state.textTransStreamed
                                autoWidth: true
                                width: Math.max(75, implicitWidth)
                                height: 28
                                title: qsTr("翻译")
                                titleColor: "white"
                                fontSize: 14
                                normalBgColor: "#0052d9"
                                hoverBgColor: "#880052d9"
                                onClicked: container.translate(false)
                            }
                        }
                    }

                    // The instant-translation switch, in whichever place the bar leaves it.
                    Item {
                        id: streamSwitch
                        objectName: "streamSwitch"
                        parent: resultHeader.switchInBar ? barSwitchSlot : footSwitchSlot
                        anchors.fill: parent
                        readonly property int fontSize: resultHeader.switchInBar ? container.winFontSize.normal
                                                                                : container.winFontSize.small
                        LiteButton {
                            id: streamCloseBtn
                            objectName: "streamCloseBtn"
                            height: parent.height
                            width: Math.min(implicitWidth, parent.width)
                            visible: $state.textTransStreamed
                            font.pixelSize: streamSwitch.fontSize
                            elide: Text.ElideRight
                            tip: truncated ? text : ""
                            text: qsTr("关闭即时翻译")
                            normalColor: container.winColor.liteBtnNormal2
                            hoverColor: container.winColor.liteBtnHover2
                            onClicked: $state.textTransStreamed = false
                        }
                        LiteButton {
                            id: streamOpenBtn
                            objectName: "streamOpenBtn"
                            height: parent.height
                            width: Math.min(implicitWidth, parent.width)
                            visible: !$state.textTransStreamed
                            font.pixelSize: streamSwitch.fontSize
                            elide: Text.ElideRight
                            tip: truncated ? text : ""
                            text: qsTr("开启即时翻译")
                            normalColor: container.winColor.liteBtnNormal2
                            hoverColor: container.winColor.liteBtnHover2
                            onClicked: $state.textTransStreamed = true
                        }
                    }

                    TextTransInputArea {
                        id: resultView
                        objectName: "resultView"
                        width: parent.width
                        readOnly: true
                        hoverEnabled: true
                        maxLength: 99999
                        placeholder: ""
                        initText: $state.textTransResult
                        textSize: container.winFontSize.transInput
                        hoverColor: container.hlaColor
                        highlightColor: container.hlColor
                        sentenceIndexes: $state.textTransResultIndexes
                        onHoverSentenceChange: {
                            if (inputView.getText() === container._resultSourceText)
                                inputView.hoverRangeByIndex(sentenceIndex)
                        }
                        onHighSentenceChange: container.openSentence(sentenceIndex)

                        Text {
                            objectName: "transFailure"
                            anchors.left: parent.left
                            anchors.right: parent.right
                            anchors.bottom: parent.bottom
                            anchors.margins: 14
                            anchors.bottomMargin: 36
                            visible: text !== "" && $state.textTransStatus !== 1
                            text: $state.textTransFailure
                            textFormat: Text.PlainText
                            wrapMode: Text.Wrap
                            horizontalAlignment: Text.AlignHCenter
                            color: "#f44336"
                            font.pixelSize: container.winFontSize.normal
                        }

                        RectLoading {
                            anchors.centerIn: parent
                            width: 200
                            height: 120
                            title: qsTr("正在翻译")
                            running: $state.textTransStatus === 1
                            visible: running
                        }

                        IconTextButton {
                            id: copyAllBtn
                            objectName: "copyAllBtn"
                            anchors.left: parent.left
                            anchors.leftMargin: 14
                            anchors.bottom: parent.bottom
                            anchors.bottomMargin: 8
                            height: 20
                            icon: 0xe739
                            iconSize: 14
                            size: container.winFontSize.small
                            text: qsTr("复制全部")
                            enable: $state.textTransResult !== ""
                            onClicked: $dispatch.run($dispatch.Ctrl_Global, "copyText", [$state.textTransResult, "main"])
                        }

                        Item {
                            id: footSwitchSlot
                            anchors.left: copyAllBtn.right
                            anchors.leftMargin: 20
                            anchors.bottom: copyAllBtn.bottom
                            height: copyAllBtn.height
                            width: Math.max(0, Math.min(resultHeader.switchFullWidth,
                                                        feedbackRow.x - 20 - x))
                        }

                        IconTextButton {
                            id: copySelectBtn
                            objectName: "copySelectBtn"
                            visible: false
                            icon: 0xe609
                            text: qsTr("复制选中")
                        }

                        Row {
                            id: feedbackRow
                            anchors.right: parent.right
                            anchors.rightMargin: 14
                            anchors.bottom: parent.bottom
                            anchors.bottomMargin: 8
                            spacing: 14
                            visible: $state.textTransResult !== ""
                            IconButton {
                                id: likeBtn
                                objectName: "likeBtn"
                                width: 20
                                height: 20
                                size: 16
                                icon: 0xe62d
                                tip: qsTr("赞")
                                selected: container.feedbackState === 1
                                selectColor: "#0052d9"
                                enable: container.feedbackState !== 2
                                onClicked: {
                                    if (container.feedbackState !== 0)
                                        return
                                    container.feedbackState = 1
                                    container._sendFeedback("good", [])
                                }
                            }
                            IconButton {
                                id: dislikeBtn
                                objectName: "dislikeBtn"
                                width: 20
                                height: 20
                                size: 16
                                icon: 0xe62c
                                tip: qsTr("踩")
                                selected: container.feedbackState === 2
                                selectColor: "#0052d9"
                                enable: container.feedbackState !== 1
                                onClicked: {
                                    if (container.feedbackState === 0)
                                        dislikePanel.open()
                                }

                                TextTransFeedbackPop {
                                    id: dislikePanel
                                    objectName: "dislikePanel"
                                    x: dislikeBtn.width - width + 8
                                    y: dislikeBtn.height + 6
                                    onSubmit: {
                                        container.feedbackState = 2
                                        container._sendFeedback("error", reasons)
                                    }
                                }
                            }
                        }
                    }
                }
            }

            Loader {
                id: detailPanel
                objectName: "detailPanel"
                active: false
                width: scrollContent.width
                sourceComponent: Item {
                    id: detail
                    readonly property alias editor: smartEditor
                    width: detailPanel.width
                    height: Math.max(leftColumn.height, rightColumn.height)

                    Row {
                        spacing: 20
                        Column {
                            id: leftColumn
                            width: container.columnWidth
                            spacing: 16
                            Text {
                                text: qsTr("参考释义")
                                color: container.winColor.h1Text
                                font.pixelSize: container.winFontSize.medium
                                font.bold: true
                            }
                            TextTransSourceArea {
                                id: sourceArea
                                objectName: "sourceArea"
                                width: parent.width
                                message: container._sourceSentence(smartEditor.sentenceIndex)
                                onMsgSelectChange: {
                                    var p = sourceArea.mapToItem(detail, anchorX, anchorY)
                                    suggestionView.x = Math.max(0, p.x - 28)
                                    suggestionView.y = p.y - 26 - suggestionView.height
                                    $dispatch.run($dispatch.Ctrl_TextTrans, "searchSelectSuggestions",
                                                  [message, smartEditor.machineText, selectStart, selectEnd,
                                                   $state.textTransSourceLang, $state.textTransTargetLang])
                                }
                            }
                            TextTransExampleArea {
                                objectName: "exampleArea"
                                width: parent.width
                                onInsertBtnTap: detail.insert(text)
                            }
                            TextTransTermList {
                                objectName: "termList"
                                width: parent.width
                                onInsertBtnTap: detail.insert(text)
                            }
                        }
                        Column {
                            id: rightColumn
                            width: container.columnWidth
                            spacing: 16
                            Text {
                                text: qsTr("修改译文")
                                color: container.winColor.h1Text
                                font.pixelSize: container.winFontSize.medium
                                font.bold: true
                            }
                            TextTransSmartEditor {
                                id: smartEditor
                                objectName: "smartEditor"
                                width: parent.width
                                height: implicitHeight
                                onInputChange: $dispatch.run($dispatch.Ctrl_TextTrans, "dynamicTransSuggestion",
                                                             detail.dynamicArgs(input, imeStart, imeEnd))
                                onImeLoad: $dispatch.run($dispatch.Ctrl_TextTrans, "dynamicTransIme",
                                                         detail.dynamicArgs(input, imeStart, imeEnd).concat([imePage]))
                                onSaveEditContent: $dispatch.run($dispatch.Ctrl_TextTrans, "saveTermSentence",
                                                                 [container._sourceSentence(index), text,
                                                                  $state.textTransSourceLang, $state.textTransTargetLang])
                                onConfirmBtnPress: {
                                    resultView.replaceTextByIndex(index, text)
                                    $state.textTransResultHumanModified = true
                                    if (nextIndex >= 0)
                                        container.openSentence(nextIndex)
                                    else
                                        container.closeSentence()
                                }
                                onNextBtnPress: container.openSentence(next ? index + 1 : index - 1)
                            }
                        }
                    }

                    // The text leaves the selected row for the sentence editor.
                    function insert(text) {
                        smartEditor.appendInput(text)
                        $state.qmlTextEditSelectedId = ""
                    }

                    function dynamicArgs(input, imeStart, imeEnd) {
                        return [container._sourceSentence(smartEditor.sentenceIndex), $state.textTransSourceLang,
                                smartEditor.machineText, $state.textTransTargetLang, input, imeStart, imeEnd]
                    }

                    TextTransTipPanel {
                        id: suggestionView
                        objectName: "suggestionView"
                        z: 10
                        onInsertBtnTap: detail.insert(text)
                    }
                }
            }

            Loader {
                id: historyTable
                objectName: "historyTable"
                active: true
                width: scrollContent.width
                height: 420
                sourceComponent: TextTransHistory {
                    // The text arrives through the source trigger, which translates it.
                    onDoubleClickHistory: {
                        sourceLanSelect.setSelect(sourceType)
                        $state.textTransSourceLangAutoUpdate = sourceType === "auto"
                        targetLanSelect.setSelect(targetType)
                        $dispatch.run($dispatch.Ctrl_TextTrans, "transHistoryTranslate", [row])
                    }
                }
                // A forced refresh is ignored while the controller's own first load runs; before the
                // controller exists, its start lists the history.
                onLoaded: {
                    if ($state.userLogined && $dispatch.hasController($dispatch.Ctrl_TextTrans))
                        $dispatch.run($dispatch.Ctrl_TextTrans, "refreshTransHistory", [true, true])
                }
            }
        }
    }

    IconButton {
        id: flickScrollBtn
        objectName: "flickScrollBtn"
        anchors.right: parent.right
        anchors.rightMargin: 16
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 16
        width: 28
        height: 28
        size: 20
        normalColor: container.winColor.liteBtnSelect
        visible: flickArea.contentHeight > flickArea.height
        icon: flickArea.atYBeginning ? 0xe802 : 0xe803
        tip: ""
        onClicked: {
            var target = flickArea.atYBeginning ? Math.min(historyTable.y, flickArea.contentHeight - flickArea.height) : 0
            flickArea.contentY = target
        }
    }
}
