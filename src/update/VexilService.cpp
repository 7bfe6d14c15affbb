#include "update/VexilService.h"

#include <QMutexLocker>

#include <mutex>

static VexilService* s_vexilService = nullptr;

VexilService* VexilService::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_vexilService = new VexilService; });
    return s_vexilService;
}

VexilService::VexilService() = default;

VexilService::~VexilService()
{
    s_vexilService = nullptr;
}

void VexilService::reportError(const QString& msg, const QString& ext)
{
    QMutexLocker locker(&lock);
    errorQueue.append({msg, ext});
    // TODO(telemetry): send the queue to the collector, debounced by 300 ms below 25 records,
    // at once from 25 on.
}

void VexilService::reportPv(const QString& page)
{
    QMutexLocker locker(&lock);
    pages.append(page);
    // TODO(telemetry): page view to "/collect/pv" with {"from": page}.
}

void VexilService::reportHome()
{
    // TODO(telemetry): page view "parlavine_home", at most once per 43200 s.
}

void VexilService::autoUploadLastCrash()
{
    // TODO(telemetry): report and upload the last crash dump.
}

QList<QPair<QString, QString>> VexilService::queuedErrors() const
{
    QMutexLocker locker(&lock);
    return errorQueue;
}

QStringList VexilService::reportedPages() const
{
    QMutexLocker locker(&lock);
    return pages;
}
