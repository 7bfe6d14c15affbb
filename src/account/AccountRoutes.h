#pragma once

#include "core/DispatchRoutes.h"

// Id 1.
template <class Ctrl>
ActionTable<Ctrl> userLoginActions()
{
    return {
        DISPATCH_ACTION(login, a.s(0), a.s(1), a.b(2)),
        DISPATCH_ACTION(addRegisterUser, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(logout),
        DISPATCH_ACTION(updatePasswd, a.s(0), a.s(1)),
        DISPATCH_ACTION(sendAddUserVerifyCode, a.s(0)),
        DISPATCH_ACTION(resetPasswdByCode, a.s(0), a.s(1), a.s(2), a.s(3)),
        DISPATCH_ACTION(loginWithCode, a.s(0), a.s(1), a.b(2)),
        DISPATCH_ACTION(autoLoginIfNeeded, a.b(0)),
        DISPATCH_ACTION(sendAddBindEmailCode, a.s(0)),
        DISPATCH_ACTION(cancelAutoLogin),
    };
}

// Id 4. "updateWorkgroupAdmin" takes (workgroup id, new administrator's id, name).
template <class Ctrl>
ActionTable<Ctrl> userInfoActions()
{
    return {
        DISPATCH_ACTION(updateApiToken),
        DISPATCH_ACTION(updateDefaultWorkgroup, a.s(0)),
        DISPATCH_ACTION(sendBindEmailCode, a.s(0)),
        DISPATCH_ACTION(updateEmail, a.s(0), a.s(1)),
        DISPATCH_ACTION(addWorkgroup, a.s(0)),
        DISPATCH_ACTION(rmWorkgroup, a.s(0), a.s(1)),
        DISPATCH_ACTION(addWorkgroupMem, a.s(0), a.s(1)),
        DISPATCH_ACTION(addWorkgroupIP, a.s(0), a.s(1)),
        DISPATCH_ACTION(rmWorkgroupMem, a.s(0), a.s(1)),
        DISPATCH_ACTION(rmWorkgroupIP, a.s(0), a.s(1)),
        DISPATCH_ACTION(fetchUserCostRecord, a.s(0), a.i(1), a.i(2)),
        DISPATCH_ACTION(updateWorkgroupAdmin, a.s(0), a.s(1), a.s(2)),
        // The page picked a workgroup: it becomes current and is loaded.
        {QStringLiteral("fetchWorkgroupInfo"),
         [](Ctrl& c, const DispatchArgs& a) { c.selectWorkgroup(a.s(0)); }},
    };
}
