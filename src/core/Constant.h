#pragma once

#include "core/FileTaskRecord.h"

#include <QObject>
#include <QStringList>
#include <QVariantMap>

// What the document feature, State and the task list agree on: accepted document suffixes
// and the reading of the server's task maps.
class Constant : public QObject
{
    Q_OBJECT
public:
    static Constant* instance();
    ~Constant() override;

    const QStringList& suffixList() const { return m_suffixList; }

    static FileTaskRecord fileTaskFromMap(const QVariantMap& task);
    static void fileTaskFields(FileTaskRecord& record, const QVariantMap& task);
    static void fileTaskStatus(FileTaskRecord& record, const QString& transStatus, const QString& errorMessage);
    // True while the server may still move the task on, so it is worth polling.
    static bool isUnfinished(const FileTaskRecord& record);

private:
    explicit Constant(QObject* parent = nullptr);

    QStringList m_suffixList;
};
