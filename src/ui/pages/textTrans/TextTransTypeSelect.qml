import QtQuick 2.14
import "../../components"

// A language selector: the preferred languages first, then the others grouped by their initial.
// A source selector lists the source languages (and the automatic choice); a target selector
// lists the targets of sourceLang.
Row {
    id: container
    property string title: ""
    property bool isTarget: false
    property bool auto: true
    property bool hasEmpty: false
    property string selectValue: ""
    property string initSelectValue: ""
    property string sourceLang: ""
    property int popWidth: 1200
    property int popHeight: 400
    property var transLangData: $state.textTransLangData
    property bool isEnglish: $state.language === "en"
    property var modelData: _buildModel(transLangData, sourceLang, isEnglish)
    readonly property var codes: _codes(transLangData, sourceLang)

    // a choice of the user (not a change made by setSelect)
    signal selectData(string key, string value)

    function setSelect(value) {
        var item = _itemOf(value)
        selectValue = item ? item.value : value
        select.currentSelect = item
    }

    function _itemOf(value) {
        var lists = [modelData.pre]
        for (var i = 0; i < modelData.py.length; ++i)
            lists.push(modelData.py[i].datas)
        for (var l = 0; l < lists.length; ++l)
            for (var j = 0; j < lists[l].length; ++j)
                if (lists[l][j].value === value)
                    return lists[l][j]
        return null
    }

    // The codes offered: a target selector the targets of sourceLang (of every source when the
    // table does not describe it), a source selector every language that has targets.
    function _codes(table, source) {
        var codes = []
        if (isTarget) {
            var entry = table[source]
            if (entry && entry.target)
                return entry.target.slice()
            var seen = {}
            for (var code in table)
                for (var t in (table[code].target || []))
                    seen[table[code].target[t]] = true
            return Object.keys(seen)
        }
        for (var c in table)
            if (c !== "auto" && table[c].target && table[c].target.length > 0)
                codes.push(c)
        return codes
    }

    function _buildModel(table, source, english) {
        var name = function (code) {
            var entry = table[code] || {}
            return (english ? entry.enName : entry.name) || code
        }
        var codes = _codes(table, source)
        var pre = []
        var groups = {}
        for (var i = 0; i < codes.length; ++i) {
            var code = codes[i]
            var entry = table[code] || {}
            var item = { "key": name(code), "value": code, "prio": entry.prio === undefined ? -1 : entry.prio }
            if (item.prio >= 0) {
                pre.push(item)
                continue
            }
            var group = String(entry.group || "#").toUpperCase()
            if (!groups[group])
                groups[group] = []
            groups[group].push(item)
        }
        pre.sort(function (a, b) { return b.prio - a.prio })
        if (!isTarget && auto)
            pre.unshift({ "key": qsTr("自动选择"), "value": "auto" })
        if (hasEmpty)
            pre.unshift({ "key": "", "value": "" })
        var py = Object.keys(groups).sort().map(function (key) {
            return { "key": key, "datas": groups[key].sort(function (a, b) { return a.key.localeCompare(b.key) }) }
        })
        return { "pre": pre, "py": py }
    }

    spacing: 8
    height: 28
    onInitSelectValueChanged: setSelect(initSelectValue)
    onModelDataChanged: setSelect(selectValue !== "" ? selectValue : initSelectValue)

    Text {
        height: parent.height
        text: container.title
        textFormat: Text.PlainText
        color: $state.windowColor.bodyText
        font.pixelSize: $state.windowFontSize.normal
        font.bold: true
        verticalAlignment: Text.AlignVCenter
    }

    PinyinDropSelect {
        id: select
        objectName: "select"
        width: container.isEnglish ? 130 : 110
        height: parent.height
        modal: container.modelData
        isTarget: container.isTarget
        popWidth: container.popWidth
        popHeight: container.popHeight
        onSelectData: {
            container.setSelect(value)
            container.selectData(key, value)
        }
    }
}
