#pragma once

#include <QObject>
#include <QString>

// Record levels as the collector knows them.
enum VexilLevel {
    VexilLog = 2,
    VexilError = 4,
    VexilCrash = 32,
    VexilEvent = 8192,
};

// One telemetry record, stamped with the UTC second it was made.
class VexilData : public QObject
{
    Q_OBJECT
public:
    VexilData(int level, const QString& message, const QString& extra);
    ~VexilData() override;

    int level;
    QString message;
    QString extra; // sent as "ext1"
    uint time;
    bool sent = false; // set once the record is written into a report
};
