#include "update/VexilService.h"

#include "core/AppConfig.h"
#include "core/CrashDump.h"
#include "core/Debounce.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"
#include "network/Request.h"
#include "update/VexilData.h"

#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSysInfo>
#include <QUrl>

#include <mutex>

static VexilService* s_vexilService = nullptr;

namespace {
const int FlushAt = 25;
const qint64 HomeGateSeconds = 43200;
const qint64 CrashGateSeconds = 3610;
const QString CrashDmpKey = QStringLiteral("lastCrashDmp");
const QString CrashFileKey = QStringLiteral("lastCrashFile");
const QString CrashHistoryKey = QStringLiteral("lastCrashHistory");
const QString CrashHasReportKey = QStringLiteral("lastCrashHasReport");
const QString CrashUploadTimeKey = QStringLiteral("lastCrashUploadTime");

QString percentEncoded(const QString& text)
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}

// Every value encoded, so "&", "#" or "+" inside one cannot split or cut the query.
QString encodeQuery(const QList<QPair<QString, QString>>& items)
{
    QStringList parts;
    for (const auto& item : items)
        parts.append(item.first + QLatin1Char('=') + percentEncoded(item.second));
    return parts.join(QLatin1Char('&'));
}

// Closed only while the stored time lies less than limit seconds in the past: a stored time in
// the future (a clock set back) does not lock the gate for good.
bool gateClosed(uint now, uint stored, qint64 limit)
{
    const qint64 elapsed = static_cast<qint64>(now) - static_cast<qint64>(stored);
    return elapsed >= 0 && elapsed < limit;
}

// Only files inside the crash folder may be uploaded, whatever the settings say.
bool isInCrashFolder(const QString& path)
{
    const QString file = QFileInfo(path).canonicalFilePath();
    const QString folder = QFileInfo(crashDumpDir()).canonicalFilePath();
    return !file.isEmpty() && !folder.isEmpty() && file.startsWith(folder + QLatin1Char('/'))
           && QFileInfo(file).isFile();
}

// A dump is offered again after a hiccup (no reply, or the server failing), not after a refusal.
bool worthRetrying(const QVariantMap& failure)
{
    if (failure.contains(QStringLiteral("errorCode")))
        return true;
    return failure.value(QStringLiteral("status")).toInt() >= 500;
}
} // namespace

VexilService* VexilService::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_vexilService = new VexilService; });
    return s_vexilService;
}

VexilService::VexilService() : VexilService(Intervals()) {}

VexilService::VexilService(const Intervals& intervals)
    : transport(std::make_unique<Request>())
    , ext3(QSysInfo::prettyProductName() + QLatin1Char('|') + QSysInfo::buildCpuArchitecture() + QLatin1Char('|')
           + User::instance()->deviceId())
{
    errors.debouncer = new Debounce(intervals.errorMs, this);
    logs.debouncer = new Debounce(intervals.batchMs, this);
    logs.deadline = new Debounce(intervals.deadlineMs, this);
    events.debouncer = new Debounce(intervals.batchMs, this);
    events.deadline = new Debounce(intervals.deadlineMs, this);
}

VexilService::~VexilService()
{
    for (Queue* queue : {&events, &logs, &errors}) {
        cancel(*queue);
        clearRecords(queue->records);
    }
    if (s_vexilService == this)
        s_vexilService = nullptr;
}

// ---- Page views and queued records ---------------------------------------------------------

void VexilService::reportPv(const QString& page)
{
    getCollect(QStringLiteral("/collect/pv"), {{QStringLiteral("from"), page}});
}

void VexilService::reportHome()
{
    const uint now = TimeUtil::currentTimestamp();
    if (gateClosed(now, lastHomeTime, HomeGateSeconds))
        return;
    reportPv(QStringLiteral("parlavine_home"));
    lastHomeTime = now;
}

void VexilService::reportEvent(const QString& name, const QString& extra)
{
    enqueue(events, VexilEvent, name, extra, &VexilService::flushEvents);
}

