#pragma once

#include <QList>
#include <QMutex>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>

// The process-wide telemetry client.
class VexilService : public QObject
{
    Q_OBJECT
public:
    static VexilService* instance(); // created on first call; null once destroyed at exit
    ~VexilService() override;

    // Queues one error record (level 4); returns at once and never fails towards the caller.
    void reportError(const QString& msg, const QString& ext);
    void reportPv(const QString& page);
    void reportHome();
    void autoUploadLastCrash();

    // The error records queued and not yet sent, as (msg, ext).
    QList<QPair<QString, QString>> queuedErrors() const;
    // The page keys reported so far, oldest first.
    QStringList reportedPages() const;

private:
    VexilService();

    mutable QMutex lock;
    QList<QPair<QString, QString>> errorQueue;
    QStringList pages;
};
