#include "platform/ShellRegistration.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const char SchemeEntryFile[] = "parlavine.desktop";
const char FileEntryFile[] = "parlavine-transfile.desktop";

// An Exec argument quoted the desktop-entry way, then escaped as a string value.
QString quotedArgument(const QString& argument)
{
    QString quoted;
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c == QLatin1Char('%') ? QStringLiteral("%%") : QString(c);
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    return quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
}

QString entryText(const QString& name, const QString& exec, const QString& mimeTypes)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2\n"
                          "MimeType=%3\n"
                          "NoDisplay=true\n"
                          "Terminal=false\n")
        .arg(name, exec, mimeTypes);
}

void writeIfDifferent(const QString& path, const QString& text)
{
    const QByteArray content = text.toUtf8();
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
        return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size())
        file.commit();
}

} // namespace

QString ShellRegistration::applicationsDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/applications");
}

QString ShellRegistration::schemeEntryText(const QString& executable)
{
    return entryText(QStringLiteral("Parlavine"), quotedArgument(executable) + QStringLiteral(" --settings=%u"),
                     QStringLiteral("x-scheme-handler/parlavine;"));
}

QString ShellRegistration::fileEntryText(const QString& executable, const QString& fileActionName)
{
    // Every type derives from one of these two, so the action is offered for any file.
    return entryText(fileActionName, quotedArgument(executable) + QStringLiteral(" --transfile=%f"),
                     QStringLiteral("application/octet-stream;text/plain;"));
}

bool ShellRegistration::isPackaged(const QString& executable)
{
    return executable == QLatin1String(PARLAVINE_PACKAGED_EXECUTABLE);
}

void ShellRegistration::removeEntries(const QString& executable)
{
    const QString runsIt = QStringLiteral("\nExec=") + quotedArgument(executable) + QLatin1Char(' ');
    for (const char* name : {SchemeEntryFile, FileEntryFile}) {
        QFile entry(applicationsDir() + QLatin1Char('/') + QLatin1String(name));
        if (!entry.open(QIODevice::ReadOnly))
            continue;
        const bool ours = QString::fromUtf8(entry.readAll()).contains(runsIt);
        entry.close();
        if (ours)
            entry.remove();
    }
}

void ShellRegistration::registerEntries(const QString& executable, const QString& fileActionName)
{
    const QString dir = applicationsDir();
    if (!QDir().mkpath(dir))
        return;
    writeIfDifferent(dir + QLatin1Char('/') + QLatin1String(SchemeEntryFile), schemeEntryText(executable));
    writeIfDifferent(dir + QLatin1Char('/') + QLatin1String(FileEntryFile),
                     fileEntryText(executable, fileActionName));
}
