import QtQuick 2.14
import QtQuick.Controls 2.14

MenuSeparator {
    padding: 0
    topPadding: 2
    bottomPadding: 2
    contentItem: Rectangle {
        implicitHeight: 1
        color: $state.windowColor.line
    }
}
