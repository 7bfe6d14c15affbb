#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

// Per-user folders under one temporary folder, removed with the object: XDG_CONFIG_HOME,
// XDG_DATA_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR (mode 0700), so that no test touches the
// real settings, database or crash folders.
class XdgSandbox
{
public:
    XdgSandbox();

    bool isValid() const { return m_valid; }
    QString path() const { return m_root.path(); }
    QString configHome() const { return path() + QStringLiteral("/config"); }
    QString dataHome() const { return path() + QStringLiteral("/data"); }
    QString cacheHome() const { return path() + QStringLiteral("/cache"); }
    QString runtimeDir() const { return path() + QStringLiteral("/runtime"); }

    // Points this process's XDG_* variables at the sandbox (before QApplication exists).
    void apply() const;
    // The given environment with the XDG_* variables pointing at the sandbox, for a child process.
    QProcessEnvironment environment(QProcessEnvironment base = QProcessEnvironment::systemEnvironment()) const;

private:
    QTemporaryDir m_root;
    bool m_valid = false;
};
