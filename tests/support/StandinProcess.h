#pragma once

#include "ChildProcess.h"
#include "StandinReply.h"
#include "StandinRequest.h"

#include <QList>
#include <QProcessEnvironment>
#include <QStringList>

// The parlavine-standin executable for end-to-end tests, scripted over its control endpoint.
class StandinProcess
{
public:
    bool start(int timeoutMs = 10000);
    // SIGTERM; 0 when it shut down cleanly.
    int stop(int timeoutMs = 10000);

    QString apiUrl() const;
    QString collectorUrl() const;
    // The given environment with PARLAVINE_API_URL and PARLAVINE_COLLECTOR_URL pointing here.
    QProcessEnvironment environment(QProcessEnvironment base) const;

    bool script(const QString& routeKey, const StandinReply& reply);
    bool setValidSessions(const QStringList& sessions);
    bool reset();
    QList<StandinRequest> requests();
    QStringList violations();

private:
    bool post(const char* path, const QJsonObject& body);
    QJsonObject log();

    ChildProcess m_process;
    int m_apiPort = 0;
    int m_collectorPort = 0;
};
