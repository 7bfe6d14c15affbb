import QtQuick 2.14
import QtQuick.Controls 2.14

// A drawn menu in the theme's colours, as wide as its widest entry (shortcuts included) so that
// no entry is cut off in a longer language.
Menu {
    id: menu
    property int minWidth: 120

    width: {
        var widest = minWidth
        for (var i = 0; i < count; ++i) {
            var entry = itemAt(i)
            if (entry)
                widest = Math.max(widest, entry.implicitWidth)
        }
        return widest + leftPadding + rightPadding
    }

    background: Rectangle {
        implicitWidth: menu.minWidth
        radius: 5
        color: $state.windowColor.selectBG
        border.width: 1
        border.color: $state.windowColor.line
    }
}
