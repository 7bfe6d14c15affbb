#include "term/TermSentCtrl.h"

#include "core/State.h"

const RepoKind& RepoTraits<TermSentCtrl>::kind()
{
    static const RepoKind table{
        QStringLiteral("termSent"),
        QStringLiteral("parlavine_term_sent"),
        801,
        800,
        901,
        900,
        "TermSentCtrl",
        QT_TRANSLATE_NOOP("TermSentCtrl", "确认删除该例句库吗？"),
        QT_TRANSLATE_NOOP("TermSentCtrl", "例句库：%1"),
        QT_TRANSLATE_NOOP("TermSentCtrl", "删除后不可恢复"),
        QT_TRANSLATE_NOOP("TermSentCtrl", "确认删除当前例句吗？"),
        QT_TRANSLATE_NOOP("TermSentCtrl", "例句删除后不可恢复"),
        &State::termSentRepoMapRef,
        &State::termSentRepoCurIdRef,
        &State::setTermSentRepoCurId,
        &State::termSentRepoSentPageRef,
        &State::termSentRepoSentPageChange,
        &State::setTermSentRepoList,
        &State::updateTermSentRepoSentences,
        &State::updateTermSentRepoSentence,
        &State::removeTermSentRepoSentences,
    };
    return table;
}

TermSentCtrl::TermSentCtrl(QObject* parent) : QObject(parent) {}
