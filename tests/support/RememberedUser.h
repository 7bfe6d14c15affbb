#pragma once

#include <QMap>
#include <QString>

class AppProcess;
class StandinProcess;

// The stand-in's user "ann", logged in by the client's remembered login at start.
namespace RememberedUser {

// The "loginTemp" setting of that login, written the way the client writes it.
QString loginSetting();
// Whether the client has renewed the session, the last step of its automatic login.
bool sessionRenewed(StandinProcess& standin);
// Starts the client against the stand-in with that login and these settings besides, logging to
// "parlavine.log" in its sandbox; true once the login is complete (its hotkeys and quick
// translation are then installed).
bool startSignedIn(AppProcess& app, StandinProcess& standin, const QMap<QString, QString>& settings);

} // namespace RememberedUser
