import QtQuick 2.14

// A pager: previous, the first page, the pages around the current one with gaps, the last page, next.
Row {
    id: container
    property int pageCount: 0
    property var _datas: []
    property int _currentPage: 0

    signal pageSelect(int page)

    spacing: 5

    function _entries(current) {
        var list = []
        if (pageCount <= 0)
            return list
        var last = pageCount - 1
        list.push({ "type": "head", "page": Math.max(current - 1, 0), "selected": false, "enabled": current > 0 })
        // at most 7 numbers: the first, the last and a window around the current page
        var from = Math.max(1, Math.min(current - 2, last - 5))
        var to = Math.min(last - 1, Math.max(current + 2, 5))
        list.push({ "type": "num", "page": 0, "selected": current === 0, "enabled": true })
        if (from > 1)
            list.push({ "type": "segHead", "page": Math.max(from - 3, 1), "selected": false, "enabled": true })
        for (var p = from; p <= to; ++p)
            list.push({ "type": "num", "page": p, "selected": current === p, "enabled": true })
        if (to < last - 1)
            list.push({ "type": "segTail", "page": Math.min(to + 3, last - 1), "selected": false, "enabled": true })
        if (last > 0)
            list.push({ "type": "num", "page": last, "selected": current === last, "enabled": true })
        list.push({ "type": "tail", "page": Math.min(current + 1, last), "selected": false, "enabled": current < last })
        return list
    }

    function init() {
        _currentPage = 0
        _datas = _entries(0)
    }

    function updatePage(page) {
        _currentPage = page
        _datas = _entries(page)
        pageSelect(page)
    }

    onPageCountChanged: init()
    Component.onCompleted: init()

    Repeater {
        model: 11
        Loader {
            active: index < container._datas.length
            sourceComponent: PageSeparatorItem {
                modelData: container._datas[index]
                onUpdatePage: container.updatePage(page)
            }
        }
    }
}
