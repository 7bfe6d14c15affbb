import QtQuick 2.14
import Qt.labs.platform 1.1 as Labs

// The native context menu of PTextArea.
Labs.Menu {
    id: menu
    property var edit: null

    Labs.MenuItem { text: qsTr("剪切"); shortcut: "Ctrl+X"; enabled: menu.edit && menu.edit.selectedText !== "" && !menu.edit.readOnly; onTriggered: menu.edit.cut() }
    Labs.MenuItem { text: qsTr("复制"); shortcut: "Ctrl+C"; enabled: menu.edit && menu.edit.selectedText !== ""; onTriggered: menu.edit.copy() }
    Labs.MenuItem { text: qsTr("粘贴"); shortcut: "Ctrl+V"; enabled: menu.edit && menu.edit.canPaste; onTriggered: { menu.edit.paste(); menu.edit.pasted() } }
    Labs.MenuSeparator {}
    Labs.MenuItem { text: qsTr("撤销"); shortcut: StandardKey.Undo; enabled: menu.edit && menu.edit.canUndo; onTriggered: menu.edit.undo() }
    Labs.MenuItem { text: qsTr("重做"); shortcut: StandardKey.Redo; enabled: menu.edit && menu.edit.canRedo; onTriggered: menu.edit.redo() }
    Labs.MenuSeparator {}
    Labs.MenuItem { text: qsTr("全选"); shortcut: "Ctrl+A"; onTriggered: menu.edit.selectAll() }
}
