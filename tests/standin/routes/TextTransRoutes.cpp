#include "StandinRoutes.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <memory>
#include <mutex>

// Deterministic toy behaviour, good enough for a person to see the client work: sentences end at
// . ! ? 。！？ or a line break, zh and ja are told from en by their scripts, and a translation is a
// word-table substitution behind the visible marker "[<target>] ".
namespace {

const char SupportLangJson[] = R"json({
  "prefer_source_lang": [
    {"code": "auto", "chn_name": "自动检测", "eng_name": "auto detect", "space": false, "pinyin": "zidongjiance"},
    {"code": "zh", "chn_name": "中文", "eng_name": "chinese", "space": false, "pinyin": "zhongwen"},
    {"code": "en", "chn_name": "英语", "eng_name": "english", "space": true, "pinyin": "yingyu"}
  ],
  "full_lang_pair": [
    {"source": {"code": "auto", "chn_name": "自动检测", "eng_name": "auto detect", "space": false, "pinyin": "zidongjiance"},
     "target_list": [
       {"code": "zh", "chn_name": "中文", "eng_name": "chinese", "space": false, "pinyin": "zhongwen", "preferable": true,
        "support": {"auto_translation": true, "auto_translation_file": true, "static_suggestion": true, "selection_suggestion": true, "dynamic_suggestion": true}},
       {"code": "en", "chn_name": "英语", "eng_name": "english", "space": true, "pinyin": "yingyu", "preferable": true,
        "support": {"auto_translation": true, "auto_translation_file": true, "static_suggestion": true, "selection_suggestion": true, "dynamic_suggestion": true}},
       {"code": "ja", "chn_name": "日语", "eng_name": "japanese", "space": false, "pinyin": "riyu", "preferable": false,
        "support": {"auto_translation": true}}
     ]},
    {"source": {"code": "zh", "chn_name": "中文", "eng_name": "chinese", "space": false, "pinyin": "zhongwen"},
     "target_list": [
       {"code": "en", "chn_name": "英语", "eng_name": "english", "space": true, "pinyin": "yingyu", "preferable": true,
        "support": {"auto_translation": true, "auto_translation_file": true, "static_suggestion": true,
                    "selection_suggestion": true, "dynamic_suggestion": true},
        "domain": [
          {"code": "general", "chn_name": "通用", "eng_name": "general", "preferable": true},
          {"code": "patent", "chn_name": "专利", "eng_name": "patent", "preferable": false}
        ]},
       {"code": "ja", "chn_name": "日语", "eng_name": "japanese", "space": false, "pinyin": "riyu", "preferable": false,
        "support": {"auto_translation": true, "auto_translation_file": true, "static_suggestion": false,
                    "selection_suggestion": false, "dynamic_suggestion": false}}
     ]},
    {"source": {"code": "en", "chn_name": "英语", "eng_name": "english", "space": true, "pinyin": "yingyu"},
     "target_list": [
       {"code": "zh", "chn_name": "中文", "eng_name": "chinese", "space": false, "pinyin": "zhongwen", "preferable": true,
        "support": {"auto_translation": true, "auto_translation_file": true, "static_suggestion": true,
                    "selection_suggestion": true, "dynamic_suggestion": true},
        "domain": [
          {"code": "general", "chn_name": "通用", "eng_name": "general", "preferable": true}
        ]},
       {"code": "ja", "chn_name": "日语", "eng_name": "japanese", "space": false, "pinyin": "riyu", "preferable": false,
        "support": {"auto_translation": true, "auto_translation_file": false, "static_suggestion": false,
                    "selection_suggestion": false, "dynamic_suggestion": false}}
     ]},
    {"source": {"code": "ja", "chn_name": "日语", "eng_name": "japanese", "space": false, "pinyin": "riyu"},
     "target_list": [
       {"code": "zh", "chn_name": "中文", "eng_name": "chinese", "space": false, "pinyin": "zhongwen", "preferable": true,
        "support": {"auto_translation": true}},
       {"code": "en", "chn_name": "英语", "eng_name": "english", "space": true, "pinyin": "yingyu", "preferable": false,
        "support": {"auto_translation": true}}
     ]}
  ]
})json";

