import QtQuick 2.14
import "../term"

RepoAddGroupPop {
    objectName: "termSentAddGroupPop"
    controller: $dispatch.Ctrl_TermSent
    title: qsTr("创建例句库")
    namePlaceholder: qsTr("例句库名称")
}
