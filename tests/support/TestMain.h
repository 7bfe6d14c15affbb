#pragma once

#include "XdgSandbox.h"
#include "core/AppResources.h"
#include "app/AppWiring.h"
#include "platform/EarlyEnvironment.h"

#include <QApplication>
#include <QCoreApplication>
#include <QtTest>

// Test mains that isolate the XDG folders before the application object exists, load the
// compiled-in resources and wire the routes and hooks as the program does. Use instead of
// QTEST_MAIN / QTEST_GUILESS_MAIN.
#define PARLAVINE_TEST_MAIN(TestObject)                                                                                \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        EarlyEnvironment::settle();                                                                                    \
        XdgSandbox xdgSandbox;                                                                                         \
        xdgSandbox.apply();                                                                                            \
        QApplication app(argc, argv);                                                                                  \
        initResources();                                                                                               \
        AppWiring::wire();                                                                                             \
        TestObject test;                                                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }

#define PARLAVINE_GUILESS_TEST_MAIN(TestObject)                                                                        \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        XdgSandbox xdgSandbox;                                                                                         \
        xdgSandbox.apply();                                                                                            \
        QCoreApplication app(argc, argv);                                                                              \
        initResources();                                                                                               \
        AppWiring::wire();                                                                                             \
        TestObject test;                                                                                               \
        QTEST_SET_MAIN_SOURCE_PATH                                                                                     \
        return QTest::qExec(&test, argc, argv);                                                                        \
    }