// English word -> Chinese word; the reverse direction uses the same table.
const QHash<QString, QString>& englishToChinese()
{
    static const QHash<QString, QString> table = {
        {"hello", "你好"}, {"world", "世界"}, {"good", "好"},     {"morning", "早上"}, {"thank", "谢谢"},
        {"you", "你"},     {"i", "我"},       {"love", "爱"},     {"this", "这"},      {"is", "是"},
        {"a", "一个"},     {"test", "测试"},  {"cat", "猫"},      {"dog", "狗"},       {"book", "书"},
        {"water", "水"},   {"friend", "朋友"}, {"translation", "翻译"}, {"text", "文本"}, {"today", "今天"},
    };
    return table;
}

QString translateFromEnglish(const QString& sentence)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    QString out;
    int pos = 0;
    for (auto it = word.globalMatch(sentence); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += sentence.mid(pos, match.capturedStart() - pos);
        out += englishToChinese().value(match.captured().toLower(), match.captured());
        pos = match.capturedEnd();
    }
    return out + sentence.mid(pos);
}

QString translateFromChinese(const QString& sentence)
{
    QHash<QString, QString> reverse;
    for (auto it = englishToChinese().cbegin(); it != englishToChinese().cend(); ++it)
        reverse.insert(it.value(), it.key());
    static const QString wide = QStringLiteral("。！？，");
    static const QString narrow = QStringLiteral(".!?,");
    QStringList words;
    for (int i = 0; i < sentence.size();) {
        const QString two = sentence.mid(i, 2);
        const QString one = sentence.mid(i, 1);
        const QString known = reverse.contains(two) ? two : (reverse.contains(one) ? one : QString());
        const int punctuation = wide.indexOf(one);
        if (punctuation >= 0 && !words.isEmpty())
            words.last() += narrow.at(punctuation);
        else
            words.append(known.isEmpty() ? one : reverse.value(known));
        i += known.isEmpty() ? 1 : known.size();
    }
    return words.join(QLatin1Char(' '));
}

QString detectLanguage(const QString& text)
{
    static const QRegularExpression kana(QStringLiteral("[\\x{3040}-\\x{30FF}]"));
    static const QRegularExpression han(QStringLiteral("[\\x{4E00}-\\x{9FFF}]"));
    if (text.contains(kana))
        return QStringLiteral("ja");
    return text.contains(han) ? QStringLiteral("zh") : QStringLiteral("en");
}

bool endsSentence(QChar c)
{
    return QStringLiteral(".!?。！？").contains(c);
}

QJsonArray splitSentences(const QString& text)
{
    QJsonArray sentences;
    int i = 0;
    while (i < text.size()) {
        while (i < text.size() && text.at(i).isSpace())
            ++i;
        const int start = i;
        while (i < text.size() && text.at(i) != QLatin1Char('\n') && !endsSentence(text.at(i)))
            ++i;
        if (i < text.size() && endsSentence(text.at(i)))
            ++i;
        int end = i;
        while (end > start && text.at(end - 1).isSpace())
            --end;
        if (end > start)
            sentences.append(QJsonObject{{"str", text.mid(start, end - start)}, {"start", start}, {"len", end - start}});
    }
    return sentences;
}

StandinReply analyse(const StandinRequest& request)
{
    QString text = request.at(QStringLiteral("text")).toString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (request.at(QStringLiteral("normalize.merge_broken_line")).toBool())
        text.replace(QRegularExpression(QStringLiteral("(?<!\\n)\\n(?!\\n)")), QStringLiteral(" "));
    return StandinReply::success(QJsonObject{
        {"text", text}, {"language", detectLanguage(text)}, {"sentence_list", splitSentences(text)}});
}

// The toy translation of a whole text, without the visible marker.
QString translateText(const QString& text, const QString& source, const QString& target)
{
    if (target == QLatin1String("zh") && source != QLatin1String("zh"))
        return translateFromEnglish(text);
    if (target == QLatin1String("en") && source == QLatin1String("zh"))
        return translateFromChinese(text);
    return text;
}

