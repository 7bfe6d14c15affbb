import QtQuick 2.14

// Shows the huds of $state.windowHud addressed to windowName, each once.
Item {
    id: container
    property string windowName: ""
    property var _callTags: ({})
    property var _popups: []

    anchors.fill: parent

    function hudChange() {
        var huds = $state.windowHud
        for (var i = 0; i < huds.length; ++i) {
            var hud = huds[i]
            if (hud.window !== windowName || _callTags.hasOwnProperty(hud.tag))
                continue
            _callTags[hud.tag] = true
            var props = { "title": hud.title, "message": hud.message, "type": hud.type,
                          "hudTag": hud.tag, "autoDestroy": true }
            if (!hud.lite) {
                props.sureBtnText = hud.sureBtnText
                props.cancelBtnText = hud.cancelBtnText
            }
            var component = Qt.createComponent(hud.lite ? "QuestionWindowLite.qml" : "QuestionWindow.qml")
            if (component.status !== Component.Ready)
                continue
            var popup = component.createObject(container, props)
            _popups.push(popup)
            popup.open()
        }
    }

    Connections {
        target: $state
        function onWindowHudChange() { container.hudChange() }
    }

    Component.onCompleted: hudChange()
    Component.onDestruction: {
        for (var i = 0; i < _popups.length; ++i) {
            // a popup that closed already has destroyed itself
            if (_popups[i] && typeof _popups[i].close === "function") {
                _popups[i].autoDestroy = false
                _popups[i]._btnTap = true
                _popups[i].close()
                _popups[i].destroy()
            }
        }
    }
}
