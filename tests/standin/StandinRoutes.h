#pragma once

#include "StandinRoute.h"

#include <QList>

// The routes the stand-in knows by default, one function per area in routes/<Area>Routes.cpp.
// To add an area: write routes/<Area>Routes.cpp defining StandinRoutes::<area>(), declare it here
// and append it in all() (StandinRoutes.cpp). A test that needs a one-off route calls
// StandinServer::addRoute instead.
namespace StandinRoutes {

QList<StandinRoute> all();

QList<StandinRoute> textTranslation();  // "/api/imt" functions of text translation; the history paths
QList<StandinRoute> textTranslationExtra(); // the same with strict bodies; memory, feedback
QList<StandinRoute> account();          // session renewal
QList<StandinRoute> update();           // version check, remote configuration and its document
QList<StandinRoute> collector();        // telemetry collector paths
QList<StandinRoute> fileTranslation();  // "auto_translation_file" tasks

// The check code the version-check reply carries for an offer.
QString versionCheckCode(qint64 requestTime, const QString& version, const QString& url, qint64 responseTime);

} // namespace StandinRoutes
