#pragma once

#include <QString>
#include <QVariantMap>

// The log entry points. They discard everything unless PARLAVINE_LOG_FILE names a file,
// in which case each message is appended there as one line (the file is made 0600). Arguments
// and data longer than 120 characters are shortened: they hold user texts and reply bodies.
void log(const QString& message);
void log(const QString& format, const QString& a1);
void log(const QString& format, const QString& a1, const QString& a2);
void log(const QString& format, const QString& a1, const QString& a2, const QString& a3);
void log(const QString& format, const QString& a1, const QString& a2, const QString& a3, const QString& a4);
void log(const QString& format, const QString& a1, const QString& a2, const QString& a3, const QString& a4,
         const QString& a5);
void log(const QString& message, const QVariantMap& data);

// What the log may say of a session, token, hash, check code or e-mail address: whether it is there.
QString redacted(const QString& secret);
