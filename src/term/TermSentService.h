#pragma once

#include "network/RequestService.h"

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

// The translation-memory repositories on the server ("Tm" paths). Owned by TermSentCtrl;
// every answer goes to the caller's callback unchanged, also after the service is gone.
class TermSentService : public QObject, public QEnableSharedFromThis<TermSentService>
{
    Q_OBJECT
public:
    explicit TermSentService(QObject* parent = nullptr);

    void findTmRepoByUserIdByPage(const QString& userId, int page, int size, ServiceCallback callback);
    void findTmSentByRepoIdByPage(const QString& repoId, int page, int size, ServiceCallback callback);
    void addTmRepo(const QString& name, const QString& srcLang, const QString& tgtLang, bool reversible,
                   ServiceCallback callback);
    void addTmSent(const QString& repoId, const QString& source, const QString& target, ServiceCallback callback);
    void updateTmSent(const QString& id, const QString& repoId, const QString& source, const QString& target,
                      ServiceCallback callback);
    void deleteTmRepo(const QString& id, const QString& name, const QString& srcLang, const QString& tgtLang,
                      bool reversible, ServiceCallback callback);
    void deleteTmSent(const QString& id, const QString& repoId, const QString& source, const QString& target,
                      ServiceCallback callback);
};
