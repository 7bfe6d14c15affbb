import QtQuick 2.14
import QtQuick.Controls 2.14
import QtGraphicalEffects 1.14
import "../../components"

// What is wrong with a disliked result: six reasons to toggle, then skip or submit.
Popup {
    id: pop
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool reason_cuowu: false
    property bool reason_yilou: false
    property bool reason_budang: false
    property bool reason_bushunchang: false
    property bool reason_guodu: false
    property bool reason_qita: false
    readonly property var _reasons: [
        { "text": qsTr("翻译错误"), "prop": "reason_cuowu", "code": "error" },
        { "text": qsTr("翻译遗漏"), "prop": "reason_yilou", "code": "omit" },
        { "text": qsTr("用词不当"), "prop": "reason_budang", "code": "impropriety" },
        { "text": qsTr("表达不顺畅"), "prop": "reason_bushunchang", "code": "not_smooth" },
        { "text": qsTr("过度翻译"), "prop": "reason_guodu", "code": "excessive" },
        { "text": qsTr("其他"), "prop": "reason_qita", "code": "other" }
    ]

    signal submit(var reasons)

    // the codes of the toggled reasons, in table order
    function chosenReasons() {
        var codes = []
        for (var i = 0; i < _reasons.length; ++i)
            if (pop[_reasons[i].prop])
                codes.push(_reasons[i].code)
        return codes
    }

    function _reset() {
        for (var i = 0; i < _reasons.length; ++i)
            pop[_reasons[i].prop] = false
    }

    width: 300
    padding: 16
    topPadding: 24
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    onOpened: _reset()

    enter: Transition { NumberAnimation { property: "opacity"; from: 0; to: 1; duration: 150 } }
    exit: Transition { NumberAnimation { property: "opacity"; from: 1; to: 0; duration: 150 } }

    background: Item {
        Image {
            id: arrow
            source: "../../../assets/triangle-up.png"
            anchors.bottom: box.top
            anchors.right: box.right
            anchors.rightMargin: 14
            visible: false
        }
        ColorOverlay {
            anchors.fill: arrow
            source: arrow
            color: pop.winColor.selectBG
        }
        Rectangle {
            id: box
            anchors.fill: parent
            anchors.topMargin: 8
            radius: 4
            color: pop.winColor.selectBG
            border.color: pop.winColor.line4
        }
    }

    contentItem: Column {
        spacing: 14

        Item {
            width: parent.width
            height: 20
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("该翻译结果有什么问题？")
                color: pop.winColor.bodyText
                font.pixelSize: pop.winFontSize.normal
                font.bold: true
            }
            IconButton {
                objectName: "feedbackCloseBtn"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                width: 16
                height: 16
                icon: 0xe61a
                size: 12
                normalColor: "#333"
                hoverColor: "#f44336"
                onClicked: pop.close()
            }
        }

        Grid {
            columns: 3
            spacing: 10
            Repeater {
                model: pop._reasons
                TitleButton {
                    objectName: "reason_" + modelData.code
                    readonly property bool checked: pop[modelData.prop]
                    width: 80
                    height: 28
                    fontSize: 13
                    title: modelData.text
                    titleColor: checked ? "#0052d9" : pop.winColor.transTitleBtnTitle
                    hoverTitleColor: "#0052d9"
                    normalBgColor: pop.winColor.transTitleBtnBG
                    hoverBgColor: pop.winColor.transTitleBtnBGHover
                    borderColor: checked ? "#0052d9" : pop.winColor.transTitleBtnBorder
                    borderHoverColor: "#0052d9"
                    onClicked: pop[modelData.prop] = !checked
                }
            }
        }

        Row {
            anchors.right: parent.right
            spacing: 10
            TitleButton {
                id: skipBtn
                objectName: "skipBtn"
                width: 64
                height: 28
                fontSize: 13
                title: qsTr("跳过")
                titleColor: pop.winColor.cancelBtnText
                normalBgColor: pop.winColor.cancelBtnNormal
                hoverBgColor: pop.winColor.cancelBtnHover
                borderColor: pop.winColor.transTitleBtnBorder
                // a dislike without reasons
                onClicked: {
                    pop.submit([])
                    pop.close()
                }
            }
            TitleButton {
                id: submitBtn
                objectName: "submitBtn"
                width: 64
                height: 28
                fontSize: 13
                title: qsTr("提交")
                normalBgColor: "#0052d9"
                hoverBgColor: "#880052d9"
                onClicked: {
                    pop.submit(pop.chosenReasons())
                    pop.close()
                }
            }
        }
    }
}
