import QtQuick 2.14
import QtGraphicalEffects 1.14

// A loading box over the page that swallows every mouse event while it shows.
Item {
    id: container
    property string title: ""
    property var winColor: $state.windowColor

    MouseArea {
        anchors.fill: parent
        hoverEnabled: true
        acceptedButtons: Qt.AllButtons
        preventStealing: true
        onWheel: wheel.accepted = true
    }

    DropShadow {
        anchors.fill: loadingRect
        source: loadingRect
        color: container.winColor.HUDShadow
        radius: 8
        samples: 17
    }

    RectLoading {
        id: loadingRect
        anchors.centerIn: parent
        width: 160
        height: 140
        radius: 8
        size: 64
        textMargin: 8
        title: container.title
        running: container.visible
        bgColor: container.winColor.contentBG2
    }
}
