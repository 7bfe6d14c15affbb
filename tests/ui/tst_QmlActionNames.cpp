#include "core/Dispatch.h"

#include "TestMain.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

// One action a document asks for. An empty controller or action is a call the scan cannot
// read: a variable or an expression where the check needs a literal.
struct ActionCall
{
    int line = 0;
    QString controller; // the Dispatch property, "Ctrl_TextTrans"; twins as "Ctrl_TermSent|Ctrl_Term"
    QString action;
};

int lineAt(const QString& text, int offset)
{
    return text.leftRef(offset).count(QLatin1Char('\n')) + 1;
}

// $dispatch.run($dispatch.Ctrl_X, "name", ...), Global.run("name", ...) of GlobalActions.js,
// $dispatch.run($dispatch.Ctrl_X, modelData.action, ...) with every "action" of the document's models,
// and the repository twins' page, which names its controller in a property: calls through
// `controller`/`win.controller` and its wrapper win.run("name", ...) are checked against both twins.
QList<ActionCall> actionCalls(const QString& text)
{
    static const QRegularExpression dispatchCall(QStringLiteral(R"re(\$dispatch\.run\(\s*([^,()]*?)\s*,\s*([^,()]*?)\s*[,)])re"));
    static const QRegularExpression controllerName(QStringLiteral(R"re(^\$dispatch\.(Ctrl_\w+)$)re"));
    static const QRegularExpression literal(QStringLiteral(R"re(^"(\w+)"$)re"));
    static const QRegularExpression globalCall(QStringLiteral(R"re(\bGlobal\.run\(\s*([^,()]*?)\s*[,)])re"));
    static const QRegularExpression modelAction(QStringLiteral(R"re("action"\s*:\s*"(\w+)")re"));
    static const QRegularExpression twinController(QStringLiteral(R"re(^(win\.)?controller$)re"));
    static const QRegularExpression twinCall(QStringLiteral(R"re(\bwin\.run\(\s*([^,()]*?)\s*[,)])re"));
    const QString twins = QStringLiteral("Ctrl_TermSent|Ctrl_Term");

    QStringList modelActions;
    for (auto it = modelAction.globalMatch(text); it.hasNext();)
        modelActions << it.next().captured(1);
    modelActions.removeDuplicates();

    QList<ActionCall> calls;
    for (auto it = dispatchCall.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch call = it.next();
        const int line = lineAt(text, call.capturedStart());
        const bool twin = twinController.match(call.captured(1)).hasMatch();
        const QString controller = twin ? twins : controllerName.match(call.captured(1)).captured(1);
        if (twin && call.captured(2) == QLatin1String("action"))
            continue; // the page's own wrapper, checked at its callers
        if (call.captured(2) == QLatin1String("modelData.action") && !modelActions.isEmpty()) {
            for (const QString& action : qAsConst(modelActions))
                calls.append({line, controller, action});
        } else {
            calls.append({line, controller, literal.match(call.captured(2)).captured(1)});
        }
    }
    for (auto it = globalCall.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch call = it.next();
        calls.append({lineAt(text, call.capturedStart()), QStringLiteral("Ctrl_Global"),
                      literal.match(call.captured(1)).captured(1)});
    }
    for (auto it = twinCall.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch call = it.next();
        calls.append({lineAt(text, call.capturedStart()), twins, literal.match(call.captured(1)).captured(1)});
    }
    return calls;
}

// Empty when the table of the call's controller has its action, else why not.
QString problemWith(const ActionCall& call)
{
    if (call.controller.isEmpty() || call.action.isEmpty())
        return QStringLiteral("the controller and the action must be written out");
    for (const QString& controller : call.controller.split(QLatin1Char('|'))) {
        const QVariant id = Dispatch::instance()->property(qPrintable(controller));
        if (!id.isValid())
            return QStringLiteral("no controller %1").arg(controller);
        if (!Dispatch::instance()->hasAction(id.toInt(), call.action))
            return QStringLiteral("%1 has no action \"%2\"").arg(controller, call.action);
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(ActionCall)

// Dispatch ignores an action name it does not know, so a misspelt name in a document would
// silently do nothing: every name the documents send must be in its controller's table.
class TestQmlActionNames : public QObject
{
    Q_OBJECT
private slots:
    void readsEveryFormOfCall_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("problem");
        QTest::newRow("known") << R"qml(onClicked: $dispatch.run($dispatch.Ctrl_TextTrans, "feedback", []))qml" << "";
        QTest::newRow("misspelt") << R"qml(onClicked: $dispatch.run($dispatch.Ctrl_Global, "raiseWindw", ["main"]))qml"
                                  << R"qml(Ctrl_Global has no action "raiseWindw")qml";
        QTest::newRow("helper misspelt") << R"qml(Global.run("copyTxt", [text]))qml"
                                         << R"qml(Ctrl_Global has no action "copyTxt")qml";
        QTest::newRow("model misspelt")
            << R"qml(model: [{ "action": "transHistoryMakeCopy" }, { "action": "transHistoryMakeDelet" }]
                  onClicked: $dispatch.run($dispatch.Ctrl_TextTrans, modelData.action, args))qml"
            << R"qml(Ctrl_TextTrans has no action "transHistoryMakeDelet")qml";
        QTest::newRow("name in a variable") << R"qml($dispatch.run($dispatch.Ctrl_Global, name, []))qml"
                                            << "the controller and the action must be written out";
        QTest::newRow("twin page misspelt") << R"qml(win.run("updateRepoLst", [false]))qml"
                                            << R"qml(Ctrl_TermSent has no action "updateRepoLst")qml";
        QTest::newRow("controller in a variable") << R"qml($dispatch.run(ctrl, "copyText", []))qml"
                                                  << "the controller and the action must be written out";
    }

    void readsEveryFormOfCall()
    {
        QFETCH(QString, document);
        QFETCH(QString, problem);
        QStringList problems;
        for (const ActionCall& call : actionCalls(document)) {
            const QString found = problemWith(call);
            if (!found.isEmpty())
                problems << found;
        }
        QCOMPARE(problems.join('\n'), problem);
    }

    void documentsNameKnownActions_data()
    {
        QTest::addColumn<ActionCall>("call");
        const QString root = QStringLiteral(PARLAVINE_SOURCE_DIR "/src/ui");
        int found = 0;
        QDirIterator it(root, {QStringLiteral("*.qml"), QStringLiteral("*.js")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            // The helper itself forwards whatever name it is given.
            if (it.fileName() == QLatin1String("GlobalActions.js") || !file.open(QIODevice::ReadOnly))
                continue;
            const QString name = QDir(root).relativeFilePath(file.fileName());
            for (const ActionCall& call : actionCalls(QString::fromUtf8(file.readAll()))) {
                QTest::addRow("%s:%d %s", qPrintable(name), call.line, qPrintable(call.action)) << call;
                ++found;
            }
        }
        QVERIFY2(found > 0, "no action calls found under src/ui");
    }

    void documentsNameKnownActions()
    {
        QFETCH(ActionCall, call);
        const QString problem = problemWith(call);
        QVERIFY2(problem.isEmpty(), qPrintable(problem));
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestQmlActionNames)
#include "tst_QmlActionNames.moc"
