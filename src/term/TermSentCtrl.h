#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

// The translation-memory repository controller: repositories and their sentence pairs.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class TermSentCtrl : public QObject, public QEnableSharedFromThis<TermSentCtrl>
{
    Q_OBJECT
public:
    explicit TermSentCtrl(QObject* parent = nullptr);

    void init();
    void updateRepoList(bool reset);
    void updateRepoSentences(const QString& repoId, bool reset);
    void addRepo(const QString& name, const QString& sourceLang, const QString& targetLang, bool reversible);
    void addRepoSent(const QString& repoId, const QString& source, const QString& target);
    void deleteRepo(const QString& repoId, const QString& name, const QString& sourceLang, const QString& targetLang, bool reversible);
    void deleteRepoSent(const QString& repoId, const QString& id, const QString& source, const QString& target);
    void updateRepoSent(const QString& repoId, const QString& source, const QString& target, const QString& id);
};