StandinReply translate(const StandinRequest& request)
{
    const QString source = request.at(QStringLiteral("source.lang")).toString();
    const QString target = request.at(QStringLiteral("target.lang")).toString();
    QJsonArray translated;
    for (const QJsonValue& sentence : request.at(QStringLiteral("source.text_list")).toArray()) {
        translated.append(QStringLiteral("[%1] %2").arg(target, translateText(sentence.toString(), source, target)));
    }
    return StandinReply::success(QJsonObject{{"auto_translation", translated}});
}

QString sourceLanguage(const StandinRequest& request, const QString& text)
{
    const QString lang = request.at(QStringLiteral("source.lang")).toString();
    return lang == QLatin1String("auto") ? detectLanguage(text) : lang;
}

// Every sentence is an example from the public library; every known word is a term.
StandinReply suggestStatic(const StandinRequest& request)
{
    const QString text = request.at(QStringLiteral("source.text")).toString();
    const QString source = sourceLanguage(request, text);
    const QString target = request.at(QStringLiteral("target.lang")).toString();
    QJsonArray examples;
    for (const QJsonValue& value : splitSentences(text)) {
        if (examples.size() >= request.at(QStringLiteral("limit.sentence")).toInt())
            break;
        const QString sentence = value.toObject().value(QStringLiteral("str")).toString();
        examples.append(QJsonObject{
            {"score", 0.8765},
            {"source", sentence},
            {"trans_list", QJsonArray{QJsonObject{
                               {"text", translateText(sentence, source, target)}, {"score", 0.8765}, {"repo_name", "default"}}}}});
    }
    QJsonArray terms;
    QStringList seen;
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+"));
    for (auto it = word.globalMatch(text); it.hasNext();) {
        const QString found = it.next().captured().toLower();
        if (terms.size() >= request.at(QStringLiteral("limit.phrase")).toInt())
            break;
        if (seen.contains(found) || !englishToChinese().contains(found))
            continue;
        seen.append(found);
        terms.append(QJsonObject{{"score", 1}, {"source", found}, {"trans_list", QJsonArray{englishToChinese().value(found)}}});
    }
    return StandinReply::success(QJsonObject{{"sentence_example_list", examples}, {"term_list", terms}});
}

// The selected segment translated, then the same with the target's marker.
StandinReply suggestSelection(const StandinRequest& request)
{
    const QString text = request.at(QStringLiteral("source.text")).toString();
    const QString selected =
        request.at(QStringLiteral("source.segment_list")).toArray().at(1).toObject().value(QStringLiteral("str")).toString();
    const QString target = request.at(QStringLiteral("target.lang")).toString();
    const QString translated = translateText(selected, sourceLanguage(request, text), target);
    QJsonArray suggestions;
    for (const QString& suggestion : {translated, QStringLiteral("[%1] %2").arg(target, translated)}) {
        if (suggestions.size() < request.at(QStringLiteral("limit.select")).toInt())
            suggestions.append(QJsonObject{{"text", suggestion}});
    }
    return StandinReply::success(QJsonObject{{"segment_suggestion", suggestions}});
}

// Input-method candidates for the word being typed: the known English words it begins, shown in
// the target language.
QJsonArray imeCandidates(const QString& partial, const QString& target, int limit)
{
    QStringList words;
    for (auto it = englishToChinese().cbegin(); it != englishToChinese().cend(); ++it) {
        if (!partial.isEmpty() && it.key().startsWith(partial.toLower()))
            words.append(it.key());
    }
    words.sort();
    QJsonArray candidates;
    for (const QString& found : words.mid(0, limit)) {
        QJsonObject candidate{{"text", found}, {"source_str", partial}};
        if (target == QLatin1String("zh")) {
            candidate.insert("text", englishToChinese().value(found));
            candidate.insert("ext_str", englishToChinese().value(found));
        }
        candidates.append(candidate);
    }
    return candidates;
}

