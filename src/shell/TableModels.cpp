#include "shell/TableModels.h"

#include "shell/FileTransTableModel.h"
#include "shell/TermDetailTableModel.h"
#include "shell/TermRepoTableModel.h"
#include "shell/TermSentDetailTableModel.h"
#include "shell/TermSentRepoTableModel.h"
#include "shell/TextTransTableModel.h"
#include "shell/UserBillTableModel.h"

#include <QQmlEngine>

void registerTableModels()
{
    const char* uri = "TableModel";
    qmlRegisterType<TextTransTableModel>(uri, 1, 0, "TextTransTableModel");
    qmlRegisterType<FileTransTableModel>(uri, 1, 0, "FileTransTableModel");
    qmlRegisterType<UserBillTableModel>(uri, 1, 0, "UserBillTableModel");
    qmlRegisterType<TermSentRepoTableModel>(uri, 1, 0, "TermSentRepoTableModel");
    qmlRegisterType<TermSentDetailTableModel>(uri, 1, 0, "TermSentDetailTableModel");
    qmlRegisterType<TermRepoTableModel>(uri, 1, 0, "TermRepoTableModel");
    qmlRegisterType<TermDetailTableModel>(uri, 1, 0, "TermDetailTableModel");
}
