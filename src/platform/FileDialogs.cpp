#include "platform/FileDialogs.h"

#include "platform/QtFileDialogs.h"

static FileDialogs* s_installed = nullptr;

FileDialogs& FileDialogs::current()
{
    static QtFileDialogs system;
    return s_installed ? *s_installed : system;
}

void FileDialogs::install(FileDialogs* dialogs)
{
    s_installed = dialogs;
}
