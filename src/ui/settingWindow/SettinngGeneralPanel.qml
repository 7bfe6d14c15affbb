import QtQuick 2.14
import QtQuick.Controls 2.14
import "../components"
import "../components/GlobalActions.js" as Global

ScrollView {
    id: panel
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool isWin: $state.platform === "win"
    property bool isLinux: $state.platform === "linux"
    // the entries shown before a restart question, put back when it is cancelled
    property int defaultLang: -1
    property int defaultOpenGL: -1
    function indexOfValue(model, value) {
        for (var i = 0; i < model.length; ++i) {
            if (model[i].value === value)
                return i
        }
        return -1
    }

    clip: true
    ScrollBar.vertical.policy: ScrollBar.AsNeeded
    ScrollBar.horizontal.policy: ScrollBar.AlwaysOff
    contentWidth: availableWidth

    // as wide as the other tabs' labels, so that every tab's controls line up
    component RowLabel: Text {
        width: 230
        height: 30
        verticalAlignment: Text.AlignVCenter
        font.pixelSize: panel.winFontSize.normal
        color: panel.winColor.bodyText
    }

    component SettingRow: Row {
        spacing: 20
        height: 30
    }

    Column {
        width: panel.availableWidth
        spacing: 20

        SettingRow {
            RowLabel { text: qsTr("开机自启动") }
            SwitchButton {
                objectName: "autoRunSwitch"
                width: 54
                height: 24
                anchors.verticalCenter: parent.verticalCenter
                tip: qsTr("开启后，软件将开机时自动运行")
                checked: $state.autoRunWhenPowerOn
                onClicked: Global.run("openAutoRunWhenPowerOn", [!checked])
            }
        }

        SettingRow {
            RowLabel { text: qsTr("语言") }
            DropSelect {
                id: languageSelect
                objectName: "languageSelect"
                width: 200
                textRole: "key"
                valueRole: "value"
                model: [{ "key": "简体中文", "value": "zh" }, { "key": "English", "value": "en" },
                        { "key": "繁體中文", "value": "zh-Hant" }]
                Component.onCompleted: {
                    panel.defaultLang = panel.indexOfValue(model, $state.language)
                    currentIndex = panel.defaultLang
                }
                onActivated: {
                    if (index !== panel.defaultLang)
                        changeLanguageWin.open()
                }
            }
        }

        SettingRow {
            RowLabel { text: qsTr("外观") }
            DropSelect {
                id: themeSelect
                objectName: "themeSelect"
                width: 200
                textRole: "key"
                valueRole: "value"
                model: [{ "key": qsTr("跟随系统"), "value": "0" }, { "key": qsTr("浅色模式"), "value": "1" },
                        { "key": qsTr("深色模式"), "value": "2" }]
                currentIndex: panel.indexOfValue(model, String($state.appThemeMode))
                onActivated: Global.run("setAppColorThemeMode", [parseInt(currentValue)])
            }
        }

        SettingRow {
            RowLabel { text: qsTr("OpenGL模式") }
            DropSelect {
                id: openglSelect
                objectName: "openglSelect"
                width: 200
                enabled: panel.isWin || panel.isLinux
                textRole: "key"
                valueRole: "value"
                model: [{ "key": "Auto(Default)", "value": "auto" }, { "key": "Desktop", "value": "desktop" },
                        { "key": "OpenGL ES", "value": "opengles" }, { "key": "Software", "value": "software" }]
                Component.onCompleted: {
                    panel.defaultOpenGL = Math.max(0, panel.indexOfValue(model, $state.openglMode))
                    currentIndex = panel.defaultOpenGL
                }
                onActivated: {
                    if (index !== panel.defaultOpenGL)
                        changeOpenglModeWin.open()
                }
            }
        }

        SettingRow {
            RowLabel { text: qsTr("字体大小") }
            Row {
                spacing: 8
                anchors.verticalCenter: parent.verticalCenter
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("小")
                    font.pixelSize: 12
                    color: panel.winColor.bodyText
                }
                Slider {
                    id: fontSizeSlider
                    objectName: "fontSizeSlider"
                    width: 210
                    height: 28
                    from: -1
                    to: 2
                    stepSize: 1
                    snapMode: Slider.SnapAlways
                    value: $state.windowFontSize.level
                    onMoved: Global.run("changeFontSizeLevel", [value])
                    // the style's own colours in the light theme; its nearly black filled part
                    // vanishes on the dark background
                    palette.dark: panel.winColor.type === 1 ? panel.winColor.hlText : "#353637"
                    palette.midlight: panel.winColor.type === 1 ? panel.winColor.line4 : "#e3e3e3"

                    Repeater {
                        // tick marks at the inner steps
                        model: [75, 135]
                        Rectangle {
                            x: modelData
                            y: fontSizeSlider.height / 2 + 6
                            width: 1
                            height: 4
                            color: panel.winColor.line2
                        }
                    }
                }
                Text {
                    anchors.verticalCenter: parent.verticalCenter
                    text: qsTr("大")
                    font.pixelSize: 18
                    color: panel.winColor.bodyText
                }
            }
        }

        SettingRow {
            RowLabel { text: qsTr("缓存") }
            TitleButton {
                objectName: "clearCacheBtn"
                // grows with a longer translation or a larger font instead of eliding
                autoWidth: true
                width: Math.max(140, implicitWidth)
                height: 30
                radius: 5
                title: qsTr("清理全部缓存")
                fontSize: panel.winFontSize.normal
                normalBgColor: panel.winColor.mainBtnNormal
                hoverBgColor: panel.winColor.mainBtnHover
                onClicked: Global.run("clearCache", [])
            }
        }

        Column {
            width: parent.width
            spacing: 10
            Rectangle { width: parent.width; height: 1; color: panel.winColor.divider }
            Text {
                text: qsTr("快速复制翻译")
                font.pixelSize: panel.winFontSize.medium
                font.bold: true
                color: panel.winColor.h1Text
            }
            Rectangle { width: parent.width; height: 1; color: panel.winColor.divider }
        }

        SettingRow {
            RowLabel { text: qsTr("是否开启") }
            SwitchButton {
                objectName: "copyTransCCSwitch"
                width: 54
                height: 24
                anchors.verticalCenter: parent.verticalCenter
                tip: qsTr("开启后，能够通过快捷键进行快速翻译复制内容")
                checked: $state.copyTransCCOpen
                onClicked: Global.run("switchCopyTransCC", [!checked, "setting"])
            }
        }

        SettingRow {
            RowLabel { text: qsTr("使用快捷键") }
            Text {
                height: 30
                verticalAlignment: Text.AlignVCenter
                text: panel.isWin || panel.isLinux ? "Ctrl + C + C" : "Command + C + C"
                font.pixelSize: panel.winFontSize.normal
                color: panel.winColor.bodyText
            }
        }
    }

    QuestionWindow {
        id: changeLanguageWin
        objectName: "changeLanguageWin"
        parent: Overlay.overlay
        type: "info"
        title: qsTr("提示")
        message: qsTr("更改语言需要重新启动Parlavine才能生效")
        sureBtnText: qsTr("现在重启")
        cancelBtnText: qsTr("取消")
        onSureTap: Global.run("changeLanguage", [languageSelect.currentValue])
        onCancelTap: languageSelect.currentIndex = panel.defaultLang
    }

    QuestionWindow {
        id: changeOpenglModeWin
        objectName: "changeOpenglModeWin"
        parent: Overlay.overlay
        title: qsTr("OpenGL修改后，会影响软件的渲染，确定修改吗？")
        message: qsTr("需要重新启动Parlavine才能生效")
        sureBtnText: qsTr("现在重启")
        cancelBtnText: qsTr("取消")
        onSureTap: Global.run("changeOpenGLMode", [openglSelect.currentValue])
        onCancelTap: openglSelect.currentIndex = panel.defaultOpenGL
    }
}
