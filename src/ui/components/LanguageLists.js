.pragma library
// The language drop-downs of the quick-translation windows, built from State's textTransLangData.

// [{key, value, prio}] by priority, then by name; "auto" only when withAuto.
function languages(table, withAuto, english) {
    var list = []
    for (var code in table) {
        if (code === "auto" && !withAuto)
            continue
        var entry = table[code]
        list.push({ "key": english ? (entry.enName || entry.name) : entry.name, "value": code,
                    "prio": entry.prio || 0 })
    }
    list.sort(function (a, b) { return b.prio - a.prio || (a.key < b.key ? -1 : 1) })
    return list
}

function indexOf(model, code) {
    for (var i = 0; i < model.length; ++i) {
        if (model[i].value === code)
            return i
    }
    return -1
}
