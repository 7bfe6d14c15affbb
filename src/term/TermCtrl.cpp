#include "term/TermCtrl.h"

#include "core/State.h"

const RepoKind& RepoTraits<TermCtrl>::kind()
{
    static const RepoKind table{
        QStringLiteral("term"),
        QStringLiteral("parlavine_term"),
        601,
        600,
        701,
        700,
        "TermCtrl",
        QT_TRANSLATE_NOOP("TermCtrl", "确认删除该术语库吗？"),
        QT_TRANSLATE_NOOP("TermCtrl", "术语库：%1"),
        QT_TRANSLATE_NOOP("TermCtrl", "删除后不可恢复"),
        QT_TRANSLATE_NOOP("TermCtrl", "确认删除当前术语吗？"),
        QT_TRANSLATE_NOOP("TermCtrl", "术语删除后不可恢复"),
        &State::termRepoMapRef,
        &State::termRepoCurIdRef,
        &State::setTermRepoCurId,
        &State::termRepoSentPageRef,
        &State::termRepoSentPageChange,
        &State::setTermRepoList,
        &State::updateTermRepoSentences,
        &State::updateTermRepoSentence,
        &State::removeTermRepoSentences,
    };
    return table;
}

TermCtrl::TermCtrl(QObject* parent) : QObject(parent) {}
