#pragma once

#include <QString>

class StandinProcess;

// The stand-in's user "ann", logged in by the client's remembered login at start.
namespace RememberedUser {

// The "loginTemp" setting of that login, written the way the client writes it.
QString loginSetting();
// Whether the client has renewed the session, the last step of its automatic login.
bool sessionRenewed(StandinProcess& standin);

} // namespace RememberedUser
