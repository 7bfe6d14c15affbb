import QtQuick 2.14

// One entry of PageSeparator: a page number, the previous/next arrows or a gap.
BorderIconButton {
    id: item
    property var modelData: null
    property var _modelData: modelData || ({ "type": "num", "page": 0, "selected": false, "enabled": false })
    readonly property bool _isNum: _modelData.type === "num"
    readonly property bool _isGap: _modelData.type === "segHead" || _modelData.type === "segTail"

    signal updatePage(int page)

    height: 30
    size: 14
    isIcon: !_isNum
    text: _isNum ? String(_modelData.page + 1) : _modelData.type === "head" ? "0xe712"
                                               : _modelData.type === "tail" ? "0xe718" : "0xe618"
    enable: _modelData.enabled
    hoverColor: winColor.hlText
    borderHoverColor: winColor.hlText
    normalColor: _isNum && _modelData.selected ? winColor.hlText : winColor.borderIconBtnNormal
    borderNormalColor: _isNum && _modelData.selected ? winColor.hlText : winColor.borderIconBtnBorder
    borderWidth: _isGap ? 0 : 1

    onClicked: {
        if (_modelData.enabled)
            updatePage(_modelData.page)
    }
}
