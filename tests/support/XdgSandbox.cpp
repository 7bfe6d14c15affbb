#include "XdgSandbox.h"

#include <QDir>
#include <QFile>

namespace {

const char* const Variables[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"};

} // namespace

XdgSandbox::XdgSandbox()
    : m_root(QDir::tempPath() + QStringLiteral("/parlavine-test-XXXXXX"))
{
    const QDir root(path());
    m_valid = m_root.isValid() && root.mkpath(configHome()) && root.mkpath(dataHome()) && root.mkpath(cacheHome())
        && root.mkpath(runtimeDir())
        && QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void XdgSandbox::apply() const
{
    const QProcessEnvironment sandboxed = environment(QProcessEnvironment());
    for (const char* name : Variables)
        qputenv(name, sandboxed.value(QString::fromLatin1(name)).toLocal8Bit());
}

QProcessEnvironment XdgSandbox::environment(QProcessEnvironment base) const
{
    const QString folders[] = {configHome(), dataHome(), cacheHome(), runtimeDir()};
    for (int i = 0; i < 4; ++i)
        base.insert(QString::fromLatin1(Variables[i]), folders[i]);
    return base;
}
