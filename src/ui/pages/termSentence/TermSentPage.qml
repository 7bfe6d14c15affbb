import QtQuick 2.14
import TableModel 1.0
import "../term"

// The translation-memory window "termSent".
RepoPage {
    objectName: "termSentPage"
    windowName: "termSent"
    showFlag: "showTermSentWindow"
    controller: $dispatch.Ctrl_TermSent
    prefix: "termSentRepo"
    listBusy: 801
    title: qsTr("例句库")
    texts: ({
        "note": qsTr("*创建的例句对将在后续译文中根据匹配相似度进行智能融合"),
        "loading": qsTr("例句库查询中..."),
        "addEntry": qsTr("添加例句"),
        "deleteEntry": qsTr("删除例句"),
        "noEntry": qsTr("暂无例句"),
        "noSelection": qsTr("暂未选择例句库"),
        "noMatch": qsTr("暂无匹配例句库"),
        "noRepo": qsTr("暂无例句库"),
        "count": qsTr("例句对："),
        "createRepo": qsTr("创建例句库")
    })
    repoModel: TermSentRepoTableModel {}
    detailModel: TermSentDetailTableModel {}
    groupPop: Component { TermSentAddGroupPop {} }
    entryPop: Component { TermSentAddSentPop {} }
}
