#include "term/TermService.h"

#include "term/RepoWire.h"

namespace {

const term::RepoPaths& paths()
{
    static const term::RepoPaths table{
        QStringLiteral("/api/memory/findTermRepoByUserIdByPage"), QStringLiteral("/api/memory/findTermPhraseByRepoIdByPage"),
        QStringLiteral("/api/memory/addTermRepo"),                QStringLiteral("/api/memory/addTermPhrase"),
        QStringLiteral("/api/memory/updateTermPhrase"),             QStringLiteral("/api/memory/deleteTermRepo"),
        QStringLiteral("/api/memory/deleteTermPhrase"),             QStringLiteral("term")};
    return table;
}

} // namespace

TermService::TermService(QObject* parent) : QObject(parent) {}

void TermService::findTermRepoByUserIdByPage(const QString& userId, int page, int size, ServiceCallback callback)
{
    term::findRepos(paths(), userId, page, size, callback);
}

void TermService::findTermPhraseByRepoIdByPage(const QString& repoId, int page, int size, ServiceCallback callback)
{
    term::findEntries(paths(), repoId, page, size, callback);
}

void TermService::addTermRepo(const QString& name, const QString& srcLang, const QString& tgtLang, bool reversible,
                                ServiceCallback callback)
{
    term::addRepo(paths(), name, srcLang, tgtLang, reversible, callback);
}

void TermService::addTermPhrase(const QString& repoId, const QString& source, const QString& target,
                                ServiceCallback callback)
{
    term::addEntry(paths(), repoId, source, target, callback);
}

void TermService::updateTermPhrase(const QString& id, const QString& repoId, const QString& source,
                                   const QString& target, ServiceCallback callback)
{
    term::updateEntry(paths(), id, repoId, source, target, callback);
}

void TermService::deleteTermRepo(const QString& id, const QString& name, const QString& srcLang,
                                   const QString& tgtLang, bool reversible, ServiceCallback callback)
{
    term::deleteRepo(paths(), id, name, srcLang, tgtLang, reversible, callback);
}

void TermService::deleteTermPhrase(const QString& id, const QString& repoId, const QString& source,
                                   const QString& target, ServiceCallback callback)
{
    term::deleteEntry(paths(), id, repoId, source, target, callback);
}
