import QtQuick 2.14
import QtGraphicalEffects 1.14

// A picture cut to the disc that fills this item.
Item {
    id: picture
    property Item source

    Rectangle {
        id: disc
        anchors.fill: parent
        radius: width / 2
        visible: false
    }

    OpacityMask {
        anchors.fill: parent
        source: picture.source
        maskSource: disc
    }
}
