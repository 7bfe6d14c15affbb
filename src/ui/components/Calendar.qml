import QtQuick 2.14
import QtQuick.Layouts 1.15
import Qt.labs.calendar 1.0

// A month picker; dates are ints yyyymmdd.
Rectangle {
    id: container
    property int curDate: 20220101
    property int startLimit: 20130101
    property int endLimit: 21000101
    property int _curYear: 2022
    property int _curMonth: 1
    property int _curDay: 1
    property var winFontSize: $state.windowFontSize
    property var winColor: $state.windowColor
    readonly property var uiLocale: Qt.locale($state.language === "en" ? "en_US" : "zh_CN")

    signal selectDate(int dateNum)

    function _showDate(dateNum) {
        // a date still being bound reads 0: keep the month shown
        if (dateNum < 10101)
            return
        _curYear = Math.floor(dateNum / 10000)
        _curMonth = Math.floor(dateNum / 100) % 100
        _curDay = dateNum % 100
    }

    function _stepMonth(months) {
        var m = _curYear * 12 + (_curMonth - 1) + months
        _curYear = Math.floor(m / 12)
        _curMonth = m % 12 + 1
    }

    color: winColor.selectBG
    implicitWidth: 320
    implicitHeight: header.height + dayRow.height + grid.height + 8

    onVisibleChanged: {
        if (visible)
            _showDate(curDate)
    }
    onCurDateChanged: _showDate(curDate)
    Component.onCompleted: _showDate(curDate)

    GridLayout {
        id: header
        width: parent.width
        height: 32
        columns: 5
        columnSpacing: 0

        IconButton { objectName: "prevYear"; Layout.preferredWidth: 80; size: 14; icon: 0xe64c; onClicked: container._stepMonth(-12) }
        IconButton { objectName: "prevMonth"; size: 14; icon: 0xe712; onClicked: container._stepMonth(-1) }
        Text {
            objectName: "calendarTitle"
            Layout.fillWidth: true
            horizontalAlignment: Text.AlignHCenter
            text: container._curYear + qsTr("年") + " " + container._curMonth + qsTr("月")
            font.pixelSize: container.winFontSize.normal
            color: container.winColor.bodyText
        }
        IconButton { objectName: "nextMonth"; size: 14; icon: 0xe718; onClicked: container._stepMonth(1) }
        IconButton { objectName: "nextYear"; Layout.preferredWidth: 80; size: 14; icon: 0xe64e; onClicked: container._stepMonth(12) }
    }

    DayOfWeekRow {
        id: dayRow
        anchors.top: header.bottom
        anchors.left: grid.left
        anchors.right: grid.right
        locale: grid.locale
        font.pixelSize: container.winFontSize.small
        delegate: Text {
            text: model.shortName
            font: dayRow.font
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            color: container.winColor.bodyText
        }
    }

    WeekNumberColumn {
        id: weekColumn
        anchors.top: dayRow.bottom
        anchors.left: parent.left
        anchors.bottom: grid.bottom
        month: grid.month
        year: grid.year
        locale: grid.locale
        font.pixelSize: container.winFontSize.small
        delegate: Text {
            text: model.weekNumber
            font: weekColumn.font
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            color: container.winColor.bodyText2
        }
    }

    MonthGrid {
        id: grid
        objectName: "monthGrid"
        anchors.top: dayRow.bottom
        anchors.left: weekColumn.right
        anchors.right: parent.right
        month: container._curMonth - 1
        year: container._curYear
        locale: container.uiLocale

        delegate: Text {
            objectName: "day_" + dateNum
            readonly property int dateNum: model.year * 10000 + (model.month + 1) * 100 + model.day
            readonly property bool selectable: dateNum >= container.startLimit && dateNum <= container.endLimit
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: model.day
            font.pixelSize: container.winFontSize.normal
            font.bold: dateNum === container.curDate
            // days of the neighbouring months read as dimmed too
            color: dateNum === container.curDate ? container.winColor.hlText
                   : selectable && model.month === grid.month ? container.winColor.h1Text : container.winColor.dimText
        }

        // The grid hands the day over as midnight UTC: read it in UTC, or west of Greenwich
        // it is still the day before.
        onClicked: {
            var dateNum = date.getUTCFullYear() * 10000 + (date.getUTCMonth() + 1) * 100 + date.getUTCDate()
            if (dateNum >= container.startLimit && dateNum <= container.endLimit)
                container.selectDate(dateNum)
        }
    }
}
