#include "StandinRoutes.h"
#include "StandinShape.h"

#include <QJsonArray>
#include <QSet>

#include <functional>

// Strict bodies for the text-translation calls (translation, suggestions, history, memory, feedback): a request must carry exactly the keys the client
// is meant to send, with the JSON types it is meant to send; anything else is a violation.
namespace {

// The shape of a body: nested objects name their keys; leaves are sample values of the right type.
using ShapeOf = std::function<QJsonObject(const StandinRequest&)>;

StandinRoute strict(StandinRoute route, const ShapeOf& shapeOf, const QSet<QString>& optional = {})
{
    const QString key = route.key;
    route.validate = [key, shapeOf, optional](const StandinRequest& request) {
        const QString why = StandinShape::mismatch(request.body, shapeOf(request), QString(), optional);
        return why.isEmpty() ? why : QStringLiteral("%1: %2").arg(key, why);
    };
    return route;
}

ShapeOf fixed(const QJsonObject& shape)
{
    return [shape](const StandinRequest&) { return shape; };
}

const QString S;                 // any string
const QJsonArray A;              // any array
constexpr bool B = false;        // any bool

QJsonObject imtHeader()
{
    return {{"fn", S}, {"session", S}, {"client_key", S}, {"user", S}};
}

QJsonObject apiHeaderShape()
{
    return StandinShape::apiHeader();
}

QJsonObject apiBody(const QJsonObject& value)
{
    return {{"header", apiHeaderShape()}, {"value", value}};
}

ShapeOf supportLangShape()
{
    // The text-translation table is asked for with the function name alone.
    return [](const StandinRequest& request) {
        const bool bare = request.at(QStringLiteral("type")).toString() == QLatin1String("auto_translation");
        return QJsonObject{{"header", bare ? QJsonObject{{"fn", S}} : imtHeader()}, {"type", S}, {"sort_by", S}};
    };
}

QJsonObject textAnalysisShape()
{
    return {{"header", imtHeader()}, {"normalize", QJsonObject{{"merge_broken_line", B}}}, {"text", S}, {"type", S}};
}

QJsonObject autoTranslationShape()
{
    return {{"header", imtHeader()},
            {"model_category", S},
            {"type", S},
            {"text_domain", S},
            {"reference", QJsonObject{{"sentence_lib", A}, {"term_lib", A}}},
            {"source", QJsonObject{{"lang", S}, {"text_list", A}}},
            {"target", QJsonObject{{"lang", S}}}};
}

QJsonObject suggestionShape(const QJsonObject& source, const QJsonObject& target, const QJsonObject& limit)
{
    return {{"header", imtHeader()},
            {"refernece", QJsonObject{{"sentence_lib", A}, {"term_lib", A}}},
            {"source", source},
            {"target", target},
            {"limit", limit}};
}

QJsonObject staticSuggestionShape()
{
    QJsonObject shape = suggestionShape(QJsonObject{{"lang", S}, {"text", S}}, QJsonObject{{"lang", S}},
                                        QJsonObject{{"phrase", 0}, {"sentence", 0}});
    shape.insert("model_category", S);
    shape.insert("type", S);
    return shape;
}

QJsonObject selectionSuggestionShape()
{
    return suggestionShape(QJsonObject{{"lang", S}, {"text", S}, {"segment_list", A}},
                           QJsonObject{{"lang", S}, {"text", S}}, QJsonObject{{"select", 0}});
}

QJsonObject dynamicSuggestionShape()
{
    return suggestionShape(QJsonObject{{"lang", S}, {"text", S}},
                           QJsonObject{{"lang", S}, {"text_typing", S}, {"editing_segment_pos", 0}, {"caret_pos", 0}, {"text", S}},
                           QJsonObject{{"ime", 0}, {"segment", 0}});
}

StandinRoute apiRoute(const QString& path, const QJsonObject& value)
{
    StandinRoute route;
    route.key = path;
    route.envelope = StandinEnvelope::Api;
    route.required = StandinHeaders::api();
    route.handler = [](const StandinRequest&, StandinServer&) { return StandinReply::success(true); };
    return strict(route, fixed(apiBody(value)));
}

} // namespace

QList<StandinRoute> StandinRoutes::textTranslationExtra()
{
    const QHash<QString, std::pair<ShapeOf, QSet<QString>>> shapes{
        {StandinRoute::imtKey(QStringLiteral("support_lang")), {supportLangShape(), {}}},
        {StandinRoute::imtKey(QStringLiteral("text_analysis")), {fixed(textAnalysisShape()), {}}},
        {StandinRoute::imtKey(QStringLiteral("auto_translation")),
         {fixed(autoTranslationShape()), {QStringLiteral("text_domain")}}},
        {StandinRoute::imtKey(QStringLiteral("static_suggestion")), {fixed(staticSuggestionShape()), {}}},
        {StandinRoute::imtKey(QStringLiteral("selection_suggestion")), {fixed(selectionSuggestionShape()), {}}},
        {StandinRoute::imtKey(QStringLiteral("dynamic_suggestion")), {fixed(dynamicSuggestionShape()), {}}},
        {QStringLiteral("/api/transtask/addTransHistory"),
         {fixed(apiBody({{"user_id", S},
                         {"src_lang", S},
                         {"tgt_lang", S},
                         {"type", S},
                         {"human_modified", B},
                         {"src_text", S},
                         {"src_segment_list", A},
                         {"tgt_text", S},
                         {"tgt_segment_list", A}})),
          {}}},
        {QStringLiteral("/api/transtask/findTransHistoryByUserIdByPage"),
         {fixed(QJsonObject{{"header", apiHeaderShape()}, {"value", S}, {"page", QJsonObject{{"page", 0}, {"size", 0}}}}), {}}},
        {QStringLiteral("/api/transtask/fetchTransHistory"),
         {fixed(QJsonObject{{"header", apiHeaderShape()}, {"value", S}}), {}}},
        {QStringLiteral("/api/transtask/deleteTransHistory"), {fixed(apiBody({{"user_id", S}, {"id", S}})), {}}},
    };
    QList<StandinRoute> routes;
    for (const StandinRoute& route : textTranslation()) {
        const auto shape = shapes.constFind(route.key);
        routes.append(shape == shapes.constEnd() ? route : strict(route, shape->first, shape->second));
    }
    routes.append(apiRoute(QStringLiteral("/api/memory/quickAddTmSent"),
                           {{"source", S}, {"target", S}, {"src_lang", S}, {"tgt_lang", S}}));
    routes.append(apiRoute(QStringLiteral("/api/feedback/translate/record"),
                           {{"type", S},
                            {"source_lang", S},
                            {"source_text", S},
                            {"target_lang", S},
                            {"target_text", S},
                            {"domain", S},
                            {"reason", A},
                            {"modified", B}}));
    return routes;
}
