#include "term/TermSentService.h"

#include "term/RepoWire.h"

namespace {

const term::RepoPaths& paths()
{
    static const term::RepoPaths table{
        QStringLiteral("/api/memory/findTmRepoByUserIdByPage"), QStringLiteral("/api/memory/findTmSentByRepoIdByPage"),
        QStringLiteral("/api/memory/addTmRepo"),                QStringLiteral("/api/memory/addTmSent"),
        QStringLiteral("/api/memory/updateTmSent"),             QStringLiteral("/api/memory/deleteTmRepo"),
        QStringLiteral("/api/memory/deleteTmSent"),             QStringLiteral("termSent")};
    return table;
}

} // namespace

TermSentService::TermSentService(QObject* parent) : QObject(parent) {}

void TermSentService::findTmRepoByUserIdByPage(const QString& userId, int page, int size, ServiceCallback callback)
{
    term::findRepos(paths(), userId, page, size, callback);
}

void TermSentService::findTmSentByRepoIdByPage(const QString& repoId, int page, int size, ServiceCallback callback)
{
    term::findEntries(paths(), repoId, page, size, callback);
}

void TermSentService::addTmRepo(const QString& name, const QString& srcLang, const QString& tgtLang, bool reversible,
                                ServiceCallback callback)
{
    term::addRepo(paths(), name, srcLang, tgtLang, reversible, callback);
}

void TermSentService::addTmSent(const QString& repoId, const QString& source, const QString& target,
                                ServiceCallback callback)
{
    term::addEntry(paths(), repoId, source, target, callback);
}

void TermSentService::updateTmSent(const QString& id, const QString& repoId, const QString& source,
                                   const QString& target, ServiceCallback callback)
{
    term::updateEntry(paths(), id, repoId, source, target, callback);
}

void TermSentService::deleteTmRepo(const QString& id, const QString& name, const QString& srcLang,
                                   const QString& tgtLang, bool reversible, ServiceCallback callback)
{
    term::deleteRepo(paths(), id, name, srcLang, tgtLang, reversible, callback);
}

void TermSentService::deleteTmSent(const QString& id, const QString& repoId, const QString& source,
                                   const QString& target, ServiceCallback callback)
{
    term::deleteEntry(paths(), id, repoId, source, target, callback);
}
