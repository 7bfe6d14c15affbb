#include "core/Dispatch.h"
#include "core/State.h"
#include "shell/FileTransTableModel.h"
#include "shell/TermDetailTableModel.h"
#include "shell/TermRepoTableModel.h"
#include "shell/TermSentDetailTableModel.h"
#include "shell/TermSentRepoTableModel.h"
#include "shell/TextTransTableModel.h"
#include "shell/UserBillTableModel.h"

#include <QDateTime>
#include <QSignalSpy>
#include "TestMain.h"

#include <QtTest>

#include <memory>

namespace {

QVariant roleValue(const QAbstractItemModel& model, int row, const QByteArray& name)
{
    return model.data(model.index(row, 0), model.roleNames().key(name, -1));
}

// The twin repository kinds: where their State values live and which models show them.
struct RepoKind
{
    QVariantMap& (State::*map)();
    void (State::*mapAnnounced)(int);
    QString& (State::*searchText)();
    void (State::*searchAnnounced)();
    QString& (State::*curId)();
    int& (State::*page)();
    void (State::*detailAnnounced)(int);
    std::function<QAbstractItemModel*()> listModel;
    std::function<QAbstractItemModel*()> detailModel;
    QString trailEntry;
};

RepoKind termKind()
{
    return {&State::termRepoMapRef,      &State::termRepoListChange,   &State::termRepoSearchTextRef,
            &State::termRepoSearchTextChange, &State::termRepoCurIdRef, &State::termRepoSentPageRef,
            &State::termRepoDetailChange, [] { return new TermRepoTableModel; },
            [] { return new TermDetailTableModel; }, "Term_updateRepoSentences"};
}

RepoKind termSentKind()
{
    return {&State::termSentRepoMapRef,      &State::termSentRepoListChange,   &State::termSentRepoSearchTextRef,
            &State::termSentRepoSearchTextChange, &State::termSentRepoCurIdRef, &State::termSentRepoSentPageRef,
            &State::termSentRepoDetailChange, [] { return new TermSentRepoTableModel; },
            [] { return new TermSentDetailTableModel; }, "TermSent_updateRepoSentences"};
}

QVariantMap repo(const QString& name, const QString& created)
{
    return {{"name", name}, {"createTime", quint32(QDateTime::fromString(created, "yyyy-MM-dd HH:mm:ss").toSecsSinceEpoch())}};
}

QStringList names(const QAbstractItemModel& model)
{
    QStringList result;
    for (int row = 0; row < model.rowCount(); ++row)
        result << roleValue(model, row, "repoName").toString();
    return result;
}

} // namespace

Q_DECLARE_METATYPE(RepoKind)

class TestTableModels : public QObject
{
    Q_OBJECT
private:
    void repoKinds()
    {
        QTest::addColumn<RepoKind>("kind");
        QTest::newRow("term") << termKind();
        QTest::newRow("memory") << termSentKind();
    }

private slots:
    void textHistoryRowsAndRoles()
    {
        State* state = State::instance();
        state->setLanguage("zh");
        state->setTextTransLangData({{"en", QVariantMap{{"name", "英语"}, {"enName", "English"}}},
                                     {"zh", QVariantMap{{"name", "中文"}, {"enName", "Chinese"}}}});
        state->textTransHistory = {QVariantMap{{"id", 7}, {"text", "a\nb"}, {"sourceLang", "chinese"},
                                               {"targetLang", "english"}, {"type", "image"}},
                                   QVariantMap{{"id", 8}, {"text", "c"}, {"sourceLang", "klingon"},
                                               {"targetLang", "english"}}};
        TextTransTableModel model;
        QSignalSpy layout(&model, &QAbstractItemModel::layoutChanged);

        QCOMPARE(roleValue(model, 0, "itemId"), QVariant("7"));
        QCOMPARE(roleValue(model, 0, "display"), QVariant("a b"));
        QCOMPARE(roleValue(model, 0, "switchPairText"), QVariant("中文→英语"));
        QCOMPARE(roleValue(model, 0, "imageIcon"), QVariant(true));
        QCOMPARE(roleValue(model, 1, "sourceType"), QVariant("auto"));
        QCOMPARE(roleValue(model, 1, "targetType"), QVariant("en"));
        QCOMPARE(roleValue(model, 1, "switchPairText"), QVariant("→英语"));
        state->setLanguage("en");
        QCOMPARE(roleValue(model, 1, "switchPairText"), QVariant("Klingon→English"));

        state->textTransHistory.prepend(QVariantMap{{"id", 6}, {"text", "new"}});
        emit state->textTransHistoryChange(0);
        QCOMPARE(layout.count(), 1);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(roleValue(model, 0, "display"), QVariant("new"));
        QCOMPARE(roleValue(model, 3, "display"), QVariant());
        state->textTransHistory.clear();
        state->setLanguage("zh");
    }

