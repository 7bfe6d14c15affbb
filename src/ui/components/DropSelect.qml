import QtQuick 2.14
import QtQuick.Controls 2.14

ComboBox {
    id: control
    property var winColor: $state.windowColor
    property color textColor: winColor.selectText
    property color downTextColor: winColor.selectText2
    property color highlightColor: winColor.selectHover2
    property color bgColor: winColor.selectBG
    property int textSize: $state.windowFontSize.normal
    // what the placeholder needs, padding included, for a caller that must not cut it
    readonly property real placeholderWidth: placeHolder.implicitWidth + leftPadding + rightPadding

    implicitWidth: 105
    implicitHeight: 30
    font.pixelSize: textSize

    delegate: ItemDelegate {
        width: control.width
        height: 30
        highlighted: control.highlightedIndex === index
        contentItem: Text {
            text: control.textRole ? (Array.isArray(control.model) ? modelData[control.textRole] : model[control.textRole])
                                   : modelData
                                   textFormat: Text.PlainText
            color: control.currentIndex === index ? control.highlightColor : control.downTextColor
            font.pixelSize: control.textSize
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            color: parent.highlighted ? control.winColor.selectBGHL : control.bgColor
        }
    }

    indicator: IconImage {
        x: control.width - width - 8
        y: (control.height - height) / 2
        icon: control.popup.visible ? 0xe803 : 0xe802
        size: 10
        color: "#aeaeae"
    }

    contentItem: Item {
        Text {
            anchors.fill: parent
            leftPadding: 10
            rightPadding: 20
            text: control.displayText
            textFormat: Text.PlainText
            visible: control.currentIndex !== -1
            font.pixelSize: control.textSize
            color: control.textColor
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
        }
        Text {
            id: placeHolder
            objectName: "placeHolder"
            anchors.fill: parent
            leftPadding: 10
            rightPadding: 20
            elide: Text.ElideRight
            visible: control.currentIndex === -1
            text: qsTr("请选择")
            font.pixelSize: control.textSize
            color: "#bfbfbf"
            verticalAlignment: Text.AlignVCenter
        }
    }

    background: Rectangle {
        radius: 4
        color: control.bgColor
        border.width: 1
        border.color: control.hovered || control.popup.visible ? "#dcdfe6" : "#d7d7d7"
    }

    popup: Popup {
        y: control.height + 2
        width: control.width
        implicitHeight: Math.min(contentItem.implicitHeight + 2, 300)
        padding: 1
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle {
            radius: 4
            color: control.bgColor
            border.color: "#dcdfe6"
        }
    }
}
