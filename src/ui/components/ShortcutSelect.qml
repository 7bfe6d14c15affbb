import QtQuick 2.14
import "."

// A global hotkey as a modifier set and a key.
Row {
    id: select
    readonly property bool isMac: $state.platform === "mac"
    // Desktops other than the Mac name the modifiers as on Windows; there is no "Cmd" key.
    readonly property var modifiers: isMac
        ? [{ "key": "Cmd", "value": { "ctrl": false, "shift": false, "cmdOrAlt": true } },
           { "key": "Ctrl + Cmd", "value": { "ctrl": true, "shift": false, "cmdOrAlt": true } },
           { "key": "Command", "value": { "ctrl": false, "shift": true, "cmdOrAlt": true } }]
        : [{ "key": "Ctrl", "value": { "ctrl": true, "shift": false, "cmdOrAlt": false } },
           { "key": "Ctrl + Alt", "value": { "ctrl": true, "shift": false, "cmdOrAlt": true } },
           { "key": "Ctrl + Shift", "value": { "ctrl": true, "shift": true, "cmdOrAlt": false } }]
    readonly property var keys: {
        var list = []
        var i
        for (i = 0; i < 26; ++i)
            list.push(String.fromCharCode(65 + i))
        for (i = 0; i < 10; ++i)
            list.push(String(i))
        for (i = 1; i <= 12; ++i)
            list.push("F" + i)
        return list
    }

    signal changeShortcut(var ctrlData, string curKey)

    // "Ctrl+Alt+O": the last part is the key, the rest the modifier set.
    function setCurrentSelectByStr(shortcutStr) {
        var parts = String(shortcutStr).split("+")
        if (parts.length < 2)
            return
        var key = parts.pop()
        var flags = { "ctrl": parts.indexOf("Ctrl") >= 0, "shift": parts.indexOf("Shift") >= 0,
                      "cmdOrAlt": parts.indexOf("Alt") >= 0 || parts.indexOf("Cmd") >= 0 }
        for (var i = 0; i < modifiers.length; ++i) {
            var value = modifiers[i].value
            if (value.ctrl === flags.ctrl && value.shift === flags.shift && value.cmdOrAlt === flags.cmdOrAlt)
                modifierSelect.currentIndex = i
        }
        keySelect.currentIndex = keys.indexOf(key.toUpperCase())
    }

    function emitChange() {
        if (modifierSelect.currentIndex >= 0 && keySelect.currentIndex >= 0)
            changeShortcut(modifiers[modifierSelect.currentIndex].value, keys[keySelect.currentIndex])
    }

    spacing: 8

    DropSelect {
        id: modifierSelect
        objectName: "modifierSelect"
        width: 130
        textRole: "key"
        model: select.modifiers
        currentIndex: -1
        onActivated: select.emitChange()
    }
    Text {
        anchors.verticalCenter: parent.verticalCenter
        text: "+"
        color: $state.windowColor.bodyText
    }
    DropSelect {
        id: keySelect
        objectName: "keySelect"
        width: Math.max(80, placeholderWidth)
        model: select.keys
        currentIndex: -1
        onActivated: select.emitChange()
    }
}
