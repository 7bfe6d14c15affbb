import QtQuick 2.14

RepoAddGroupPop {
    objectName: "termAddGroupPop"
    controller: $dispatch.Ctrl_Term
    title: qsTr("创建术语库")
    namePlaceholder: qsTr("术语库名称")
}
