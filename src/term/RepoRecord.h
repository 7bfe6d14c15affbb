#pragma once

#include <QString>
#include <QVariantList>
#include <QVariantMap>

// The repository records kept in State's repository maps, built from the server's objects.
namespace term {

constexpr int ReposPerPage = 20;
constexpr int EntriesPerPage = 50;

// "create_time" ("yyyy-MM-dd HH:mm:ss", a fraction after "." ignored) read as local time, in
// seconds since the epoch; 4294967295 when it does not read.
quint32 createTimeSeconds(const QString& createTime);

// A record from a listed repository: "id", "name", "exchange", "sourceLang", "targetLang",
// "reverse", the server's own "src_lang" and "tgt_lang" (what a delete sends back), empty
// "sentences", "sentenceCount" and "pageCount" 0, and "createTime".
QVariantMap listedRepo(const QVariantMap& server);
// The same from an add reply, without "pageCount" and "createTime".
QVariantMap addedRepo(const QVariantMap& server);

// {"id", "source", "target"} as text, in order.
QVariantList entriesOf(const QVariantList& content);

} // namespace term
