#include "platform/InstanceLock.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

InstanceLock::InstanceLock(const QString& filePath) : m_filePath(filePath) {}

InstanceLock::~InstanceLock()
{
    unlock();
}

bool InstanceLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    // Close-on-exec: a process we start (the restart) must not inherit the lock.
    const int fd = ::open(QFile::encodeName(m_filePath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_error = errno == EWOULDBLOCK ? QStringLiteral("held by another process")
                                       : QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return false;
    }
    m_fd = fd;
    m_error.clear();
    return true;
}

void InstanceLock::unlock()
{
    if (m_fd < 0)
        return;
    ::close(m_fd); // closing the only descriptor releases the flock
    m_fd = -1;
}
