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
    enum class Kind { Default, Success, Failure, Body, Raw, Hang, Disconnect, CloseUnanswered };

    Kind kind = Kind::Default;
    QJsonValue payload;           // Success: general "value", or the "/api/imt" top-level fields
    QString code;                 // Failure: general "error", or "/api/imt" header "ret_code"
    QString message;              // Failure: "message"
    int status = 200;             // Failure: general "status"; Body and Raw: the HTTP status
    QJsonObject body;             // Body: the whole JSON reply
    QByteArray bytes;             // Raw: the reply bytes
    QByteArray contentType;       // Raw: the content type
    int delayMs = 0;              // waited before answering, whatever the kind
    // Raw only: how the bytes travel. chunkBytes > 0 sends them in pieces of that size with
    // chunkDelayMs between pieces; chunked uses chunked transfer encoding instead of a length;
    // untilClose sends neither, so the body ends where the connection closes; dropAfter >= 0
    // closes the connection after that many body bytes.
    int chunkBytes = 0;
    int chunkDelayMs = 0;
    bool chunked = false;
    bool untilClose = false;
    int dropAfter = -1;
    QByteArray location;          // Raw: a "Location" header (redirects)

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
    // Closes the connection after reading the request, before any byte of an answer: what a client
    // meets when the server ends a kept-alive connection just as the next request comes in.
    static StandinReply closeUnanswered();

    // A redirect to location with an empty body.
    static StandinReply redirect(const QByteArray& location, int httpStatus = 302);

    StandinReply after(int delayMs) const;
    // Raw only: the body in pieces of chunkBytes, delayMs apart (a slow trickle).
    StandinReply inPieces(int chunkBytes, int delayMs) const;
    // Raw only: chunked transfer encoding, so the client never learns the total size.
    StandinReply withoutLength() const;
    // Raw only: neither a length nor chunks: the body ends where the connection closes.
    StandinReply endedByClose() const;
    // Raw only: the connection closes after that many body bytes.
    StandinReply droppedAfter(int bytes) const;

    // The wire form of the control endpoint "POST /__standin/script".
    QJsonObject toJson() const;
    static StandinReply fromJson(const QJsonObject& json, bool* ok = nullptr);
};
