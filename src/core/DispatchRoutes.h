#pragma once

#include "core/DispatchArgs.h"

#include <QHash>
#include <QString>

#include <functional>

// The action tables of Dispatch: action name -> call of the controller's member with the
// arguments converted by position. They are templates over the controller class so that each
// table is plain data over the member names it routes to. Each feature folder keeps its own
// tables (<feature>/<Feature>Routes.h); AppWiring registers them.
template <class Ctrl>
using ActionTable = QHash<QString, std::function<void(Ctrl&, const DispatchArgs&)>>;

#define DISPATCH_ACTION(name, ...)                                                                 \
    {                                                                                              \
        QStringLiteral(#name), [](Ctrl& c, const DispatchArgs& a) {                                \
            Q_UNUSED(a)                                                                            \
            c.name(__VA_ARGS__);                                                                   \
        }                                                                                          \
    }
