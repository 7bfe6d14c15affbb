#pragma once

// Environment variables settled while the process has one thread. Libraries that set a variable
// later (the web engine does when it first loads) then replace it in place; adding a new one
// reallocates the environment under the GL driver's threads, which read it at any time.
class EarlyEnvironment
{
public:
    static void settle();
};
