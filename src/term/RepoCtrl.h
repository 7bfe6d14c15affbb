#pragma once

#include <QSharedPointer>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

class State;

// What differs between the memory and the term repository controllers besides their service:
// names, busy/done codes, confirmation texts (translated in their context) and where State keeps
// their values.
struct RepoKind
{
    QString window;
    QString pageKey;
    int listBusy;
    int listDone;
    int entriesBusy;
    int entriesDone;
    const char* textContext;
    const char* deleteRepoTitle;
    const char* deleteRepoLine;
    const char* deleteRepoWarning;
    const char* deleteEntryTitle;
    const char* deleteEntryMessage;
    QVariantMap& (State::*map)();
    QString& (State::*curId)();
    void (State::*setCurId)(const QString&);
    int& (State::*entryPage)();
    void (State::*entryPageChange)();
    void (State::*setList)(const QVariantMap&, bool);
    void (State::*updateEntries)(const QString&, int, const QVariantList&, int, int);
    void (State::*updateEntry)(const QString&, int, const QString&, const QString&, const QString&);
    int (State::*removeEntry)(const QString&, int, const QString&);
};

// The service calls of one twin, by member of its service class.
template <class Ctrl>
struct RepoTraits;

// The one implementation of the two repository controllers. Ctrl derives from it and from
// QEnableSharedFromThis<Ctrl>; every reply handler holds the controller weakly.
template <class Ctrl>
class RepoCtrl
{
public:
    using Traits = RepoTraits<Ctrl>;
    using Service = typename Traits::Service;

    void init();
    void updateRepoList(bool reset);
    void updateRepoSentences(const QString& repoId, bool reset);
    void addRepo(const QString& name, const QString& sourceLang, const QString& targetLang, bool reversible);
    void addRepoSent(const QString& repoId, const QString& source, const QString& target);
    void deleteRepo(const QString& id, const QString& name, const QString& sourceLang, const QString& targetLang,
                    bool reversible);
    void deleteRepoSent(const QString& id, const QString& repoId, const QString& source, const QString& target);
    void updateRepoSent(const QString& id, const QString& repoId, const QString& source, const QString& target);

protected:
    RepoCtrl();
    ~RepoCtrl();

private:
    // 0 idle (more pages may exist), 1 loading the next page, 2 reloading from the first, -1 all loaded.
    enum LoadState { Idle = 0, LoadingNext = 1, Reloading = 2, AllLoaded = -1 };
    using Weak = QWeakPointer<Ctrl>;

    Weak weakSelf();
    static const RepoKind& kind() { return Traits::kind(); }
    static QString text(const char* source);
    void onRepoList(bool reset, int page, int generation, bool ok, const QVariantMap& data);
    static void reportEntrySave(bool ok, const QVariantMap& data);
    void onEntryDeleted(const QString& id, const QString& repoId, int page, const QVariantMap& data);

    QSharedPointer<Service> service;
    LoadState loadState = Idle;
    // The page after the last one stored; a reset brings page 0, so 1 follows it.
    int nextRepoPage = 0;
    // Counts resets: a next-page reply asked for before the latest reset belongs to the old list.
    int listGeneration = 0;
};
