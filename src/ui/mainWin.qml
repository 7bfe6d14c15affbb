import QtQuick 2.14
import QtQuick.Window 2.14

Window {
    id: root
    objectName: "mainWindow"
    title: "Parlavine"
    width: 1000
    height: 640
    visible: true

    Text {
        anchors.centerIn: parent
        text: "Parlavine"
        font.pixelSize: 24
    }
}
