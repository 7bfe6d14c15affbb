#pragma once

#include "network/RequestService.h"

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

// The terminology repositories on the server ("Term" and "Phrase" paths). Owned by TermCtrl;
// every answer goes to the caller's callback unchanged, also after the service is gone.
class TermService : public QObject, public QEnableSharedFromThis<TermService>
{
    Q_OBJECT
public:
    explicit TermService(QObject* parent = nullptr);

    void findTermRepoByUserIdByPage(const QString& userId, int page, int size, ServiceCallback callback);
    void findTermPhraseByRepoIdByPage(const QString& repoId, int page, int size, ServiceCallback callback);
    void addTermRepo(const QString& name, const QString& srcLang, const QString& tgtLang, bool reversible,
                   ServiceCallback callback);
    void addTermPhrase(const QString& repoId, const QString& source, const QString& target, ServiceCallback callback);
    void updateTermPhrase(const QString& id, const QString& repoId, const QString& source, const QString& target,
                      ServiceCallback callback);
    void deleteTermRepo(const QString& id, const QString& name, const QString& srcLang, const QString& tgtLang,
                      bool reversible, ServiceCallback callback);
    void deleteTermPhrase(const QString& id, const QString& repoId, const QString& source, const QString& target,
                      ServiceCallback callback);
};
