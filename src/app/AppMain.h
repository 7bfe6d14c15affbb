#pragma once

#include "core/ExitCodes.h"

#include <QString>
#include <QVector>

class ShareMemoryUtil;
struct StartArg;

// The start-up sequence; returns the process exit code.
int appMain(int argc, char** argv);

QString mainQmlUrl();

// The first instance: keeps the login-scheme text and the files of its own command line.
void applyStartRequests(const QVector<StartArg>& requests);

// A later start: sends the command line's request to the running instance. 0 when delivered;
// otherwise prints why and returns 2.
int handOverToRunningInstance(const QVector<StartArg>& requests);

// Gives up the marker and the instance servers, then starts the program again, detached and
// without arguments, so that the new process becomes the running instance. Returns 0.
int restartApplication(ShareMemoryUtil& marker);
