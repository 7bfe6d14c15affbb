import QtQuick 2.14
import "../term"

RepoEntryPop {
    objectName: "termSentAddSentPop"
    controller: $dispatch.Ctrl_TermSent
    editTitle: qsTr("修改例句")
    addTitle: qsTr("创建例句")
    sourcePlaceholder: qsTr("请输入例句原文")
    targetPlaceholder: qsTr("请输入例句译文")
}