// The translation of the source is the suggested sentence: the part already typed is its prefix,
// the word after it the suggestion.
StandinReply suggestDynamic(const StandinRequest& request)
{
    const QString text = request.at(QStringLiteral("source.text")).toString();
    const QString target = request.at(QStringLiteral("target.lang")).toString();
    const QString sentence = translateText(text, sourceLanguage(request, text), target);
    const int caret = request.at(QStringLiteral("target.caret_pos")).toInt();
    const QString typed = request.at(QStringLiteral("target.text_typing")).toString().left(caret);
    int prefix = 0;
    while (prefix < typed.size() && prefix < sentence.size() && typed.at(prefix).toLower() == sentence.at(prefix).toLower())
        ++prefix;
    int start = prefix;
    while (start < sentence.size() && sentence.at(start) == QLatin1Char(' '))
        ++start;
    int end = start;
    while (end < sentence.size() && sentence.at(end) != QLatin1Char(' '))
        ++end;
    const QString next = sentence.mid(start, end - start);
    const QString partial = typed.mid(typed.lastIndexOf(QLatin1Char(' ')) + 1);
    return StandinReply::success(QJsonObject{
        {"sentence_suggestion", QJsonObject{{"text", sentence}}},
        {"segment_position", QJsonArray{QJsonObject{{"type", "prefix"}, {"start_pos", 0}, {"len", prefix}},
                                        QJsonObject{{"type", "suggestion"}, {"start_pos", start}, {"len", end - start}}}},
        {"segment_suggestion", next.isEmpty() ? QJsonArray() : QJsonArray{QJsonObject{{"text", next}}}},
        {"ime_suggestion", imeCandidates(partial, target, request.at(QStringLiteral("limit.ime")).toInt())}});
}

StandinRoute imtRoute(const QString& fn, const QStringList& required, StandinReply (*answer)(const StandinRequest&))
{
    StandinRoute route;
    route.key = StandinRoute::imtKey(fn);
    route.envelope = StandinEnvelope::Imt;
    route.required = required;
    route.handler = [answer](const StandinRequest& request, StandinServer&) { return answer(request); };
    return route;
}

// The users' histories on the server, newest first; shared by the history routes of one stand-in.
struct HistoryStore
{
    std::mutex mutex;
    QHash<QString, QList<QJsonObject>> byUser;
    int lastId = 0;

    // The item with the id, from whichever user saved it.
    QJsonObject find(const QString& id)
    {
        for (const QList<QJsonObject>& items : qAsConst(byUser)) {
            for (const QJsonObject& item : items) {
                if (item.value(QStringLiteral("id")).toString() == id)
                    return item;
            }
        }
        return QJsonObject();
    }
};

// History items name their languages the way the service does: in lower-case English.
QString languageName(const QString& code)
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> out;
        const QJsonObject table = QJsonDocument::fromJson(SupportLangJson).object();
        for (const QJsonValue& pair : table.value(QStringLiteral("full_lang_pair")).toArray()) {
            QJsonArray langs = pair.toObject().value(QStringLiteral("target_list")).toArray();
            langs.prepend(pair.toObject().value(QStringLiteral("source")));
            for (const QJsonValue& lang : qAsConst(langs))
                out.insert(lang.toObject().value(QStringLiteral("code")).toString(),
                           lang.toObject().value(QStringLiteral("eng_name")).toString().toLower());
        }
        return out;
    }();
    return names.value(code, code);
}

using HistoryHandler = std::function<StandinReply(const StandinRequest&, HistoryStore&)>;

StandinRoute historyRoute(const QString& name, const std::shared_ptr<HistoryStore>& store, const HistoryHandler& answer)
{
    StandinRoute route;
    route.key = QStringLiteral("/api/transtask/") + name;
    route.required = StandinHeaders::api();
    route.handler = [store, answer](const StandinRequest& request, StandinServer&) {
        const std::lock_guard<std::mutex> lock(store->mutex);
        return answer(request, *store);
    };
    return route;
}

StandinReply addHistory(const StandinRequest& request, HistoryStore& store)
{
    const QJsonObject value = request.at(QStringLiteral("value")).toObject();
    const QString id = QStringLiteral("th-%1").arg(++store.lastId);
    store.byUser[value.value(QStringLiteral("user_id")).toString()].prepend(QJsonObject{
        {"id", id},
        {"src_lang", languageName(value.value(QStringLiteral("src_lang")).toString())},
        {"tgt_lang", languageName(value.value(QStringLiteral("tgt_lang")).toString())},
        {"src_text", value.value(QStringLiteral("src_text"))},
        {"tgt_text", value.value(QStringLiteral("tgt_text"))},
        {"type", value.value(QStringLiteral("type"))},
        {"human_modified", value.value(QStringLiteral("human_modified"))}});
    return StandinReply::success(QJsonObject{{"id", id}});
}

