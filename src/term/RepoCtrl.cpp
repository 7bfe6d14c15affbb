#include "term/RepoCtrl.h"

#include "core/Hud.h"
#include "core/State.h"
#include "core/User.h"
#include "network/NetworkFailure.h"
#include "term/RepoRecord.h"
#include "term/TermCtrl.h"
#include "term/TermSentCtrl.h"
#include "update/VexilService.h"

#include <QCoreApplication>

template <class Ctrl>
RepoCtrl<Ctrl>::RepoCtrl() : service(QSharedPointer<Service>::create())
{
}

template <class Ctrl>
RepoCtrl<Ctrl>::~RepoCtrl()
{
    // Quietly: the window that showed them is going away.
    if (State* state = State::instance()) {
        (state->*kind().curId)().clear();
        (state->*kind().map)().clear();
    }
}

template <class Ctrl>
typename RepoCtrl<Ctrl>::Weak RepoCtrl<Ctrl>::weakSelf()
{
    return static_cast<Ctrl*>(this)->sharedFromThis();
}

template <class Ctrl>
QString RepoCtrl<Ctrl>::text(const char* source)
{
    return QCoreApplication::translate(kind().textContext, source);
}

template <class Ctrl>
void RepoCtrl<Ctrl>::init()
{
    (State::instance()->*kind().curId)().clear();
    updateRepoList(true);
    VexilService::instance()->reportPv(kind().pageKey);
}

template <class Ctrl>
void RepoCtrl<Ctrl>::updateRepoList(bool reset)
{
    if (reset) {
        if (loadState == Reloading)
            return;
        loadState = Reloading;
        ++listGeneration;
        nextRepoPage = 1;
    } else {
        // A reset on its way brings page 0 first; a next page now would take its slot and cancel it.
        if (loadState == AllLoaded || loadState == LoadingNext || loadState == Reloading)
            return;
        loadState = LoadingNext;
    }
    const int page = reset ? 0 : nextRepoPage;
    const int generation = listGeneration;
    State::instance()->setRetcode(kind().listBusy);
    const Weak weak = weakSelf();
    (service.data()->*Traits::findRepos)(
        User::instance()->userId, page, term::ReposPerPage,
        [weak, reset, page, generation](bool ok, const QVariantMap& data) {
            State::instance()->setRetcode(kind().listDone);
            if (const QSharedPointer<Ctrl> self = weak.toStrongRef())
                self->onRepoList(reset, page, generation, ok, data);
        });
}

template <class Ctrl>
void RepoCtrl<Ctrl>::onRepoList(bool reset, int page, int generation, bool ok, const QVariantMap& data)
{
    // A page of the list as it was before the latest reload would mix two listings.
    if (generation != listGeneration)
        return;
    if (!ok) {
        loadState = Idle;
        return;
    }
    State* state = State::instance();
    const QVariantMap& stored = (state->*kind().map)();
    const QVariantList content = data.value(QStringLiteral("content")).toList();
    QVariantMap fresh;
    for (const QVariant& value : content) {
        const QVariantMap record = term::listedRepo(value.toMap());
        const QString id = record.value(QStringLiteral("id")).toString();
        if (!reset && stored.contains(id))
            continue;
        fresh.insert(id, record);
    }
    // The end of the list is known here alone: any key of the map may be a server's id.
    loadState = data.value(QStringLiteral("last")).toBool() ? AllLoaded : Idle;
    nextRepoPage = page + 1;
    (state->*kind().setList)(fresh, !reset);
}

template <class Ctrl>
void RepoCtrl<Ctrl>::updateRepoSentences(const QString& repoId, bool reset)
{
    State* state = State::instance();
    if (!(state->*kind().map)().contains(repoId))
        return;
    int& shownPage = (state->*kind().entryPage)();
    if (reset) {
        shownPage = 0;
        emit(state->*kind().entryPageChange)();
    }
    const int page = shownPage;
    state->setRetcode(kind().entriesBusy);
    const Weak weak = weakSelf();
    (service.data()->*Traits::findEntries)(repoId, page, term::EntriesPerPage,
                                           [weak, repoId, page](bool ok, const QVariantMap& data) {
        State* state = State::instance();
        state->setRetcode(kind().entriesDone);
        if (!weak.toStrongRef() || !ok)
            return;
        (state->*kind().updateEntries)(repoId, page, term::entriesOf(data.value(QStringLiteral("content")).toList()),
                                       data.value(QStringLiteral("total_elements")).toInt(),
                                       data.value(QStringLiteral("total_pages")).toInt());
    });
}

