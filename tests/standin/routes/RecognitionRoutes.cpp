#include "StandinRoutes.h"

#include <QColor>
#include <QImage>
#include <QJsonArray>

// Text recognition of a PNG picture. The reply is made from the picture itself, so a test can
// tell which picture arrived: two English lines, "hello world" and "<width>x<height> <colour>"
// with the colour of the centre pixel as "#rrggbb"; each line is a sentence, offsets in UTF-16
// units.
namespace {

QJsonObject sentence(const QString& text, const QString& line)
{
    return QJsonObject{{"str", line}, {"start", text.indexOf(line)}, {"len", line.size()}};
}

StandinReply recognize(const StandinRequest& request)
{
    const QString base64 = request.at(QStringLiteral("source.content_base64")).toString();
    const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    QImage picture;
    if (!decoded || !picture.loadFromData(decoded.decoded, "PNG") || picture.isNull())
        return StandinReply::failure(QStringLiteral("bad-content"), QStringLiteral("content_base64 is not a PNG"));
    const QString first = QStringLiteral("hello world");
    const QString second = QStringLiteral("%1x%2 %3")
                               .arg(picture.width())
                               .arg(picture.height())
                               .arg(picture.pixelColor(picture.width() / 2, picture.height() / 2).name());
    const QString text = first + QLatin1Char('\n') + second;
    return StandinReply::success(QJsonObject{{"text", text},
                                             {"language", "en"},
                                             {"sentence_list", QJsonArray{sentence(text, first), sentence(text, second)}}});
}

} // namespace

QList<StandinRoute> StandinRoutes::textRecognition()
{
    StandinRoute route;
    route.key = StandinRoute::imtKey(QStringLiteral("text_recognize"));
    route.envelope = StandinEnvelope::Imt;
    route.required = StandinHeaders::with(StandinHeaders::imt(), {"source.file_type", "source.content_base64"});
    route.validate = [](const StandinRequest& request) {
        return request.at(QStringLiteral("source.file_type")).toString() == QLatin1String("png")
                   ? QString()
                   : QStringLiteral("source.file_type is not \"png\"");
    };
    route.handler = [](const StandinRequest& request, StandinServer&) { return recognize(request); };
    return {route};
}