StandinReply historyPage(const StandinRequest& request, HistoryStore& store)
{
    const QList<QJsonObject> items = store.byUser.value(request.at(QStringLiteral("value")).toString());
    const int page = request.at(QStringLiteral("page.page")).toInt();
    const int size = request.at(QStringLiteral("page.size")).toInt();
    QJsonArray content;
    for (const QJsonObject& item : items.mid(page * size, size))
        content.append(item);
    return StandinReply::success(QJsonObject{
        {"content", content}, {"last", (page + 1) * size >= items.size()}, {"total_elements", items.size()}});
}

StandinReply fetchHistory(const StandinRequest& request, HistoryStore& store)
{
    const QJsonObject item = store.find(request.at(QStringLiteral("value")).toString());
    if (item.isEmpty())
        return StandinReply::failure(QStringLiteral("history-not-found"), QStringLiteral("历史记录不存在"));
    return StandinReply::success(item);
}

StandinReply deleteHistory(const StandinRequest& request, HistoryStore& store)
{
    const QString id = request.at(QStringLiteral("value.id")).toString();
    QList<QJsonObject>& items = store.byUser[request.at(QStringLiteral("value.user_id")).toString()];
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).value(QStringLiteral("id")).toString() == id) {
            items.removeAt(i);
            return StandinReply::success(true);
        }
    }
    return StandinReply::failure(QStringLiteral("history-not-found"), QStringLiteral("历史记录不存在"));
}

QList<StandinRoute> historyRoutes()
{
    const auto store = std::make_shared<HistoryStore>();
    return {historyRoute(QStringLiteral("addTransHistory"), store, addHistory),
            historyRoute(QStringLiteral("findTransHistoryByUserIdByPage"), store, historyPage),
            historyRoute(QStringLiteral("fetchTransHistory"), store, fetchHistory),
            historyRoute(QStringLiteral("deleteTransHistory"), store, deleteHistory)};
}

} // namespace

QList<StandinRoute> StandinRoutes::textTranslation()
{
    // The text-translation table asks with the function name alone in its header.
    const StandinRoute supportLang = imtRoute(QStringLiteral("support_lang"), {"type", "sort_by"}, [](const StandinRequest&) {
        return StandinReply::success(QJsonDocument::fromJson(SupportLangJson).object());
    });
    const StandinRoute analysis = imtRoute(
        QStringLiteral("text_analysis"),
        StandinHeaders::with(StandinHeaders::imt(), {"normalize.merge_broken_line", "text", "type"}), analyse);
    const StandinRoute translation = imtRoute(
        QStringLiteral("auto_translation"),
        StandinHeaders::with(StandinHeaders::imt(),
                             {"model_category", "type", "reference", "source.lang", "source.text_list", "target.lang"}),
        translate);
    const QStringList suggestionFields{"refernece", "source.lang", "source.text", "target.lang", "limit"};
    const StandinRoute staticSuggestion = imtRoute(
        QStringLiteral("static_suggestion"), StandinHeaders::with(StandinHeaders::imt(), suggestionFields), suggestStatic);
    const StandinRoute selectionSuggestion =
        imtRoute(QStringLiteral("selection_suggestion"),
                 StandinHeaders::with(StandinHeaders::imt(), suggestionFields + QStringList{"source.segment_list"}),
                 suggestSelection);
    const StandinRoute dynamicSuggestion = imtRoute(
        QStringLiteral("dynamic_suggestion"),
        StandinHeaders::with(StandinHeaders::imt(), {"refernece", "source.lang", "source.text", "target.lang",
                                                     "target.text_typing", "target.caret_pos", "limit.ime"}),
        suggestDynamic);
    return QList<StandinRoute>{supportLang,      analysis,           translation,
                               staticSuggestion, selectionSuggestion, dynamicSuggestion} +
           historyRoutes();
}
