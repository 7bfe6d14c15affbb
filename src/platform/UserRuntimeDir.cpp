#include "platform/UserRuntimeDir.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <sys/stat.h>
#include <unistd.h>

namespace {
// A shared temp folder lets anyone pre-create our folder; use it only when it is ours and private.
bool isPrivateFolder(const QByteArray& path)
{
    struct stat info = {};
    if (::lstat(path.constData(), &info) != 0)
        return false;
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
        return false;
    return (info.st_mode & 077) == 0 || ::chmod(path.constData(), 0700) == 0;
}

// The folder made private, or empty.
QString privateFolder(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    ::mkdir(encoded.constData(), 0700);
    if (isPrivateFolder(encoded))
        return path;
    qWarning("UserRuntimeDir: %s is not a private folder of this user", encoded.constData());
    return QString();
}
} // namespace

QString UserRuntimeDir::path()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;

    const QString inTemp = privateFolder(QDir::tempPath() + QStringLiteral("/parlavine-%1").arg(::getuid()));
    if (!inTemp.isEmpty())
        return inTemp;
    // Someone took the name in the shared temp folder; the cache folder is the user's own.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return QString();
    return privateFolder(cache + QStringLiteral("/parlavine-runtime"));
}
