#pragma once

#include "core/DispatchRoutes.h"

// Id 3.
template <class Ctrl>
ActionTable<Ctrl> fileTransActions()
{
    return {
        DISPATCH_ACTION(translation, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(transWithBrowser, a.s(0), a.s(1)),
        DISPATCH_ACTION(removeTransHistory, a.m(0)),
        DISPATCH_ACTION(downloadTransHistory, a.s(0)),
        DISPATCH_ACTION(retryUpload, a.s(0)),
    };
}
