import QtQuick 2.14

// A read-only text whose selection is exclusive across the page: selecting here deselects
// the row selected before (through $state.qmlTextEditSelectedId).
TextEdit {
    id: row
    // a caller showing text it built and escaped itself may set rich text
    textFormat: TextEdit.PlainText
    property string currentSelectedId: $state.qmlTextEditSelectedId
    property string uuid: ""
    property var lastSelect: ({ "start": -1, "end": -1, "text": "" })

    signal textSelectChange(string selectText, int selectStart, int selectEnd, real anchorX, real anchorY)

    readOnly: true
    selectByMouse: true

    Component.onCompleted: uuid = Date.now() + "_" + Math.floor(Math.random() * 1000000)

    onSelectedTextChanged: {
        if (selectedText === "")
            return
        if (selectionStart === lastSelect.start && selectionEnd === lastSelect.end && selectedText === lastSelect.text)
            return
        lastSelect = { "start": selectionStart, "end": selectionEnd, "text": selectedText }
        $state.qmlTextEditSelectedId = uuid
        var r = positionToRectangle(selectionEnd)
        textSelectChange(selectedText, selectionStart, selectionEnd, r.x + r.width, r.y + r.height)
    }

    onCurrentSelectedIdChanged: {
        if (currentSelectedId !== uuid) {
            deselect()
            lastSelect = { "start": -1, "end": -1, "text": "" }
        }
    }
}
