import QtQuick 2.14

// The loading indicator with fixed colours, for windows that do not follow the theme.
RectLoading {
    textMargin: 5
    bgColor: "white"
    _textColor: textColor
    property color textColor: "#333333"
}
