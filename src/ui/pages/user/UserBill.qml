import QtQuick 2.14
import QtQuick.Controls 2.14
import TableModel 1.0
import "../../components"

// The user's own costs per day between two dates, asked for again whenever a date changes.
// The query sends the granularity ("day") and the dates as yyyymmdd integers.
Item {
    id: userBill
    property real yScale: $state.windowHeightScale
    property var winColor: $state.windowColor
    property var winFontSize: $state.windowFontSize
    property bool _startTimeActived: false
    property bool _endTimeActived: false
    readonly property int today: dateNum(new Date())
    property int _startTime: daysBefore(30)
    property int _endTime: today
    property string _type: "day"
    readonly property bool loading: $state.userBillRecordStatus === 1

    function dateNum(date) {
        return date.getFullYear() * 10000 + (date.getMonth() + 1) * 100 + date.getDate()
    }

    function dateText(num) {
        var month = Math.floor(num / 100) % 100
        var day = num % 100
        return Math.floor(num / 10000) + "-" + (month < 10 ? "0" : "") + month + "-" + (day < 10 ? "0" : "") + day
    }

    function daysBefore(days) {
        var day = new Date()
        day.setDate(day.getDate() - days)
        return dateNum(day)
    }

    function query() {
        $dispatch.run($dispatch.Ctrl_UserInfo, "fetchUserCostRecord", [_type, _startTime, _endTime])
    }

    Component.onCompleted: query()

    component FilterLabel: Text {
        height: 34
        verticalAlignment: Text.AlignVCenter
        textFormat: Text.PlainText
        font.pixelSize: userBill.winFontSize.normal
        color: userBill.winColor.titleText
    }

    // A date that opens a calendar below itself.
    component DateButton: Rectangle {
        id: dateButton
        property int date: 0
        property int startLimit: 20130101
        property int endLimit: 21000101
        property bool active: false
        signal picked(int date)
        width: 120
        height: 34
        radius: 4
        color: userBill.winColor.selectBG
        border.width: 1
        border.color: active ? "#0052d9" : userBill.winColor.inputBorder

        Text {
            anchors.centerIn: parent
            text: userBill.dateText(dateButton.date)
            textFormat: Text.PlainText
            font.pixelSize: userBill.winFontSize.normal
            color: userBill.winColor.selectText
        }
        MouseArea {
            anchors.fill: parent
            cursorShape: Qt.PointingHandCursor
            onClicked: dateButton.active = true
        }
        onActiveChanged: active ? calendarPop.open() : calendarPop.close()
        Popup {
            id: calendarPop
            objectName: "calendarPop"
            y: dateButton.height + 4
            // moved left where it would pass the window's edge
            margins: 8
            focus: true
            padding: 1
            // as wide as the calendar, whose own width is wider
            contentWidth: 300
            onClosed: dateButton.active = false
            background: Rectangle { color: userBill.winColor.selectBG; border.color: userBill.winColor.line4; radius: 4 }
            Calendar {
                objectName: "calendar"
                width: 300
                curDate: dateButton.date
                startLimit: dateButton.startLimit
                endLimit: dateButton.endLimit
                onSelectDate: {
                    dateButton.active = false
                    dateButton.picked(dateNum)
                }
            }
        }
    }

    // Wraps where a language's labels are too long for one line.
    Flow {
        id: filterRow
        anchors.top: parent.top
        anchors.topMargin: 20 * userBill.yScale
        anchors.left: parent.left
        anchors.leftMargin: 30
        anchors.right: parent.right
        anchors.rightMargin: 20
        spacing: 24

        Text {
            height: 34
            verticalAlignment: Text.AlignVCenter
            text: qsTr("账单")
            textFormat: Text.PlainText
            font.pixelSize: userBill.winFontSize.large
            font.bold: true
            color: userBill.winColor.h1Text
        }
        Row {
            spacing: 10
            FilterLabel { text: qsTr("账单主体") }
            DropSelect {
                width: 110
                height: 34
                model: [{ "key": qsTr("我自己"), "value": "self" }]
                textRole: "key"
                valueRole: "value"
                currentIndex: 0
            }
        }
        Row {
            spacing: 10
            FilterLabel { text: qsTr("粒度") }
            FilterLabel { text: qsTr("天"); color: userBill.winColor.bodyText }
        }
        Row {
            spacing: 10
            FilterLabel { text: qsTr("日期") }
            DateButton {
                objectName: "startDate"
                date: userBill._startTime
                endLimit: userBill._endTime
                onActiveChanged: userBill._startTimeActived = active
                onPicked: {
                    userBill._startTime = date
                    userBill.query()
                }
            }
            FilterLabel { text: "-" }
            DateButton {
                objectName: "endDate"
                date: userBill._endTime
                startLimit: userBill._startTime
                endLimit: userBill.today
                onActiveChanged: userBill._endTimeActived = active
                onPicked: {
                    userBill._endTime = date
                    userBill.query()
                }
            }
        }
    }

    Rectangle {
        id: table
        anchors.top: filterRow.bottom
        anchors.topMargin: 16 * userBill.yScale
        anchors.left: parent.left
        anchors.leftMargin: 30
        anchors.right: parent.right
        anchors.rightMargin: 20
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 20
        color: "transparent"
        border.width: 1
        border.color: userBill.winColor.line4

        Rectangle {
            id: header
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: parent.top
            anchors.margins: 1
            height: 36
            color: userBill.winColor.contentBG2
            Row {
                anchors.fill: parent
                Repeater {
                    model: [qsTr("日期"), qsTr("费用")]
                    Text {
                        width: header.width / 2
                        height: header.height
                        leftPadding: 16
                        verticalAlignment: Text.AlignVCenter
                        text: modelData
                        textFormat: Text.PlainText
                        font.pixelSize: userBill.winFontSize.normal
                        font.bold: true
                        color: userBill.winColor.bodyText
                    }
                }
            }
        }

        ListView {
            id: rows
            objectName: "billRows"
            anchors.left: parent.left
            anchors.right: parent.right
            anchors.top: header.bottom
            anchors.bottom: parent.bottom
            anchors.margins: 1
            clip: true
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {}
            model: UserBillTableModel {}
            delegate: Rectangle {
                width: rows.width
                height: 36
                color: index % 2 ? userBill.winColor.contentBG2 : "transparent"
                Row {
                    anchors.fill: parent
                    Repeater {
                        model: [costTime, costValue]
                        Text {
                            width: rows.width / 2
                            height: 36
                            leftPadding: 16
                            verticalAlignment: Text.AlignVCenter
                            text: modelData
                            textFormat: Text.PlainText
                            font.pixelSize: userBill.winFontSize.normal
                            color: userBill.winColor.bodyText
                        }
                    }
                }
            }
        }

        Column {
            objectName: "noBillRecord"
            anchors.centerIn: rows
            visible: rows.count === 0 && !userBill.loading
            spacing: 4
            Image {
                anchors.horizontalCenter: parent.horizontalCenter
                source: "../../../assets/empty.png"
                width: 80
                height: 80
                fillMode: Image.PreserveAspectFit
            }
            Text {
                anchors.horizontalCenter: parent.horizontalCenter
                text: qsTr("暂无记录")
                textFormat: Text.PlainText
                font.pixelSize: userBill.winFontSize.normal
                color: userBill.winColor.bodyTextLite
            }
        }

        RectLoading {
            anchors.centerIn: rows
            width: 120
            height: 80
            size: 40
            running: userBill.loading
            visible: running
        }
    }
}
