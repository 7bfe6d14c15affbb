#pragma once

#include <QString>

// Makes the desktop hand "parlavine:" links and files to this executable, through two entries in
// the user's applications folder ($XDG_DATA_HOME/applications): the URL-scheme handler
// ("--settings=<url>") and a "translate this file" action for every file type ("--transfile=<path>").
// Each file is rewritten only when its content differs; failures are silent. The program the Debian
// package installs has these entries system-wide instead, in the package, so that they go with it.
class ShellRegistration
{
public:
    // executable: the absolute path of the program; fileActionName: the file action's label.
    static void registerEntries(const QString& executable, const QString& fileActionName);
    // True for the program where the Debian package installs it.
    static bool isPackaged(const QString& executable);
    // Removes the user's entries that run executable (written by an earlier version), which would
    // otherwise outlive the package's removal.
    static void removeEntries(const QString& executable);

    // The folder the entries go to.
    static QString applicationsDir();
    static QString schemeEntryText(const QString& executable);
    static QString fileEntryText(const QString& executable, const QString& fileActionName);

    ShellRegistration() = delete;
};
