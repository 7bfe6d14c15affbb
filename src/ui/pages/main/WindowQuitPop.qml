import QtQuick 2.14
import QtQuick.Controls 2.14
import "../../components"

// Asks what closing the main window does: hide to the tray or quit, optionally remembered.
Popup {
    id: quitPop
    objectName: "quitPop"
    property real xScale: $state.windowWidthScale
    property real yScale: $state.windowHeightScale
    property var winFontSize: $state.windowFontSize
    property var winColor: $state.windowColor

    signal hideWindow(bool remember)
    signal closeWindow(bool remember)

    modal: true
    focus: true
    padding: 0
    margins: 0
    closePolicy: Popup.CloseOnEscape
    width: 400 * xScale
    height: 240 * yScale

    background: Rectangle {
        radius: 5
        color: quitPop.winColor.contentBG
    }

    contentItem: Item {
        Text {
            x: 20
            y: 10
            width: 200
            height: 24
            text: qsTr("退出方式")
            verticalAlignment: Text.AlignVCenter
            font.pixelSize: quitPop.winFontSize.large
            font.bold: true
            color: quitPop.winColor.h1Text
        }

        IconButton {
            objectName: "quitPopCloseBtn"
            anchors.right: parent.right
            anchors.rightMargin: 10
            y: 10
            width: 24
            height: 24
            icon: 0xe61a
            size: 14
            normalColor: quitPop.winColor.iconBtnNormal
            hoverColor: quitPop.winColor.iconBtnHover
            onClicked: quitPop.close()
        }

        Rectangle {
            id: topLine
            y: 44
            width: parent.width
            height: 1
            color: quitPop.winColor.line
        }

        Column {
            anchors.top: topLine.bottom
            anchors.topMargin: 10
            x: 20
            spacing: 2

            PRadioButton {
                id: hideRadio
                objectName: "hideRadio"
                checked: true
                // Without a tray the window goes to the task bar instead.
                text: $state.systemTrayAvailable ? qsTr("最小化到托盘，不退出程序") : qsTr("最小化窗口，不退出程序")
                textSize: quitPop.winFontSize.normal
                onClicked: {
                    hideRadio.checked = true
                    quitRadio.checked = false
                }
            }

            PRadioButton {
                id: quitRadio
                objectName: "quitRadio"
                text: qsTr("退出程序")
                textSize: quitPop.winFontSize.normal
                onClicked: {
                    quitRadio.checked = true
                    hideRadio.checked = false
                }
            }

            CheckButton {
                id: rememberBtn
                objectName: "rememberBtn"
                text: qsTr("记住当前选择，近期不提示")
            }
        }

        Rectangle {
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 52
            width: parent.width
            height: 1
            color: quitPop.winColor.line
        }

        TitleButton {
            id: sureBtn
            objectName: "quitSureBtn"
            anchors.right: parent.right
            anchors.rightMargin: 20
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 10
            width: 80
            height: 32
            radius: 4
            title: qsTr("确定")
            fontSize: quitPop.winFontSize.normal
            normalBgColor: quitPop.winColor.mainBtnNormal
            hoverBgColor: quitPop.winColor.mainBtnHover
            onClicked: {
                quitPop.close()
                if (quitRadio.checked)
                    quitPop.closeWindow(rememberBtn.checked)
                else
                    quitPop.hideWindow(rememberBtn.checked)
            }
        }

        TitleButton {
            id: cancelBtn
            objectName: "quitCancelBtn"
            anchors.right: sureBtn.left
            anchors.rightMargin: 12
            anchors.bottom: sureBtn.bottom
            width: 80
            height: 32
            radius: 4
            title: qsTr("取消")
            fontSize: quitPop.winFontSize.normal
            titleColor: quitPop.winColor.cancelBtnText
            borderColor: quitPop.winColor.line4
            normalBgColor: quitPop.winColor.cancelBtnNormal
            hoverBgColor: quitPop.winColor.cancelBtnHover
            onClicked: quitPop.close()
        }
    }
}
