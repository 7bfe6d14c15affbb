#pragma once

#include "core/DispatchRoutes.h"

// Ids 5 and 6: the memory and term repository controllers answer the same actions.
template <class Ctrl>
ActionTable<Ctrl> repoActions()
{
    return {
        DISPATCH_ACTION(updateRepoList, a.b(0)),
        DISPATCH_ACTION(updateRepoSentences, a.s(0), a.b(1)),
        DISPATCH_ACTION(addRepo, a.s(0), a.s(1), a.s(2), a.b(3)),
        DISPATCH_ACTION(addRepoSent, a.s(0), a.s(1), a.s(2)),
        DISPATCH_ACTION(deleteRepo, a.s(0), a.s(1), a.s(2), a.s(3), a.b(4)),
        DISPATCH_ACTION(deleteRepoSent, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(updateRepoSent, a.s(0), a.s(1), a.s(2), a.s(3)),
    };
}
