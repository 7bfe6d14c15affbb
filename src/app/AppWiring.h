#pragma once

#include <QString>

class QQmlEngine;

// Puts the pieces together the one way the program, the tests and the benchmark share.
namespace AppWiring {

// Registers every feature's action table with Dispatch (the shell's id 0 included) and the
// hooks through which shared code reaches the shell and telemetry. Runs after the State,
// Dispatch and GlobalCtrl singletons exist and before any QML engine.
void wire();

// What the QML documents find on `engine`: the table model types, "$state", "$dispatch",
// "$iconfont", "$mainfont" (the application font's family when empty) and the image provider.
// Returns the icon font's family.
QString setUpEngine(QQmlEngine& engine, const QString& mainFont = QString());

} // namespace AppWiring