template <class Ctrl>
void RepoCtrl<Ctrl>::addRepo(const QString& name, const QString& sourceLang, const QString& targetLang,
                             bool reversible)
{
    const Weak weak = weakSelf();
    (service.data()->*Traits::addRepo)(name, sourceLang, targetLang, reversible,
                                       [weak](bool ok, const QVariantMap& data) {
        if (!weak.toStrongRef() || !ok)
            return;
        const QVariantMap record = term::addedRepo(data);
        const QString id = record.value(QStringLiteral("id")).toString();
        if (!id.isEmpty())
            (State::instance()->*kind().setList)({{id, record}}, true);
    });
}

template <class Ctrl>
void RepoCtrl<Ctrl>::deleteRepo(const QString& id, const QString& name, const QString& sourceLang,
                                const QString& targetLang, bool reversible)
{
    const Weak weak = weakSelf();
    const QString message = text(kind().deleteRepoLine).arg(name) + QLatin1Char('\n') + text(kind().deleteRepoWarning);
    Hud::askStatic(text(kind().deleteRepoTitle), message, [weak, id, name, sourceLang, targetLang, reversible] {
        const QSharedPointer<Ctrl> self = weak.toStrongRef();
        if (!self)
            return;
        (self->service.data()->*Traits::deleteRepo)(id, name, sourceLang, targetLang, reversible,
                                                    [weak, id](bool ok, const QVariantMap& data) {
            const QSharedPointer<Ctrl> self = weak.toStrongRef();
            if (!self || !ok || !data.value(QStringLiteral("value")).toBool())
                return;
            State* state = State::instance();
            // The first remaining repository becomes current once the list is back.
            if ((state->*kind().curId)() == id)
                (state->*kind().setCurId)(QString());
            self->updateRepoList(true);
        });
    }, [] {}, kind().window);
}

template <class Ctrl>
void RepoCtrl<Ctrl>::reportEntrySave(bool ok, const QVariantMap& data)
{
    // The dialog stays open with what was typed until it reads ok.
    const QString detail = ok ? QString() : NetworkFailure::describe(data);
    State::instance()->setRepoEntrySave({{QStringLiteral("window"), kind().window},
                                         {QStringLiteral("ok"), ok},
                                         {QStringLiteral("message"), detail}});
}

template <class Ctrl>
void RepoCtrl<Ctrl>::addRepoSent(const QString& repoId, const QString& source, const QString& target)
{
    const Weak weak = weakSelf();
    (service.data()->*Traits::addEntry)(repoId, source, target, [weak, repoId](bool ok, const QVariantMap& data) {
        reportEntrySave(ok, data);
        if (const QSharedPointer<Ctrl> self = weak.toStrongRef(); self && ok)
            self->updateRepoSentences(repoId, false);
    });
}

template <class Ctrl>
void RepoCtrl<Ctrl>::updateRepoSent(const QString& id, const QString& repoId, const QString& source,
                                    const QString& target)
{
    State* state = State::instance();
    const int page = (state->*kind().entryPage)();
    state->setRetcode(kind().entriesBusy);
    const Weak weak = weakSelf();
    (service.data()->*Traits::updateEntry)(id, repoId, source, target,
                                           [weak, id, repoId, page, source, target](bool ok, const QVariantMap& data) {
        State* state = State::instance();
        state->setRetcode(kind().entriesDone);
        reportEntrySave(ok, data);
        if (weak.toStrongRef() && ok)
            (state->*kind().updateEntry)(repoId, page, id, source, target);
    });
}

template <class Ctrl>
void RepoCtrl<Ctrl>::deleteRepoSent(const QString& id, const QString& repoId, const QString& source,
                                    const QString& target)
{
    const int page = (State::instance()->*kind().entryPage)();
    const Weak weak = weakSelf();
    Hud::askStatic(text(kind().deleteEntryTitle), text(kind().deleteEntryMessage),
                   [weak, id, repoId, source, target, page] {
        const QSharedPointer<Ctrl> self = weak.toStrongRef();
        if (!self)
            return;
        State::instance()->setRetcode(kind().entriesBusy);
        (self->service.data()->*Traits::deleteEntry)(id, repoId, source, target,
                                                     [weak, id, repoId, page](bool ok, const QVariantMap& data) {
            State::instance()->setRetcode(kind().entriesDone);
            const QSharedPointer<Ctrl> self = weak.toStrongRef();
            if (self && ok)
                self->onEntryDeleted(id, repoId, page, data);
        });
    }, [] {}, kind().window);
}

template <class Ctrl>
void RepoCtrl<Ctrl>::onEntryDeleted(const QString& id, const QString& repoId, int page, const QVariantMap& data)
{
    if (!data.value(QStringLiteral("value")).toBool())
        return;
    State* state = State::instance();
    const int left = (state->*kind().removeEntry)(repoId, page, id);
    if (left == 0 && page == (state->*kind().entryPage)())
        updateRepoSentences(repoId, false);
}

template class RepoCtrl<TermSentCtrl>;
template class RepoCtrl<TermCtrl>;
