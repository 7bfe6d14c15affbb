#include "platform/AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString AutostartEntry::path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/autostart/parlavine.desktop");
}

QString AutostartEntry::execValue(const QString& program)
{
    QString quoted;
    for (const QChar c : program) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        // A bare % would start a field code the launcher expands.
        quoted += c == '%' ? QStringLiteral("%%") : QString(c);
    }
    // The key's value is itself unescaped once more: every backslash doubles again.
    quoted.replace('\\', QStringLiteral("\\\\"));
    return '"' + quoted + '"';
}

bool AutostartEntry::enable(const QString& program, QString* error)
{
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        *error = QStringLiteral("cannot create %1").arg(QFileInfo(file).absolutePath());
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = out.errorString();
        return false;
    }
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Parlavine\n"
                                         "Exec=%1\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(execValue(program));
    out.write(entry.toUtf8());
    if (!out.commit()) {
        *error = out.errorString();
        return false;
    }
    return true;
}

bool AutostartEntry::disable(QString* error)
{
    QFile file(path());
    if (!file.exists() || file.remove())
        return true;
    *error = file.errorString();
    return false;
}
