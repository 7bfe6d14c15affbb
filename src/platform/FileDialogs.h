#pragma once

#include <QString>
#include <QStringList>

// The modal file dialogs. Both run a nested event loop: anything may
// happen while one is open, the caller's own release included.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // Several existing files; empty when cancelled.
    virtual QStringList openFiles(const QString& caption, const QString& folder, const QString& filter) = 0;
    // One path to write to, the suggestion given in full; empty when cancelled. An empty filter
    // offers every file.
    virtual QString saveFile(const QString& caption, const QString& suggestedPath, const QString& filter) = 0;

    // The dialogs in use: the system's unless a test installed others (not owned; null restores).
    static FileDialogs& current();
    static void install(FileDialogs* dialogs);
};
