import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// The window of one kind of repository (memory or term): the repositories on the left, the
// current one's entries on the right. The named documents fill in the kind: controller, State
// prefix, busy code, texts, models and pop-ups.
DialogWindow {
    id: win
    property int controller: -1
    // "termSentRepo" or "termRepo": the State values are <prefix>Map, CurId, SentPage, SentIndex, SearchText.
    property string prefix: ""
    property int listBusy: 0
    // note, loading, addEntry, deleteEntry, noEntry, noSelection, noMatch, noRepo, count, createRepo
    property var texts: ({})
    property alias repoModel: repoList.model
    property alias detailModel: entryList.model
    property Component groupPop: null
    property Component entryPop: null
    property bool showSpaces: false

    readonly property var repoMap: $state[prefix + "Map"] || ({})
    readonly property string curId: $state[prefix + "CurId"] || ""
    readonly property var record: curId !== "" && repoMap[curId] ? repoMap[curId] : null
    readonly property int sentIndex: prefix !== "" ? $state[prefix + "SentIndex"] : -1
    readonly property int sentPage: prefix !== "" ? $state[prefix + "SentPage"] : 0
    readonly property var languages: record ? String(record.exchange).split("→") : ["", ""]
    readonly property bool isEnglish: $state.language === "en"

    width: 980 * xScale
    height: 660 * yScale
    minimumWidth: 760
    minimumHeight: 520

    function run(action, args) {
        $dispatch.run(win.controller, action, args)
    }

    // Spaces and tabs drawn as visible marks, for entries whose spacing matters.
    function shown(text) {
        return win.showSpaces ? String(text).replace(/ /g, "·").replace(/\t/g, "⇥").replace(/\u3000/g, "□") : text
    }

    function chooseRepo(id) {
        if (id === win.curId)
            return
        $state[win.prefix + "CurId"] = id
        win.run("updateRepoSentences", [id, true])
    }

    function choosePage(number) {
        $state[win.prefix + "SentPage"] = number
        win.run("updateRepoSentences", [win.curId, false])
    }

    function selectEntry(row) {
        if (row < 0 || row >= entryList.count)
            return
        $state[win.prefix + "SentIndex"] = row
        entryList.positionViewAtIndex(row, ListView.Contain)
    }

    function openEntryPop(entry) {
        if (!win.record)
            return
        var pop = win.entryPop.createObject(win.contentItem, {
            "windowName": win.windowName,
            "repoId": win.curId,
            "repoSentId": entry ? entry.sentId : "",
            "initSource": entry ? entry.sourceText : "",
            "initTarget": entry ? entry.targetText : ""
        })
        pop.closed.connect(pop.destroy)
        pop.open()
    }

    function openGroupPop() {
        var pop = win.groupPop.createObject(win.contentItem)
        pop.closed.connect(pop.destroy)
        pop.open()
    }

    // The selected entry of the shown page, as the detail model names its values.
    function selectedEntry() {
        var pageEntries = win.record && win.record.sentences ? win.record.sentences[String(win.sentPage)] : null
        var entry = pageEntries && win.sentIndex >= 0 ? pageEntries[win.sentIndex] : null
        return entry ? { "sentId": String(entry.id), "sourceText": entry.source, "targetText": entry.target } : null
    }

    function copy(key) {
        var entry = selectedEntry()
        if (entry)
            $dispatch.run($dispatch.Ctrl_Global, "copyText", [entry[key], win.windowName])
    }

    function deleteEntry() {
        var entry = selectedEntry()
        if (entry)
            win.run("deleteRepoSent", [entry.sentId, win.curId, entry.sourceText, entry.targetText])
    }

    function deleteRepo() {
        if (win.record)
            win.run("deleteRepo", [win.curId, win.record.name, win.record.src_lang, win.record.tgt_lang,
                                    win.record.reverse === true])
    }

    // Another repository starts on its first page, also when the controller chose it.
    onCurIdChanged: pager.init()
    Component.onCompleted: $dispatch.initController(win.controller)
    Component.onDestruction: $dispatch.releaseController(win.controller)

    Text {
        id: titleText
        x: 24
        y: 16
        text: win.title
        font.pixelSize: win.winFontSize.title || 18
        font.bold: true
        color: win.winColor.titleText
    }

    // Left column: the repositories.
    Item {
        id: left
        anchors.top: titleText.bottom
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 20
        width: 260

        Text {
            id: note
            width: parent.width
            text: win.texts.note || ""
            wrapMode: Text.Wrap
            font.pixelSize: win.winFontSize.small
            color: win.winColor.bodyText2
        }

        TextField {
            id: search
            objectName: "repoSearch"
            anchors.top: note.bottom
            anchors.topMargin: 10
            width: parent.width
            height: 32
            selectByMouse: true
            font.pixelSize: win.winFontSize.normal
            color: win.winColor.transInputText
            background: Rectangle {
                radius: 4
                color: win.winColor.transInputBG
                border.color: win.winColor.inputBorder
            }
            text: win.prefix !== "" ? $state[win.prefix + "SearchText"] : ""
            onTextEdited: $state[win.prefix + "SearchText"] = text
        }

        ListView {
            id: repoList
            objectName: "repoList"
            anchors.top: search.bottom
            anchors.topMargin: 8
            anchors.bottom: createRepo.top
            anchors.bottomMargin: 8
            width: parent.width
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            onAtYEndChanged: {
                if (atYEnd && count > 0)
                    win.run("updateRepoList", [false])
            }

            delegate: Rectangle {
                objectName: "repoRow_" + repoId
                width: repoList.width
                height: 36
                radius: 2
                color: repoId === win.curId ? win.winColor.tableRowBGSelect
                                             : rowMouse.containsMouse ? win.winColor.tableRowBGHover : "transparent"
                Text {
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    anchors.rightMargin: 10
                    verticalAlignment: Text.AlignVCenter
                    text: repoName
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    font.pixelSize: win.winFontSize.normal
                    color: win.winColor.bodyText
                }
                MouseArea {
                    id: rowMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    cursorShape: Qt.PointingHandCursor
                    onClicked: win.chooseRepo(repoId)
                }
            }
        }

        Text {
            objectName: "repoLoading"
            anchors.bottom: createRepo.top
            anchors.bottomMargin: 12
            anchors.horizontalCenter: parent.horizontalCenter
            visible: $state.retcode === win.listBusy
            text: win.texts.loading || ""
            font.pixelSize: win.winFontSize.small
            color: win.winColor.bodyText2
        }

        Column {
            objectName: "repoEmpty"
            anchors.centerIn: repoList
            visible: repoList.count === 0 && $state.retcode !== win.listBusy
            spacing: 8
            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                source: "qrc:/assets/empty.png"
                width: 80
                fillMode: Image.PreserveAspectFit
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: search.text !== "" ? win.texts.noMatch || "" : win.texts.noRepo || ""
                font.pixelSize: win.winFontSize.normal
                color: win.winColor.bodyText2
            }
        }

        TitleButton {
            id: createRepo
            objectName: "createRepoBtn"
            anchors.bottom: parent.bottom
            width: parent.width
            height: 34
            radius: 4
            title: win.texts.createRepo || ""
            fontSize: win.winFontSize.normal
            normalBgColor: win.winColor.mainBtnNormal
            hoverBgColor: win.winColor.mainBtnHover
            onClicked: win.openGroupPop()
        }
    }

    Rectangle {
        id: divider
        anchors.left: left.right
        anchors.leftMargin: 16
        anchors.top: left.top
        anchors.bottom: left.bottom
        width: 1
        color: win.winColor.line
    }

    // Right panel: the current repository.
    Item {
        id: right
        anchors.left: divider.right
        anchors.leftMargin: 16
        anchors.right: parent.right
        anchors.rightMargin: 24
        anchors.top: left.top
        anchors.bottom: left.bottom
        visible: win.record !== null

        Row {
            id: header
            width: parent.width
            spacing: 10
            Text {
                objectName: "repoName"
                width: Math.min(implicitWidth, header.width - deleteRepoBtn.width - 10)
                text: win.record ? win.record.name : ""
                textFormat: Text.PlainText
                elide: Text.ElideRight
                font.pixelSize: win.winFontSize.large || 16
                font.bold: true
                color: win.winColor.h1Text
            }
            IconButton {
                id: deleteRepoBtn
                objectName: "deleteRepoBtn"
                icon: 0xe80c
                size: 18
                onClicked: win.deleteRepo()
            }
        }

        Column {
            id: facts
            anchors.top: header.bottom
            anchors.topMargin: 8
            width: parent.width
            spacing: 6
            Text {
                objectName: "repoLanguages"
                text: win.languages[0] + "  -  " + (win.languages[1] || "")
                textFormat: Text.PlainText
                font.pixelSize: win.winFontSize.normal
                color: win.winColor.bodyText
            }
            Row {
                spacing: 24
                Text {
                    objectName: "repoReverse"
                    text: win.record && win.record.reverse ? qsTr("可反向使用") : qsTr("不可反向使用")
                    font.pixelSize: win.winFontSize.normal
                    color: win.winColor.bodyText
                }
                Text {
                    objectName: "repoCount"
                    text: (win.texts.count || "") + (win.record ? win.record.sentenceCount : 0)
                    font.pixelSize: win.winFontSize.normal
                    color: win.winColor.bodyText
                }
            }
            Row {
                spacing: 8
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("谁可以查看/编辑：")
                    font.pixelSize: win.winFontSize.normal
                    color: win.winColor.bodyText
                }
                PRadioButton {
                    property string value: "myself"
                    checked: true
                    text: qsTr("仅我自己")
                    textSize: win.winFontSize.normal
                }
            }
        }

        Flow {
            id: actions
            anchors.top: facts.bottom
            anchors.topMargin: 10
            width: parent.width
            spacing: 8

            component ActionButton: BorderIconButton {
                height: 28
                size: 13
            }

            ActionButton { objectName: "addEntryBtn"; text: win.texts.addEntry || ""; onClicked: win.openEntryPop(null) }
            ActionButton { objectName: "deleteEntryBtn"; text: win.texts.deleteEntry || ""; enable: win.sentIndex >= 0; onClicked: win.deleteEntry() }
            ActionButton { objectName: "copySourceBtn"; text: qsTr("复制原文"); enable: win.sentIndex >= 0; onClicked: win.copy("sourceText") }
            ActionButton { objectName: "copyTargetBtn"; text: qsTr("复制译文"); enable: win.sentIndex >= 0; onClicked: win.copy("targetText") }
            ActionButton { objectName: "editEntryBtn"; text: qsTr("编辑修改"); enable: win.sentIndex >= 0; onClicked: win.openEntryPop(win.selectedEntry()) }
        }

        Rectangle {
            id: tableHeader
            anchors.top: actions.bottom
            anchors.topMargin: 10
            width: parent.width
            height: 32
            color: win.winColor.contentBG2
            Text {
                anchors.verticalCenter: parent.verticalCenter
                x: 12
                text: qsTr("句段")
                font.pixelSize: win.winFontSize.normal
                font.bold: true
                color: win.winColor.bodyText
            }
            // How the segments show and moving between them sit with the segments, so that the
            // entry actions above keep to one row in English too.
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 2
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8
                ActionButton {
                    objectName: "showSpacesBtn"
                    text: qsTr("显示空格")
                    normalColor: win.showSpaces ? win.winColor.hlText : win.winColor.borderIconBtnNormal
                    borderNormalColor: win.showSpaces ? win.winColor.hlText : win.winColor.borderIconBtnBorder
                    onClicked: win.showSpaces = !win.showSpaces
                }
                ActionButton { objectName: "previousEntryBtn"; text: qsTr("上一个"); enable: win.sentIndex > 0; onClicked: win.selectEntry(win.sentIndex - 1) }
                ActionButton { objectName: "nextEntryBtn"; text: qsTr("下一个"); enable: win.sentIndex >= 0 && win.sentIndex < entryList.count - 1; onClicked: win.selectEntry(win.sentIndex + 1) }
            }
        }

        ListView {
            id: entryList
            objectName: "entryList"
            anchors.top: tableHeader.bottom
            anchors.bottom: pager.top
            anchors.bottomMargin: 8
            width: parent.width
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}

            delegate: Rectangle {
                id: entryRow
                readonly property var entry: ({ "sentId": sentId, "sourceText": sourceText, "targetText": targetText })
                objectName: "entryRow_" + sentId
                width: entryList.width
                height: entryColumn.height + 16
                color: index === win.sentIndex ? win.winColor.tableRowBGSelect
                                                : entryMouse.containsMouse ? win.winColor.tableRowBGHover : "transparent"
                Column {
                    id: entryColumn
                    x: 12
                    y: 8
                    width: parent.width - 24
                    spacing: 4
                    Text {
                        objectName: "entrySource"
                        width: parent.width
                        text: qsTr("原文：") + win.shown(sourceText)
                        textFormat: Text.PlainText
                        wrapMode: Text.Wrap
                        font.pixelSize: win.winFontSize.normal
                        color: win.winColor.bodyText
                    }
                    Text {
                        objectName: "entryTarget"
                        width: parent.width
                        text: qsTr("译文：") + win.shown(targetText)
                        textFormat: Text.PlainText
                        wrapMode: Text.Wrap
                        font.pixelSize: win.winFontSize.normal
                        color: win.winColor.bodyText2
                    }
                }
                Rectangle {
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: win.winColor.line
                }
                MouseArea {
                    id: entryMouse
                    anchors.fill: parent
                    hoverEnabled: true
                    onClicked: win.selectEntry(index)
                    onDoubleClicked: win.openEntryPop(entryRow.entry)
                }
            }
        }

        Column {
            objectName: "entryEmpty"
            anchors.centerIn: entryList
            visible: entryList.count === 0
            spacing: 8
            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                source: "qrc:/assets/empty.png"
                width: 80
                fillMode: Image.PreserveAspectFit
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: win.texts.noEntry || ""
                font.pixelSize: win.winFontSize.normal
                color: win.winColor.bodyText2
            }
        }

        PageSeparator {
            id: pager
            objectName: "pager"
            anchors.bottom: parent.bottom
            anchors.horizontalCenter: parent.horizontalCenter
            pageCount: win.record ? win.record.pageCount || 0 : 0
            onPageSelect: function(number) { win.choosePage(number) }
        }
    }

    Column {
        objectName: "noSelection"
        anchors.centerIn: right
        visible: win.record === null
        spacing: 8
        Image {
            anchors.horizontalCenter: parent.horizontalCenter
            source: "qrc:/assets/empty.png"
            width: 80
            fillMode: Image.PreserveAspectFit
        }
        Text {
            anchors.horizontalCenter: parent.horizontalCenter
            text: win.texts.noSelection || ""
            font.pixelSize: win.winFontSize.normal
            color: win.winColor.bodyText2
        }
    }
}
