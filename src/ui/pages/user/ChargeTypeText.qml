import QtQuick 2.14

// How a billing subject is charged, in words.
Text {
    property string chargeType: ""
    text: chargeType === "pre" ? qsTr("预付费") : chargeType === "post" ? qsTr("后付费")
                               : chargeType === "month" ? qsTr("包月") : "-"
    textFormat: Text.PlainText
}
