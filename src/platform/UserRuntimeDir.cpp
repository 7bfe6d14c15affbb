#include "platform/UserRuntimeDir.h"

#include <QDir>
#include <QFile>

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
} // namespace

QString UserRuntimeDir::path()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime;

    const QString fallback = QDir::tempPath() + QStringLiteral("/parlavine-%1").arg(::getuid());
    const QByteArray encoded = QFile::encodeName(fallback);
    ::mkdir(encoded.constData(), 0700);
    if (!isPrivateFolder(encoded)) {
        qWarning("UserRuntimeDir: %s is not a private folder of this user", encoded.constData());
        return QString();
    }
    return fallback;
}
