#pragma once

#include <QByteArray>
#include <QString>

// Writes a dump when the process dies of SIGSEGV, SIGBUS, SIGILL, SIGFPE or SIGABRT, then lets
// it die of that signal. The handler runs on an alternate stack and only makes async-signal-safe
// calls on names and buffers prepared beforehand.
//
// After a complete dump it writes the side file: sideHeader followed by the latest trail,
// first under sidePath + ".tmp", then renamed, so a side file always describes a whole dump.
// Another thread crashing meanwhile waits for that dump before the process dies.
class CrashWriter
{
public:
    // Replaces any handler installed before (ours or a sanitizer's); a later call re-targets the
    // files. False when a path is too long to keep, in which case nothing is installed.
    static bool install(const QString& dumpPath, const QString& sidePath, const QByteArray& sideHeader);

    // Keeps a copy for the handler. Call from one thread; an oversized text is kept as empty.
    static void setTrail(const QByteArray& trail);
};
