import QtQuick 2.14
import QtQuick.Controls 2.14

// A dialog. Titles and messages carry file names and server texts, so they are shown as plain
// text: what was typed is what shows, and "\n" breaks the line.
Popup {
    id: popup
    objectName: "questionWindow"
    property string title: ""
    property string message: ""
    property string type: "warning"
    property string sureBtnText: qsTr("好的")
    property string cancelBtnText: ""
    property int hudTag: -1
    property bool autoDestroy: false
    property bool _btnTap: false
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winFontSize: $state.windowFontSize
    property var winColor: $state.windowColor

    signal sureTap()
    signal cancelTap()

    function callSure() {
        _btnTap = true
        sureTap()
        $state.windowHudSureTap(hudTag)
        close()
    }

    function callCancel() {
        _btnTap = true
        cancelTap()
        $state.windowHudCancelTap(hudTag)
        close()
    }

    modal: true
    focus: true
    padding: 0
    margins: 0
    anchors.centerIn: parent
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    width: 400 * xScale
    height: content.implicitHeight

    onClosed: {
        if (!_btnTap)
            callCancel()
        if (autoDestroy)
            destroy()
    }

    background: Rectangle {
        id: popBG
        radius: 5
        color: popup.winColor.contentBG
    }

    contentItem: Item {
        id: content
        implicitHeight: textColumn.y + textColumn.height + 28 + sureBtn.height + 20
        focus: true
        Keys.onReturnPressed: popup.callSure()
        Keys.onEnterPressed: popup.callSure()

        Rectangle {
            id: closeArea
            width: 32
            height: 32
            radius: 5
            anchors.top: parent.top
            anchors.right: parent.right
            color: closeBtn.mPressed ? "#d9f44336" : closeBtn.hovered ? "#f44336" : "transparent"

            IconButton {
                id: closeBtn
                objectName: "closeBtn"
                anchors.fill: parent
                icon: 0xe61a
                size: 12
                normalColor: popup.winColor.iconBtnNormal
                hoverColor: "#fff"
                selectColor: "#fff"
                onClicked: popup.callCancel()
            }
        }

        Image {
            id: logoImg
            x: 24
            y: 24
            width: 32
            height: 32
            source: "qrc:/assets/" + (popup.type === "error" ? "error.png"
                                    : popup.type === "warning" ? "warning.png"
                                    : popup.type === "info" ? "info.png" : "question.png")
        }

        Column {
            id: textColumn
            anchors.left: logoImg.right
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.rightMargin: 36
            y: 28
            spacing: 8

            Text {
                id: titleText
                objectName: "titleText"
                width: parent.width
                text: popup.title
                textFormat: Text.PlainText
                font.bold: true
                wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                lineHeightMode: Text.FixedHeight
                lineHeight: 22
                font.pixelSize: popup.winFontSize.large
                color: popup.winColor.h1Text
            }

            Text {
                id: msgText
                objectName: "msgText"
                width: parent.width
                visible: popup.message !== ""
                text: popup.message
                textFormat: Text.PlainText
                wrapMode: Text.WrapAtWordBoundaryOrAnywhere
                lineHeightMode: Text.FixedHeight
                lineHeight: 20
                font.pixelSize: popup.winFontSize.normal
                color: popup.winColor.bodyText
            }
        }

        Row {
            anchors.right: parent.right
            anchors.rightMargin: 20
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 20
            spacing: 12
            layoutDirection: Qt.RightToLeft

            TitleButton {
                id: sureBtn
                objectName: "sureBtn"
                radius: 4
                autoWidth: true
                height: 32
                title: popup.sureBtnText
                fontSize: popup.winFontSize.normal
                normalBgColor: popup.winColor.mainBtnNormal
                hoverBgColor: popup.winColor.mainBtnHover
                onClicked: popup.callSure()
            }

            TitleButton {
                id: cancelBtn
                objectName: "cancelBtn"
                visible: popup.cancelBtnText !== ""
                radius: 4
                autoWidth: true
                height: 32
                title: popup.cancelBtnText
                fontSize: popup.winFontSize.normal
                titleColor: popup.winColor.cancelBtnText
                borderColor: popup.winColor.line4
                normalBgColor: popup.winColor.cancelBtnNormal
                hoverBgColor: popup.winColor.cancelBtnHover
                onClicked: popup.callCancel()
            }
        }
    }
}
