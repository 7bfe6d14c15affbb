#include "term/RepoWire.h"

#include "core/User.h"

#include <QJsonObject>
#include <QVariantMap>

namespace {

constexpr int Tries = 3;
constexpr bool ReportFailures = true;

QVariantMap apiHeader()
{
    const User* user = User::instance();
    return {{QStringLiteral("session"), user->session},
            {QStringLiteral("client_key"), user->clientKey},
            {QStringLiteral("user_name"), user->userName}};
}

void post(const QString& path, const QJsonObject& body, const QString& window, const ServiceCallback& callback,
          int tries = Tries)
{
    RequestService::instance()->postJson(path, body, callback, window, ReportFailures, tries);
}

void postFindPage(const QString& path, const QString& value, int page, int size, const QString& window,
                  const ServiceCallback& callback)
{
    const QJsonObject body{{QStringLiteral("header"), QJsonObject::fromVariantMap(apiHeader())},
                           {QStringLiteral("value"), value},
                           {QStringLiteral("page"), QJsonObject{{QStringLiteral("page"), page}, {QStringLiteral("size"), size}}}};
    post(path, body, window, callback);
}

// Every call with a value changes a repository: never sent twice.
void postValue(const QString& path, const QVariantMap& payload, const QString& window, const ServiceCallback& callback)
{
    post(path, *RequestService::makeBody(payload, apiHeader()), window, callback, RequestService::Once);
}

QVariantMap repoPayload(const QString& name, const QString& srcLang, const QString& tgtLang, bool reversible)
{
    return {{QStringLiteral("name"), name},
            {QStringLiteral("user_id"), User::instance()->userId},
            {QStringLiteral("src_lang"), srcLang},
            {QStringLiteral("tgt_lang"), tgtLang},
            {QStringLiteral("reversible"), reversible}};
}

QVariantMap entryPayload(const QString& repoId, const QString& source, const QString& target)
{
    return {{QStringLiteral("repo_id"), repoId}, {QStringLiteral("source"), source}, {QStringLiteral("target"), target}};
}

QVariantMap withId(const QString& id, QVariantMap payload)
{
    payload.insert(QStringLiteral("id"), id);
    return payload;
}

} // namespace

void term::findRepos(const RepoPaths& paths, const QString& userId, int page, int size, const ServiceCallback& callback)
{
    postFindPage(paths.findRepos, userId, page, size, paths.window, callback);
}

void term::findEntries(const RepoPaths& paths, const QString& repoId, int page, int size,
                       const ServiceCallback& callback)
{
    postFindPage(paths.findEntries, repoId, page, size, paths.window, callback);
}

void term::addRepo(const RepoPaths& paths, const QString& name, const QString& srcLang, const QString& tgtLang,
                   bool reversible, const ServiceCallback& callback)
{
    postValue(paths.addRepo, repoPayload(name, srcLang, tgtLang, reversible), paths.window, callback);
}

void term::addEntry(const RepoPaths& paths, const QString& repoId, const QString& source, const QString& target,
                    const ServiceCallback& callback)
{
    postValue(paths.addEntry, entryPayload(repoId, source, target), paths.window, callback);
}

void term::updateEntry(const RepoPaths& paths, const QString& id, const QString& repoId, const QString& source,
                       const QString& target, const ServiceCallback& callback)
{
    postValue(paths.updateEntry, withId(id, entryPayload(repoId, source, target)), paths.window, callback);
}

void term::deleteRepo(const RepoPaths& paths, const QString& id, const QString& name, const QString& srcLang,
                      const QString& tgtLang, bool reversible, const ServiceCallback& callback)
{
    postValue(paths.deleteRepo, withId(id, repoPayload(name, srcLang, tgtLang, reversible)), paths.window, callback);
}

void term::deleteEntry(const RepoPaths& paths, const QString& id, const QString& repoId, const QString& source,
                       const QString& target, const ServiceCallback& callback)
{
    postValue(paths.deleteEntry, withId(id, entryPayload(repoId, source, target)), paths.window, callback);
}
