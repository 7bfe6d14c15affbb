import QtQuick 2.14

Rectangle {
    id: container
    property var winColor: $state.windowColor
    property bool encypt: true
    property color highlightColor: "#366CB3"
    property color inhighlightColor: "#e5e5e5"
    property color selectionColor: "#b8cff5"
    property color errorColor: "#ff4d4f"
    property int fontSize: 16
    property string placeholder: ""
    property bool hovered: false
    property alias value: input.text
    property string initValue: ""
    property bool autoFocus: false
    property int textAlign: TextInput.AlignLeft
    property bool error: false
    property bool canPlain: false
    property bool _isPlainPsw: false
    property int rightBtnIcon: 0

    signal enterPress()
    signal rightBtnTap()
    signal textChange(string text)

    function setValue(text) { input.text = text }
    function setFocus(focus) { input.focus = focus }
    function isFocus() { return input.activeFocus }

    implicitHeight: 40
    border.width: 1
    border.color: error ? errorColor : input.activeFocus ? highlightColor : inhighlightColor
    color: hovered ? Qt.lighter(winColor.passwdInputBG, 1.05) : winColor.passwdInputBG

    Component.onCompleted: {
        input.text = initValue
        if (autoFocus)
            input.forceActiveFocus()
    }

    TextInput {
        id: input
        objectName: "input"
        anchors.fill: parent
        anchors.leftMargin: 10
        anchors.rightMargin: 10 + (rightBtn.visible ? rightBtn.width + 6 : 0)
        verticalAlignment: TextInput.AlignVCenter
        horizontalAlignment: container.textAlign
        clip: true
        selectByMouse: true
        activeFocusOnTab: true
        echoMode: container.encypt && !container._isPlainPsw ? TextInput.Password : TextInput.Normal
        passwordMaskDelay: 500
        selectionColor: container.selectionColor
        color: container.winColor.passwdInputText
        font.bold: true
        font.pixelSize: container.fontSize
        onTextChanged: container.textChange(text)
        Keys.onReturnPressed: container.enterPress()
        Keys.onEnterPressed: container.enterPress()

        Text {
            anchors.fill: parent
            verticalAlignment: Text.AlignVCenter
            horizontalAlignment: parent.horizontalAlignment
            visible: input.text === ""
            text: container.placeholder
            textFormat: Text.PlainText
            color: container.winColor.hintText
            font.pixelSize: container.fontSize
        }

        MouseArea {
            anchors.fill: parent
            acceptedButtons: Qt.NoButton
            hoverEnabled: true
            cursorShape: Qt.IBeamCursor
            onEntered: container.hovered = true
            onExited: container.hovered = false
        }
    }

    IconButton {
        id: rightBtn
        objectName: "rightBtn"
        anchors.right: parent.right
        anchors.rightMargin: 10
        anchors.verticalCenter: parent.verticalCenter
        width: 20
        visible: container.rightBtnIcon !== 0 || container.canPlain
        icon: container.rightBtnIcon !== 0 ? container.rightBtnIcon : container._isPlainPsw ? 0xe822 : 0xe821
        size: 14
        normalColor: container.winColor.hintText
        hoverColor: container.winColor.bodyText2
        selected: container._isPlainPsw
        onClicked: {
            if (container.canPlain)
                container._isPlainPsw = !container._isPlainPsw
            container.rightBtnTap()
        }
    }
}
