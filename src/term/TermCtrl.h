#pragma once

#include "term/RepoCtrl.h"
#include "term/TermService.h"

#include <QEnableSharedFromThis>
#include <QObject>

class TermCtrl;

template <>
struct RepoTraits<TermCtrl>
{
    using Service = TermService;
    static constexpr auto findRepos = &TermService::findTermRepoByUserIdByPage;
    static constexpr auto findEntries = &TermService::findTermPhraseByRepoIdByPage;
    static constexpr auto addRepo = &TermService::addTermRepo;
    static constexpr auto addEntry = &TermService::addTermPhrase;
    static constexpr auto updateEntry = &TermService::updateTermPhrase;
    static constexpr auto deleteRepo = &TermService::deleteTermRepo;
    static constexpr auto deleteEntry = &TermService::deleteTermPhrase;
    static const RepoKind& kind();
};

// The terminology repository controller (id 6, window "term"): repositories and their
// term pairs. Owned by Dispatch through a shared pointer; hands out weak references to itself.
class TermCtrl : public QObject, public QEnableSharedFromThis<TermCtrl>, public RepoCtrl<TermCtrl>
{
    Q_OBJECT
public:
    explicit TermCtrl(QObject* parent = nullptr);
};