    void documentTasks_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("logo");
        QTest::newRow("docx") << "docx" << "doc";
        QTest::newRow("xlsx") << "xlsx" << "excel";
        QTest::newRow("png") << "png" << "image";
        QTest::newRow("PDF is not pdf") << "PDF" << "txt";
        QTest::newRow("xml") << "xml" << "txt";
    }

    void documentTasks()
    {
        QFETCH(QString, type);
        QFETCH(QString, logo);
        State* state = State::instance();
        state->fileTransLangDataRef() = {{"en", QVariantMap{{"name", "英语"}, {"enName", "English"}}}};
        FileTaskRecord task("f1", "a." + type);
        task.fileType = type;
        task.source_lang = "xx";
        task.target_lang = "en";
        task.progress = 40;
        state->fileTransHistory = {task};
        FileTransTableModel model;
        QCOMPARE(roleValue(model, 0, "logo"), QVariant(logo));
        QCOMPARE(roleValue(model, 0, "fileId"), QVariant("f1"));
        QCOMPARE(roleValue(model, 0, "source"), QVariant("→英语"));
        QCOMPARE(roleValue(model, 0, "progressNum"), QVariant(40));

        state->fileTransHistory.prepend(FileTaskRecord("f0", "b.txt"));
        emit state->fileTransHistoryChange(0);
        QCOMPARE(model.rowCount(), 2);
        QCOMPARE(roleValue(model, 0, "fileId"), QVariant("f0"));
        state->fileTransHistory.clear();
    }

    void billCostsReadAsMoney()
    {
        State* state = State::instance();
        state->userBillHistory = {QVariantMap{{"time", QDate(2024, 3, 5)}, {"cost", 1234567.0}},
                                  QVariantMap{{"time", QDate(2024, 3, 6)}, {"cost", 12.5}}};
        UserBillTableModel model;
        QCOMPARE(roleValue(model, 0, "costTime"), QVariant("2024-03-05"));
        QCOMPARE(roleValue(model, 0, "costValue"), QVariant("1234567.00元"));
        QCOMPARE(roleValue(model, 1, "costValue"), QVariant("12.50元"));
        state->userBillHistory.clear();
        emit state->userBillHistoryChange(0);
        QCOMPARE(model.rowCount(), 0);
    }

    void repositoryPages_data() { repoKinds(); }

    void repositoryPages()
    {
        QFETCH(RepoKind, kind);
        State* state = State::instance();
        QVariantList page;
        for (int i = 0; i < 4; ++i)
            page << QVariantMap{{"id", 10 + i}, {"source", QString("s%1").arg(i)}, {"target", QString("t%1").arg(i)}};
        (state->*kind.map)() = {{"r1", QVariantMap{{"sentences", QVariantMap{{"2", page}}}}}};
        (state->*kind.curId)() = "r1";
        (state->*kind.page)() = 2;
        std::unique_ptr<QAbstractItemModel> model(kind.detailModel());
        QSignalSpy layout(model.get(), &QAbstractItemModel::layoutChanged);

        QCOMPARE(model->rowCount(), 4);
        QCOMPARE(roleValue(*model, 3, "sentIndex"), QVariant(103));
        QCOMPARE(roleValue(*model, 3, "sentId"), QVariant("13"));
        QCOMPARE(roleValue(*model, 3, "targetText"), QVariant("t3"));

        (state->*kind.curId)() = "gone";
        emit(state->*kind.detailAnnounced)(0);
        QCOMPARE(layout.count(), 1);
        QCOMPARE(model->rowCount(), 0);
        (state->*kind.map)().clear();
        (state->*kind.curId)().clear();
    }

    void repositoryLists_data() { repoKinds(); }

    void repositoryLists()
    {
        QFETCH(RepoKind, kind);
        State* state = State::instance();
        std::unique_ptr<QAbstractItemModel> model(kind.listModel());
        QSignalSpy layout(model.get(), &QAbstractItemModel::layoutChanged);
        QVariantMap& map = (state->*kind.map)();
        const auto announce = [&] { emit(state->*kind.mapAnnounced)(0); };

        map = {{"a", repo("ABC", "2024-01-03 10:00:00")},
               {"b", repo("abc notes", "2024-01-01 10:00:00")},
               {"c", repo("later", "2024-01-03 10:00:00")}};
        announce();
        QCOMPARE(names(*model), QStringList({"abc notes", "ABC", "later"}));
        // The first load selects the oldest repository and asks for its entries.
        QCOMPARE((state->*kind.curId)(), QString("b"));
        QCOMPARE(Dispatch::instance()->recentActions().last(), kind.trailEntry);
        QCOMPARE(roleValue(*model, 2, "index"), QVariant(2));
        QCOMPARE(roleValue(*model, 2, "repoId"), QVariant("c"));

        (state->*kind.searchText)() = "abc";
        emit(state->*kind.searchAnnounced)();
        QCOMPARE(names(*model), QStringList({"abc notes"}));

        // A reload while searching shows the new repository that matches.
        map.insert("d", repo("abc more", "2024-01-05 10:00:00"));
        announce();
        QCOMPARE(names(*model), QStringList({"abc notes", "abc more"}));

        (state->*kind.searchText)().clear();
        emit(state->*kind.searchAnnounced)();
        QCOMPARE(model->rowCount(), 4);

        // The last repository deleted disappears.
        map.clear();
        announce();
        QCOMPARE(model->rowCount(), 0);
        QCOMPARE(layout.count(), 5);
        (state->*kind.curId)().clear();
    }
};

PARLAVINE_TEST_MAIN(TestTableModels)
#include "tst_TableModels.moc"
