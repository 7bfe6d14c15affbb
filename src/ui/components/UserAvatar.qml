import QtQuick 2.14

// The user's picture in a disc, or the first letter of the user name on a plain disc.
Item {
    id: container
    property string pureColor: $state.windowColor.avatar
    property int fontSize: $state.windowFontSize.large
    property string tip: ""
    property bool disableMouseArea: false
    property bool hovered: false
    readonly property string _logo: $state.userLogo
    readonly property string _name: $state.userName

    signal clicked()

    implicitWidth: height
    implicitHeight: 32

    Rectangle {
        id: disc
        anchors.fill: parent
        radius: width / 2
        color: container.pureColor
        visible: logo.status !== Image.Ready

        Text {
            objectName: "avatarLetter"
            anchors.centerIn: parent
            text: container._name !== "" ? container._name.charAt(0).toUpperCase() : ""
            textFormat: Text.PlainText
            color: "#fff"
            font.pixelSize: container.fontSize
            font.bold: true
        }

        IconImage {
            anchors.centerIn: parent
            visible: container._name === ""
            icon: 0xe80b
            size: container.fontSize
            color: "#fff"
        }
    }

    Image {
        id: logo
        anchors.fill: parent
        source: container._logo
        visible: false
        fillMode: Image.PreserveAspectCrop
    }

    // Built once there is a picture to cut: the effects it needs cost the start nothing.
    Loader {
        objectName: "avatarPicture"
        anchors.fill: parent
        active: logo.status === Image.Ready
        source: "RoundPicture.qml"
        onLoaded: item.source = logo
    }

    MouseArea {
        anchors.fill: parent
        enabled: !container.disableMouseArea
        hoverEnabled: true
        cursorShape: Qt.PointingHandCursor
        onEntered: container.hovered = true
        onExited: container.hovered = false
        onPressed: tipText.dismiss()
        onClicked: container.clicked()
    }

    PToolTip {
        id: tipText
        text: container.tip
        delay: 1000
        timeout: 3000
        x: container.width + 4
        y: (container.height - height) / 2
        wanted: container.hovered && container.tip !== ""
    }
}
