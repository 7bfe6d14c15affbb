#pragma once

#include <QString>

// The start-up sequence; returns the process exit code.
int appMain(int argc, char** argv);

QString mainQmlUrl();
