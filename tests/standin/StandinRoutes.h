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
QList<StandinRoute> account();          // account, workgroup and billing calls (stateful, StandinAccounts)
QList<StandinRoute> update();           // version check, remote configuration and its document
QList<StandinRoute> collector();        // telemetry collector paths
QList<StandinRoute> crashUpload();      // the crash-dump upload of the API
// The memory and term repository paths under "/api/memory/", over stores of their own (fresh on
// every call): {"tm": [...], "term": [...]} seeds them with repositories {"user_id", "name",
// "src_lang", "tgt_lang", "reversible", optional "create_time", "entries": [[source, target], ...]}.
QList<StandinRoute> repositories(const QJsonObject& seeded = QJsonObject());
QList<StandinRoute> fileTranslation();  // "auto_translation_file" tasks
QList<StandinRoute> loginPage();        // the social-login web page ("/zh-CN/client-login", "/en-US/...")

QList<StandinRoute> textRecognition();  // "text_recognize" of a PNG picture

// Where the social-login page sends the browser once the user is in: pageUrl + "?type=..&code=..&auto=..".
QString clientLoginLanding(const QString& pageUrl, const QString& type, const QString& code, const QString& autoLogin);

// The check code the version-check reply carries for an offer.
QString versionCheckCode(qint64 requestTime, const QString& version, const QString& url, qint64 responseTime);

// A version check answered with an offer whose check code is computed from the request.
struct VersionOffer
{
    enum Code { Upper, Lower, Wrong, Missing };
    QString version;
    QString url;
    QString desc;
    Code code = Upper;
    bool withResponseTime = true;   // else "response_time" is absent and the code uses 0
};
StandinRoute versionOffer(const VersionOffer& offer);

// A plain GET of path answered with reply (packages, documents, redirects).
StandinRoute download(const QString& path, const StandinReply& reply);

} // namespace StandinRoutes
