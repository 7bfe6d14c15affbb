#pragma once

#include "network/RequestService.h"

#include <QString>

// The repository calls under "/api/memory/", shared by the memory and term services: both post
// the same bodies and differ only in their paths and the window that shows a failure. Every
// payload field is a JSON string except "reversible"; the user id is the signed-in user's at the
// moment of the call. The callback is passed on as it is and holds nothing of the service.
namespace term {

// The paths of one kind of repository, and the window its failures are shown in.
struct RepoPaths
{
    QString findRepos;
    QString findEntries;
    QString addRepo;
    QString addEntry;
    QString updateEntry;
    QString deleteRepo;
    QString deleteEntry;
    QString window;
};

// The paged finds send the bare id string as "value" and "page": {"page" (0 first), "size"}.
void findRepos(const RepoPaths& paths, const QString& userId, int page, int size, const ServiceCallback& callback);
void findEntries(const RepoPaths& paths, const QString& repoId, int page, int size, const ServiceCallback& callback);
void addRepo(const RepoPaths& paths, const QString& name, const QString& srcLang, const QString& tgtLang,
             bool reversible, const ServiceCallback& callback);
void addEntry(const RepoPaths& paths, const QString& repoId, const QString& source, const QString& target,
              const ServiceCallback& callback);
void updateEntry(const RepoPaths& paths, const QString& id, const QString& repoId, const QString& source,
                 const QString& target, const ServiceCallback& callback);
void deleteRepo(const RepoPaths& paths, const QString& id, const QString& name, const QString& srcLang,
                const QString& tgtLang, bool reversible, const ServiceCallback& callback);
void deleteEntry(const RepoPaths& paths, const QString& id, const QString& repoId, const QString& source,
                 const QString& target, const ServiceCallback& callback);

} // namespace term