void VexilService::reportLog(const QString& message, const QString& extra)
{
    enqueue(logs, VexilLog, message, extra, &VexilService::flushLogs);
}

void VexilService::reportError(const QString& message, const QString& extra)
{
    enqueue(errors, VexilError, message, extra, &VexilService::flushErrors);
}

void VexilService::enqueue(Queue& queue, int level, const QString& message, const QString& extra,
                           void (VexilService::*flush)())
{
    int size = 0;
    {
        QMutexLocker locker(&queue.mutex);
        queue.records.append(new VexilData(level, message, extra));
        size = queue.records.size();
    }
    if (size >= FlushAt) {
        (this->*flush)();
        return;
    }
    const auto job = [this, flush] { (this->*flush)(); };
    queue.debouncer->run(job);
    // Not restarted by later records, so a steady stream still goes out in time.
    if (queue.deadline && queue.deadline->isIdle())
        queue.deadline->run(job);
}

void VexilService::cancel(Queue& queue)
{
    queue.debouncer->stop();
    if (queue.deadline)
        queue.deadline->stop();
}

void VexilService::flushEvents()
{
    cancel(events);
    QMutexLocker locker(&events.mutex);
    QVariantList payload;
    for (VexilData* record : qAsConst(events.records)) {
        if (record->sent)
            continue;
        payload.append(QVariantMap{{QStringLiteral("name"), record->message}, {QStringLiteral("ext1"), record->extra}});
        record->sent = true;
    }
    if (!payload.isEmpty())
        getCollect(QStringLiteral("/collect/events"), {{QStringLiteral("payload"), listToJson(payload)}});
    clearRecords(events.records);
}

void VexilService::flushLogs()
{
    flushRecords(logs);
}

void VexilService::flushErrors()
{
    flushRecords(errors);
}

void VexilService::flushRecords(Queue& queue)
{
    cancel(queue);
    QMutexLocker locker(&queue.mutex);
    QString body;
    const int count = buildMsgBody(body, queue.records);
    clearRecords(queue.records);
    if (count > 0)
        postCollect(body);
}

int VexilService::buildMsgBody(QString& body, const QList<VexilData*>& queue)
{
    int count = 0;
    for (int i = 0; i < queue.size(); ++i) {
        VexilData* record = queue.at(i);
        if (record->sent)
            continue;
        body += QStringLiteral("msg[%1]=%2&ext1[%1]=%3&level[%1]=%4&")
                    .arg(QString::number(i),
                         percentEncoded(record->message + QLatin1Char('|') + QString::number(record->time)),
                         percentEncoded(record->extra), QString::number(record->level));
        record->sent = true;
        ++count;
    }
    body += QStringLiteral("count=") + QString::number(count);
    return count;
}

void VexilService::clearRecords(QList<VexilData*>& queue)
{
    qDeleteAll(queue);
    queue.clear();
}

void VexilService::reportCrash(const QString& history, const QString& fileName)
{
    const VexilData record(VexilCrash, QStringLiteral("Crash"), history);
    const QString message = record.message + QLatin1Char('|') + fileName + QLatin1Char('|') + QString::number(record.time);
    postCollect(QStringLiteral("msg[0]=%1&ext1[0]=%2&level[0]=%3&count=1")
                    .arg(percentEncoded(message), percentEncoded(record.extra), QString::number(record.level)));
}

// ---- Transport ----------------------------------------------------------------------------

// The live session never reaches the collector, which logs URLs; its hash still joins the records.
VexilService::Pairs VexilService::identity() const
{
    const User* user = User::instance();
    const QString session = user->session.isEmpty() ? QString() : sha256Hex(user->session);
    return {{QStringLiteral("uin"), user->userId},
            {QStringLiteral("sessionId"), session},
            {QStringLiteral("id"), AppConfig::collectorProjectKey()},
            {QStringLiteral("version"), State::instance()->version()}};
}

