#pragma once

#include <QString>

// A folder only the current user can reach, for rendezvous files (locks, sockets):
// $XDG_RUNTIME_DIR, else a private "parlavine-<uid>" folder in the temp folder, else (when someone
// else holds that name) a private "parlavine-runtime" folder in the user's cache folder.
class UserRuntimeDir
{
public:
    // Empty only when not even the cache folder can give a private folder.
    static QString path();
};
