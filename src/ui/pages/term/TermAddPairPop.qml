import QtQuick 2.14

RepoEntryPop {
    objectName: "termAddPairPop"
    controller: $dispatch.Ctrl_Term
    editTitle: qsTr("修改术语")
    addTitle: qsTr("创建术语")
    sourcePlaceholder: qsTr("请输入术语原文")
    targetPlaceholder: qsTr("请输入术语译文")
}
