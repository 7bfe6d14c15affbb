#pragma once

#include <QString>

// A folder only the current user can reach, for rendezvous files (locks, sockets):
// $XDG_RUNTIME_DIR, else a private "parlavine-<uid>" folder in the temp folder.
class UserRuntimeDir
{
public:
    // Empty when no safe folder can be had (the temp fallback exists but belongs to someone else).
    static QString path();
};
