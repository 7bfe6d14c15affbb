import QtQuick 2.14

// Stands in for a page whose document is not part of this build.
Item {
    function onShow() {}
    function onHide() {}
}
