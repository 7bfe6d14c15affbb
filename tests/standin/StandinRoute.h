#pragma once

#include "StandinReply.h"
#include "StandinRequest.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class StandinServer;

// How a route reads its requests and writes success and failure replies.
enum class StandinEnvelope {
    Api,        // {"header", "value"} -> {"status", "value", "error", "message"}, API port
    Imt,        // "/api/imt" {"header": {"fn", ...}, fields} -> {"header": {"ret_code", "request_id"}, ...}
    Collector,  // telemetry collector port; query and form bodies
    Plain,      // a plain download on the API port; success(string) is sent as text/plain
};

// Runs on a server thread; may call the thread-safe StandinServer methods (sessions, URLs).
using StandinHandler = std::function<StandinReply(const StandinRequest&, StandinServer&)>;

// One thing the stand-in expects, with what a request must carry and its default answer.
struct StandinRoute
{
    QString key;                  // the path; for "/api/imt" functions imtKey(fn) or imtKey(fn, action)
    StandinEnvelope envelope = StandinEnvelope::Api;
    QByteArray method = "POST";
    QStringList required;         // dotted paths into the body, e.g. "header.session", "value.user_id"
    QStringList requiredQuery;    // URL query keys
    StandinHandler handler;
    // Extra strictness beyond `required`: returns why a request is unexpected, or "" when it is fine.
    std::function<QString(const StandinRequest&)> validate;

    static QString imtKey(const QString& fn, const QString& action = QString());
};

// The header fields of the two envelopes when the caller fills them from the signed-in user.
namespace StandinHeaders {
const QStringList& api();   // header.session, header.client_key, header.user_name
const QStringList& imt();   // header.session, header.client_key, header.user
QStringList with(QStringList base, const QStringList& more);
} // namespace StandinHeaders
