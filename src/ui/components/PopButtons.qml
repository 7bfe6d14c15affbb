import QtQuick 2.14

// "取消" and "确定" at the foot of a pop-up.
Row {
    id: buttons
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool ready: true

    signal sure()
    signal cancel()

    spacing: 12

    TitleButton {
        objectName: "cancelBtn"
        width: 80
        height: 32
        radius: 4
        title: qsTr("取消")
        fontSize: buttons.winFontSize.normal
        titleColor: buttons.winColor.cancelBtnText
        normalBgColor: buttons.winColor.cancelBtnNormal
        hoverBgColor: buttons.winColor.cancelBtnHover
        onClicked: buttons.cancel()
    }
    TitleButton {
        objectName: "sureBtn"
        width: 80
        height: 32
        radius: 4
        title: qsTr("确定")
        fontSize: buttons.winFontSize.normal
        disable: !buttons.ready
        normalBgColor: buttons.winColor.mainBtnNormal
        hoverBgColor: buttons.winColor.mainBtnHover
        onClicked: buttons.sure()
    }
}
