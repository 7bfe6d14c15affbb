#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// One reply of the stand-in, either scripted by a test or produced by a route's default handler.
// Success and failure are written in the envelope of the route that answers (general API,
// "/api/imt", collector or plain download); the other kinds are sent as they are.
struct StandinReply
{
    enum class Kind { Default, Success, Failure, Body, Raw, Hang, Disconnect };

    Kind kind = Kind::Default;
    QJsonValue payload;           // Success: general "value", or the "/api/imt" top-level fields
    QString code;                 // Failure: general "error", or "/api/imt" header "ret_code"
    QString message;              // Failure: "message"
    int status = 200;             // Failure: general "status"; Body and Raw: the HTTP status
    QJsonObject body;             // Body: the whole JSON reply
    QByteArray bytes;             // Raw: the reply bytes
    QByteArray contentType;       // Raw: the content type
    int delayMs = 0;              // waited before answering, whatever the kind

    // The route's own default answer (useful with after()).
    static StandinReply byDefault();
    static StandinReply success(const QJsonValue& payload = QJsonValue());
    // General API: {"status": apiStatus, "error": code, "message"}; "/api/imt": header "ret_code" = code.
    static StandinReply failure(const QString& code, const QString& message = QString(), int apiStatus = 500);
    // The expired-session answer of either envelope.
    static StandinReply sessionOut();
    static StandinReply json(const QJsonObject& body, int httpStatus = 200);
    static StandinReply raw(const QByteArray& bytes, const QByteArray& contentType, int httpStatus = 200);
    static StandinReply httpStatus(int httpStatus);
    static StandinReply malformedJson();
    static StandinReply html();
    // Never answers; the request is released only when the server stops.
    static StandinReply hang();
    // Sends the headers and half of the body, then closes the connection.
    static StandinReply disconnect();

    StandinReply after(int delayMs) const;

    // The wire form of the control endpoint "POST /__standin/script".
    QJsonObject toJson() const;
    static StandinReply fromJson(const QJsonObject& json, bool* ok = nullptr);
};
