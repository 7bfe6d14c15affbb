#include "core/ShareMemoryUtil.h"

#include "core/Log.h"
#include "platform/InstanceLock.h"
#include "platform/UserRuntimeDir.h"

ShareMemoryUtil::ShareMemoryUtil(const QString& key)
    : m_lock(std::make_unique<InstanceLock>(UserRuntimeDir::path() + QLatin1Char('/') + key + QStringLiteral(".lock")))
{
}

ShareMemoryUtil::~ShareMemoryUtil() = default;

bool ShareMemoryUtil::exists()
{
    if (m_lock->isLocked())
        return true;
    if (m_lock->tryLock())
        return false;
    log(QStringLiteral("ShareMemoryUtil: marker not taken: %1"), m_lock->errorString());
    return true;
}

void ShareMemoryUtil::release()
{
    m_lock->unlock();
}
