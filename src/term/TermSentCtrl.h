#pragma once

#include "term/RepoCtrl.h"
#include "term/TermSentService.h"

#include <QEnableSharedFromThis>
#include <QObject>

class TermSentCtrl;

template <>
struct RepoTraits<TermSentCtrl>
{
    using Service = TermSentService;
    static constexpr auto findRepos = &TermSentService::findTmRepoByUserIdByPage;
    static constexpr auto findEntries = &TermSentService::findTmSentByRepoIdByPage;
    static constexpr auto addRepo = &TermSentService::addTmRepo;
    static constexpr auto addEntry = &TermSentService::addTmSent;
    static constexpr auto updateEntry = &TermSentService::updateTmSent;
    static constexpr auto deleteRepo = &TermSentService::deleteTmRepo;
    static constexpr auto deleteEntry = &TermSentService::deleteTmSent;
    static const RepoKind& kind();
};

// The translation-memory repository controller (id 5, window "termSent"): repositories and their
// sentence pairs. Owned by Dispatch through a shared pointer; hands out weak references to itself.
class TermSentCtrl : public QObject, public QEnableSharedFromThis<TermSentCtrl>, public RepoCtrl<TermSentCtrl>
{
    Q_OBJECT
public:
    explicit TermSentCtrl(QObject* parent = nullptr);
};
