import QtQuick 2.14
import QtQuick.Controls 2.14

TextArea {
    id: edit
    textFormat: TextEdit.PlainText
    property bool rightMouseMenuEnabled: false
    property bool isWin: $state.platform === "win"

    signal pasted()
    signal rightClicked()

    selectionColor: "#e0eafa"
    selectByMouse: true

    function _openMenu(x, y) {
        if (isWin)
            nativeMenu.item.open()
        else
            drawnMenu.popup(edit, x, y)
    }

    MouseArea {
        anchors.fill: parent
        acceptedButtons: Qt.RightButton
        cursorShape: Qt.IBeamCursor
        onClicked: {
            // a right click keeps the selection
            edit.rightClicked()
            if (edit.rightMouseMenuEnabled)
                edit._openMenu(mouse.x, mouse.y)
        }
    }

    PMenu {
        id: drawnMenu
        objectName: "editMenu"
        PMenuItem { text: qsTr("剪切") + "\tCtrl+X"; enabled: edit.selectedText !== "" && !edit.readOnly; onClicked: edit.cut() }
        PMenuItem { text: qsTr("复制") + "\tCtrl+C"; enabled: edit.selectedText !== ""; onClicked: edit.copy() }
        PMenuItem { text: qsTr("粘贴") + "\tCtrl+V"; enabled: edit.canPaste; onClicked: { edit.paste(); edit.pasted() } }
        PMenuSeparator {}
        PMenuItem { text: qsTr("撤销"); enabled: edit.canUndo; onClicked: edit.undo() }
        PMenuItem { text: qsTr("重做"); enabled: edit.canRedo; onClicked: edit.redo() }
        PMenuSeparator {}
        PMenuItem { text: qsTr("全选") + "\tCtrl+A"; onClicked: edit.selectAll() }
    }

    // The native menu exists only where the platform has native menus.
    Loader {
        id: nativeMenu
        active: edit.isWin
        source: "PTextAreaNativeMenu.qml"
        onLoaded: item.edit = edit
    }
}
