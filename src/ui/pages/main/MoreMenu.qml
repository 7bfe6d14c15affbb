import QtQuick 2.14
import QtQuick.Controls 2.14
import Qt.labs.platform 1.1 as Labs
import "../../components"

// The sidebar's "more" menu: our own drawn menu, or the platform's menu where there is one.
Item {
    id: more
    readonly property bool platformMenu: $state.platform === "win"
    readonly property bool userLogined: $state.userLogined

    signal action(string name)

    function open(button) {
        if (platformMenu)
            nativeMenu.item.open()
        else
            drawnMenu.popup(button, button.width + 4, button.height - drawnMenu.implicitHeight)
    }

    PMenu {
        id: drawnMenu
        objectName: "moreMenu"
        minWidth: 138
        padding: 6
        PMenuItem { objectName: "settingItem"; pwidth: 128; pheight: 36; text: qsTranslate("MainSidebar", "设置"); onClicked: more.action("setting") }
        PMenuSeparator {}
        PMenuItem { pwidth: 128; pheight: 36; text: qsTranslate("MainSidebar", "吐个槽"); onClicked: more.action("feedback") }
        PMenuItem { pwidth: 128; pheight: 36; text: qsTranslate("MainSidebar", "反馈KX群"); onClicked: more.action("chatGroup") }
        PMenuSeparator {}
        PMenuItem { objectName: "aboutItem"; pwidth: 128; pheight: 36; text: qsTranslate("MainSidebar", "关于Parlavine"); onClicked: more.action("about") }
        PMenuSeparator { visible: more.userLogined; height: visible ? implicitHeight : 0 }
        PMenuItem { pwidth: 128; pheight: 36; text: qsTranslate("MainSidebar", "注销"); visible: more.userLogined; height: visible ? pheight : 0; onClicked: more.action("logout") }
        PMenuSeparator {}
        PMenuItem { objectName: "quitItem"; pwidth: 128; pheight: 36; text: qsTranslate("MainSidebar", "退出"); onClicked: more.action("quit") }
    }

    Loader {
        id: nativeMenu
        active: more.platformMenu
        sourceComponent: Component {
            Labs.Menu {
                Labs.MenuItem { text: qsTranslate("MainSidebar", "设置"); onTriggered: more.action("setting") }
                Labs.MenuSeparator {}
                Labs.MenuItem { text: qsTranslate("MainSidebar", "吐个槽"); onTriggered: more.action("feedback") }
                Labs.MenuItem { text: qsTranslate("MainSidebar", "反馈KX群"); onTriggered: more.action("chatGroup") }
                Labs.MenuSeparator {}
                Labs.MenuItem { text: qsTranslate("MainSidebar", "关于Parlavine"); onTriggered: more.action("about") }
                Labs.MenuSeparator { visible: more.userLogined }
                Labs.MenuItem { text: qsTranslate("MainSidebar", "注销"); visible: more.userLogined; onTriggered: more.action("logout") }
                Labs.MenuSeparator {}
                Labs.MenuItem { text: qsTranslate("MainSidebar", "退出"); onTriggered: more.action("quit") }
            }
        }
    }
}
