import QtQuick 2.14
import TableModel 1.0

// The terminology window "term".
RepoPage {
    objectName: "termPage"
    windowName: "term"
    showFlag: "showTermWindow"
    controller: $dispatch.Ctrl_Term
    prefix: "termRepo"
    listBusy: 601
    title: qsTr("术语库")
    texts: ({
        "note": qsTr("*创建的术语对将在后续译文中进行直接替换"),
        "loading": qsTr("术语库查询中..."),
        "addEntry": qsTr("添加术语"),
        "deleteEntry": qsTr("删除术语"),
        "noEntry": qsTr("暂无术语"),
        "noSelection": qsTr("暂未选择术语库"),
        "noMatch": qsTr("暂无匹配术语库"),
        "noRepo": qsTr("暂无术语库"),
        "count": qsTr("术语对："),
        "createRepo": qsTr("创建术语库")
    })
    repoModel: TermRepoTableModel {}
    detailModel: TermDetailTableModel {}
    groupPop: Component { TermAddGroupPop {} }
    entryPop: Component { TermAddPairPop {} }
}
