#include "StandinReply.h"

#include <QHash>

namespace {

const QHash<QString, StandinReply::Kind>& kindNames()
{
    static const QHash<QString, StandinReply::Kind> names = {
        {QStringLiteral("default"), StandinReply::Kind::Default},
        {QStringLiteral("success"), StandinReply::Kind::Success},
        {QStringLiteral("failure"), StandinReply::Kind::Failure},
        {QStringLiteral("json"), StandinReply::Kind::Body},
        {QStringLiteral("raw"), StandinReply::Kind::Raw},
        {QStringLiteral("hang"), StandinReply::Kind::Hang},
        {QStringLiteral("disconnect"), StandinReply::Kind::Disconnect},
        {QStringLiteral("closeUnanswered"), StandinReply::Kind::CloseUnanswered},
    };
    return names;
}

StandinReply ofKind(StandinReply::Kind kind)
{
    StandinReply reply;
    reply.kind = kind;
    return reply;
}

} // namespace

StandinReply StandinReply::byDefault()
{
    return ofKind(Kind::Default);
}

StandinReply StandinReply::success(const QJsonValue& payload)
{
    StandinReply reply = ofKind(Kind::Success);
    reply.payload = payload;
    return reply;
}

StandinReply StandinReply::failure(const QString& code, const QString& message, int apiStatus)
{
    StandinReply reply = ofKind(Kind::Failure);
    reply.code = code;
    reply.message = message;
    reply.status = apiStatus;
    return reply;
}

StandinReply StandinReply::sessionOut()
{
    return failure(QStringLiteral("Session-Out"), QString(), 401);
}

StandinReply StandinReply::json(const QJsonObject& body, int httpStatus)
{
    StandinReply reply = ofKind(Kind::Body);
    reply.body = body;
    reply.status = httpStatus;
    return reply;
}

StandinReply StandinReply::raw(const QByteArray& bytes, const QByteArray& contentType, int httpStatus)
{
    StandinReply reply = ofKind(Kind::Raw);
    reply.bytes = bytes;
    reply.contentType = contentType;
    reply.status = httpStatus;
    return reply;
}

StandinReply StandinReply::httpStatus(int httpStatus)
{
    return raw(QByteArray(), "text/plain", httpStatus);
}

StandinReply StandinReply::malformedJson()
{
    return raw("{\"status\": 200, \"value\": {\"session\": ", "application/json");
}

StandinReply StandinReply::html()
{
    return raw("<html><body><h1>502 Bad Gateway</h1></body></html>", "text/html");
}

StandinReply StandinReply::hang()
{
    return ofKind(Kind::Hang);
}

StandinReply StandinReply::disconnect()
{
    return ofKind(Kind::Disconnect);
}

StandinReply StandinReply::closeUnanswered()
{
    return ofKind(Kind::CloseUnanswered);
}

StandinReply StandinReply::redirect(const QByteArray& location, int httpStatus)
{
    StandinReply reply = raw(QByteArray(), "text/plain", httpStatus);
    reply.location = location;
    return reply;
}

StandinReply StandinReply::after(int delay) const
{
    StandinReply reply = *this;
    reply.delayMs = delay;
    return reply;
}

StandinReply StandinReply::inPieces(int bytes, int delay) const
{
    StandinReply reply = *this;
    reply.chunkBytes = bytes;
    reply.chunkDelayMs = delay;
    return reply;
}

StandinReply StandinReply::withoutLength() const
{
    StandinReply reply = *this;
    reply.chunked = true;
    return reply;
}

StandinReply StandinReply::endedByClose() const
{
    StandinReply reply = *this;
    reply.untilClose = true;
    return reply;
}

StandinReply StandinReply::droppedAfter(int bytes) const
{
    StandinReply reply = *this;
    reply.dropAfter = bytes;
    return reply;
}

QJsonObject StandinReply::toJson() const
{
    return {
        {QStringLiteral("kind"), kindNames().key(kind)},
        {QStringLiteral("payload"), payload},
        {QStringLiteral("code"), code},
        {QStringLiteral("message"), message},
        {QStringLiteral("status"), status},
        {QStringLiteral("body"), body},
        {QStringLiteral("bytes"), QString::fromLatin1(bytes.toBase64())},
        {QStringLiteral("contentType"), QString::fromLatin1(contentType)},
        {QStringLiteral("delayMs"), delayMs},
        {QStringLiteral("chunkBytes"), chunkBytes},
        {QStringLiteral("chunkDelayMs"), chunkDelayMs},
        {QStringLiteral("chunked"), chunked},
        {QStringLiteral("untilClose"), untilClose},
        {QStringLiteral("dropAfter"), dropAfter},
        {QStringLiteral("location"), QString::fromLatin1(location)},
    };
}

StandinReply StandinReply::fromJson(const QJsonObject& json, bool* ok)
{
    const QString kindName = json.value(QStringLiteral("kind")).toString(QStringLiteral("default"));
    if (ok)
        *ok = kindNames().contains(kindName);
    StandinReply reply = ofKind(kindNames().value(kindName, Kind::Default));
    reply.payload = json.value(QStringLiteral("payload"));
    reply.code = json.value(QStringLiteral("code")).toString();
    reply.message = json.value(QStringLiteral("message")).toString();
    reply.status = json.value(QStringLiteral("status")).toInt(200);
    reply.body = json.value(QStringLiteral("body")).toObject();
    reply.bytes = QByteArray::fromBase64(json.value(QStringLiteral("bytes")).toString().toLatin1());
    reply.contentType = json.value(QStringLiteral("contentType")).toString().toLatin1();
    reply.delayMs = json.value(QStringLiteral("delayMs")).toInt();
    reply.chunkBytes = json.value(QStringLiteral("chunkBytes")).toInt();
    reply.chunkDelayMs = json.value(QStringLiteral("chunkDelayMs")).toInt();
    reply.chunked = json.value(QStringLiteral("chunked")).toBool();
    reply.untilClose = json.value(QStringLiteral("untilClose")).toBool();
    reply.dropAfter = json.value(QStringLiteral("dropAfter")).toInt(-1);
    reply.location = json.value(QStringLiteral("location")).toString().toLatin1();
    return reply;
}
