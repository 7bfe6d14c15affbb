#pragma once

#include <QString>

// An exclusive advisory lock on a file (flock): the kernel drops it when the holder dies,
// so a crash or SIGKILL never leaves a stale marker behind.
class InstanceLock
{
public:
    explicit InstanceLock(const QString& filePath);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this object holds the lock afterwards; false when another holder has it
    // or the file cannot be opened (errorString() says which).
    bool tryLock();
    void unlock();
    bool isLocked() const { return m_fd >= 0; }
    QString errorString() const { return m_error; }

private:
    QString m_filePath;
    QString m_error;
    int m_fd = -1;
};
