#pragma once

#include <QString>

// Start with the desktop session: an XDG autostart entry in $XDG_CONFIG_HOME/autostart.
class AutostartEntry
{
public:
    static QString path(); // .../autostart/parlavine.desktop

    // Writes the entry that runs program; false with the reason in *error when it cannot.
    static bool enable(const QString& program, QString* error);
    // Removes the entry; an absent entry is already disabled.
    static bool disable(QString* error);

    // The Exec value that runs program with no arguments, quoted as desktop entries want.
    static QString execValue(const QString& program);
};