void VexilService::getCollect(const QString& path, QVariantMap query)
{
    for (const auto& item : identity())
        query.insert(item.first, item.second);
    Pairs sorted; // a map iterates in ascending key order
    for (auto it = query.cbegin(); it != query.cend(); ++it)
        sorted.append({it.key(), it.value().toString()});
    const QString url = AppConfig::collectorUrl() + path + QLatin1Char('?') + encodeQuery(sorted);
    transport->asyncGet(url, nullptr, AppConfig::requestTimeoutMs(), nullptr, nullptr);
}

void VexilService::postCollect(const QString& body)
{
    const QString url = AppConfig::collectorUrl() + QStringLiteral("/collect?")
                        + encodeQuery(identity() + Pairs{{QStringLiteral("ext3"), ext3}});
    transport->asyncPostJson(url, body.toUtf8(), QStringLiteral("application/x-www-form-urlencoded"),
                             AppConfig::requestTimeoutMs(), nullptr, nullptr);
}

// ---- Crash dump ----------------------------------------------------------------------------

void VexilService::autoUploadLastCrash()
{
    if (User::instance()->isLoggedOut())
        return;
    const uint now = TimeUtil::currentTimestamp();
    if (lastCrashTry != 0 && gateClosed(now, lastCrashTry, CrashGateSeconds)) {
        log(QStringLiteral("autoUploadLastCrash: 1h block"));
        return;
    }
    lastCrashTry = now;

    QuickStorage* storage = QuickStorage::instance();
    const QString dump = storage->getValue(CrashDmpKey);
    if (dump.isEmpty())
        return;
    if (!isInCrashFolder(dump)) {
        storage->remove(CrashDmpKey);
        return;
    }
    const QString name = storage->getValue(CrashFileKey);
    log(QStringLiteral("autoUploadLastCrash: %1, %2"), dump, name);

    if (storage->getValue(CrashHasReportKey) != QLatin1String("1")) {
        reportCrash(storage->getValue(CrashHistoryKey), name);
        storage->remove(CrashHistoryKey);
        storage->setValue(CrashHasReportKey, QStringLiteral("1"));
    }
    bool stored = false;
    const uint lastUpload = storage->getValue(CrashUploadTimeKey).toUInt(&stored);
    if (gateClosed(now, stored ? lastUpload : 0, CrashGateSeconds)) {
        log(QStringLiteral("autoUploadLastCrash: 1h block2"));
        return;
    }
    storage->setValue(CrashUploadTimeKey, QString::number(now));
    uploadDump(dump, name);
}

void VexilService::uploadDump(const QString& dump, const QString& name)
{
    QFile file(dump);
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.close();
    uploadCrashLogFile(name, QString::fromLatin1(content.toBase64()), [dump](bool ok, const QVariantMap& data) {
        QuickStorage* storage = QuickStorage::instance();
        if (!storage || (!ok && worthRetrying(data)) || storage->getValue(CrashDmpKey) != dump)
            return;
        storage->remove(CrashDmpKey);
        storage->remove(CrashFileKey);
    });
}

void VexilService::uploadCrashLogFile(const QString& fileName, const QString& contentBase64, ServiceCallback callback)
{
    if (contentBase64.isEmpty() || !fileName.endsWith(QLatin1String(".dmp"))) {
        callback(false, {});
        return;
    }
    const User* user = User::instance();
    const auto body = RequestService::makeBody(
        QVariantMap{{QStringLiteral("file_name"), fileName}, {QStringLiteral("file_content"), contentBase64}},
        QVariantMap{{QStringLiteral("session"), user->session},
                    {QStringLiteral("client_key"), user->clientKey},
                    {QStringLiteral("user_name"), user->userName}});
    RequestService::instance()->postJson(QStringLiteral("/api/resourcemanageserver/uploadCrashLogFile"), *body,
                                         std::move(callback), QString(), false, 3);
}
