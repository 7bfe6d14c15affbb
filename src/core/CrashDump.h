#pragma once

#include <QString>

// Crash dumps: installed once at start-up; a crash leaves "<id>.dmp" and a side file in the
// dump folder, and the next start turns the side file into the lastCrash* settings.

// The dump folder, "parlavineCrash" in the data folder.
QString crashDumpDir();

// Creates the dump folder when missing, installs the crash writer and has Dispatch hand it
// every new rendering of the action trail.
void installBreakpad();

// Consumes the side files of earlier crashes and stores, for the newest one whose dump exists,
// "lastCrashDmp", "lastCrashHasReport" = "0", "lastCrashFile" and "lastCrashHistory" in
// QuickStorage, then keeps the newest 10 dumps (and the one "lastCrashDmp" names). Call at
// start-up before anything reads those settings.
void recordLastCrash();
