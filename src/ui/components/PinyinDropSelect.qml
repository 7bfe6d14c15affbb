import QtQuick 2.14
import QtQuick.Controls 2.14
import QtQuick.Shapes 1.14
import QtQuick.Window 2.14

// A language picker: quick choices first, then the languages grouped by pinyin initial.
// modal holds {"pre": [item], "py": [{"key": initial, "datas": [item]}]}, an item {"key", "value"}.
Rectangle {
    id: control
    property var winColor: $state.windowColor
    property color textColor: winColor.selectText
    property color downTextColor: winColor.selectText2
    property color highlightColor: winColor.selectHover2
    property bool down: popup.visible
    property bool hovered: false
    property var modal: ({ "pre": [], "py": [] })
    property var currentSelect: null
    property bool isTarget: false
    property int popWidth: 1200
    property int popHeight: 400
    property int xOffset: 45
    property int canvasStartY: 0
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winFontSize: $state.windowFontSize

    signal selectData(var key, var value)

    function selectItem(item) {
        selectData(item.key, item.value)
        popup.close()
    }

    function _isSelected(item) {
        return currentSelect !== null && currentSelect !== undefined && item.value === currentSelect.value
    }

    height: 30
    implicitWidth: 120
    color: "transparent"

    Text {
        id: title
        anchors.left: parent.left
        anchors.right: arrow.left
        anchors.verticalCenter: parent.verticalCenter
        visible: control.currentSelect !== null && control.currentSelect !== undefined
        text: visible ? control.currentSelect.key : ""
        textFormat: Text.PlainText
        color: control.hovered ? control.highlightColor : control.textColor
        font.pixelSize: control.winFontSize.normal
        elide: Text.ElideRight
    }

    Text {
        id: placeHolder
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        visible: !title.visible
        text: qsTr("请选择")
        color: "#bfbfbf"
        font.pixelSize: control.winFontSize.normal
    }

    IconImage {
        id: arrow
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        icon: control.down ? 0xe803 : 0xe802
        size: 10
        color: "#aeaeae"
    }

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: control.hovered = true
        onExited: control.hovered = false
        onClicked: popup.visible ? popup.close() : popup.open()
    }

    Popup {
        id: popup
        objectName: "pinyinPopup"
        modal: false
        closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
        y: control.height + 8
        x: -control.xOffset * control.xScale
        width: control.popWidth * control.xScale
        height: control.popHeight * control.yScale
        padding: 16
        // no wider than the room left of the window's right edge, so no language is cut off
        onAboutToShow: width = Math.min(control.popWidth * control.xScale,
                                        control.Window.width - control.mapToItem(null, 0, 0).x - x - 8)

        enter: Transition { NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 150 } }
        exit: Transition { NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 150 } }

        background: Item {
            Shape {
                id: pointer
                x: control.xOffset * control.xScale + 10
                y: -8 + control.canvasStartY
                width: 16
                height: 9
                ShapePath {
                    strokeColor: "#dcdfe6"
                    fillColor: control.winColor.selectBG
                    startX: 0; startY: 9
                    PathLine { x: 8; y: 0 }
                    PathLine { x: 16; y: 9 }
                }
            }
            Rectangle {
                anchors.fill: parent
                radius: 4
                color: control.winColor.selectBG
                border.color: "#d7d7d7"
            }
        }

        contentItem: Flickable {
            clip: true
            contentHeight: groups.height
            ScrollBar.vertical: ScrollBar {}

            Column {
                id: groups
                width: parent.width
                spacing: 10

                Flow {
                    id: preRow
                    width: parent.width
                    spacing: 16
                    Repeater {
                        model: control.modal.pre || []
                        LiteButton {
                            text: modelData.key
                            normalColor: control._isSelected(modelData) ? "#1e90ff" : control.textColor
                            hoverColor: control.highlightColor
                            onClicked: control.selectItem(modelData)
                        }
                    }
                }

                Repeater {
                    model: control.modal.py || []
                    Row {
                        width: groups.width
                        spacing: 10
                        property var group: modelData

                        Text {
                            width: 20
                            text: group.key
                            textFormat: Text.PlainText
                            color: control.downTextColor
                            font.bold: true
                            font.pixelSize: control.winFontSize.normal
                        }

                        Flow {
                            width: parent.width - 30
                            spacing: 16
                            Repeater {
                                model: group.datas || []
                                LiteButton {
                                    text: modelData.key
                                    normalColor: control._isSelected(modelData) ? "#1e90ff" : control.textColor
                                    hoverColor: control.highlightColor
                                    onClicked: control.selectItem(modelData)
                                }
                            }
                        }
                    }
                }
            }
        }
    }
}
