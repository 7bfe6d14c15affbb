#pragma once

#include "network/RequestService.h"

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariantMap>

#include <memory>

class Debounce;
class Request;
class VexilData;

// The process-wide telemetry client: page views and events by GET, batched log, error and crash
// records by form POST to the monitoring collector, and the upload of the last crash dump.
// Replies are ignored: a record is sent once and deleted whatever the collector answers.
class VexilService : public QObject
{
    Q_OBJECT
public:
    // How long each queue waits; the program uses the defaults, tests shorten them.
    struct Intervals
    {
        int errorMs = 300;
        int batchMs = 5000;     // logs and events, restarted by every new record
        int deadlineMs = 45000; // logs and events, counted from a burst's first record
    };

    static VexilService* instance(); // created on first call; null once destroyed at exit
    // A service of its own, apart from instance(); the program never makes one.
    explicit VexilService(const Intervals& intervals);
    ~VexilService() override;

    void reportPv(const QString& page);
    void reportHome(); // "parlavine_home", at most once per 43200 s
    void reportEvent(const QString& name, const QString& extra);
    void reportLog(const QString& message, const QString& extra);
    // Queues one error record; returns at once and never fails towards the caller.
    void reportError(const QString& message, const QString& extra);
    void reportCrash(const QString& history, const QString& fileName);

    // Reports and uploads the dump the crash writer recorded, once a user is logged in.
    void autoUploadLastCrash();
    // data is {} when the upload is refused (no content, or a name not ending in ".dmp").
    void uploadCrashLogFile(const QString& fileName, const QString& contentBase64, ServiceCallback callback);

private:
    struct Queue
    {
        QList<VexilData*> records;
        QMutex mutex;
        Debounce* debouncer = nullptr;
        Debounce* deadline = nullptr; // none for errors
    };
    using Pairs = QList<QPair<QString, QString>>;

    VexilService();
    void enqueue(Queue& queue, int level, const QString& message, const QString& extra, void (VexilService::*flush)());
    void flushEvents();
    void flushLogs();
    void flushErrors();
    void flushRecords(Queue& queue);
    static void cancel(Queue& queue);
    static int buildMsgBody(QString& body, const QList<VexilData*>& queue);
    static void clearRecords(QList<VexilData*>& queue);

    void getCollect(const QString& path, QVariantMap query);
    void postCollect(const QString& body);
    Pairs identity() const;
    void uploadDump(const QString& dump, const QString& name);

    std::unique_ptr<Request> transport;
    Queue events;
    Queue logs;
    Queue errors;
    uint lastHomeTime = 0;
    uint lastCrashTry = 0;
    QString ext3; // system, architecture and device, encoded when sent
};
