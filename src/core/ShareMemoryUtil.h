#pragma once

#include <QObject>

#include <memory>

class InstanceLock;

// The running-instance marker: a per-user lock that dies with its holder.
class ShareMemoryUtil : public QObject
{
    Q_OBJECT
public:
    explicit ShareMemoryUtil(const QString& key);
    ~ShareMemoryUtil() override;

    // True when this object already holds the marker, or when it cannot take it (another
    // instance holds it, or the lock file cannot be opened); false when it took it just now.
    bool exists();
    // Gives the marker up before this process ends (the restart).
    void release();

private:
    std::unique_ptr<InstanceLock> m_lock;
};
