import QtQuick 2.14

IconTextButton {
    verticalAlign: true
    iconHeight: 30
}
