#pragma once

#include "core/DispatchRoutes.h"

// Id 2.
template <class Ctrl>
ActionTable<Ctrl> textTransActions()
{
    return {
        DISPATCH_ACTION(translation, a.s(0), a.s(1), a.s(2), a.b(3), a.b(4), a.s(5)),
        DISPATCH_ACTION(searchSuggestions, a.s(0), a.s(1), a.s(2)),
        DISPATCH_ACTION(searchSelectSuggestions, a.s(0), a.s(1), a.i(2), a.i(3), a.s(4), a.s(5)),
        DISPATCH_ACTION(dynamicTransSuggestion, a.s(0), a.s(1), a.s(2), a.s(3), a.s(4), a.i(5), a.i(6)),
        DISPATCH_ACTION(handleUIForEditor, a.d(0), a.s(1)),
        DISPATCH_ACTION(transHistoryMakeDelete, a.i(0)),
        DISPATCH_ACTION(transHistoryMakeCopy, a.i(0), a.b(1)),
        DISPATCH_ACTION(transHistoryTranslate, a.i(0)),
        DISPATCH_ACTION(refreshTransHistory, a.b(0), a.b(1)),
        DISPATCH_ACTION(dynamicTransIme, a.s(0), a.s(1), a.s(2), a.s(3), a.s(4), a.i(5), a.i(6), a.i(7)),
        DISPATCH_ACTION(saveTermSentence, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(feedback, a.s(0), a.s(1), a.s(2), a.s(3), a.s(4), a.s(5), a.l(6)),
        DISPATCH_ACTION(refetchFailedSupportLang),
    };
}
