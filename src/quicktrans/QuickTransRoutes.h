#pragma once

#include "core/DispatchRoutes.h"

// Id 7. "closePanelWindow" passes true as its second flag.
template <class Ctrl>
ActionTable<Ctrl> copyTransActions()
{
    return {
        DISPATCH_ACTION(requestTrans, a.s(0)),
        DISPATCH_ACTION(setStayOn, a.b(0)),
        DISPATCH_ACTION(setSourceLanguage, a.s(0)),
        {QStringLiteral("setTargetLanguage"),
         [](Ctrl& c, const DispatchArgs& a) { c.setTargetLanguageDebounced(a.s(0)); }},
        DISPATCH_ACTION(handleUIForEditor, a.d(0)),
        DISPATCH_ACTION(makePanelWindow, a.b(0)),
        DISPATCH_ACTION(closePanelWindow, a.b(0), true),
        DISPATCH_ACTION(startQuickSearch),
        DISPATCH_ACTION(startSelectTrans),
        DISPATCH_ACTION(fixDetailWindowPosi, a.i(0), a.i(1), a.i(2), a.i(3)),
        DISPATCH_ACTION(startCCTrans),
        DISPATCH_ACTION(fixDetailWindowSize, a.i(0), a.i(1)),
    };
}

// Id 8.
template <class Ctrl>
ActionTable<Ctrl> screenshotTransActions()
{
    return {
        DISPATCH_ACTION(startCapture),
        DISPATCH_ACTION(captureAndTrans, a.i(0), a.i(1), a.i(2), a.i(3)),
        DISPATCH_ACTION(requestTrans),
        DISPATCH_ACTION(setSourceLanguage, a.s(0)),
        {QStringLiteral("setTargetLanguage"),
         [](Ctrl& c, const DispatchArgs& a) { c.setTargetLanguageDebounced(a.s(0)); }},
        DISPATCH_ACTION(handleUIForEditor, a.d(0)),
        DISPATCH_ACTION(downloadImg),
        DISPATCH_ACTION(stopCapture),
    };
}
