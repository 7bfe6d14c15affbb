#include "StandinRoutes.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

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
        "support": {"auto_translation": true, "static_suggestion": true, "selection_suggestion": true, "dynamic_suggestion": true}},
       {"code": "en", "chn_name": "英语", "eng_name": "english", "space": true, "pinyin": "yingyu", "preferable": true,
        "support": {"auto_translation": true, "static_suggestion": true, "selection_suggestion": true, "dynamic_suggestion": true}},
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

StandinReply translate(const StandinRequest& request)
{
    const QString source = request.at(QStringLiteral("source.lang")).toString();
    const QString target = request.at(QStringLiteral("target.lang")).toString();
    QJsonArray translated;
    for (const QJsonValue& sentence : request.at(QStringLiteral("source.text_list")).toArray()) {
        const QString text = sentence.toString();
        QString result = text;
        if (target == QLatin1String("zh") && source != QLatin1String("zh"))
            result = translateFromEnglish(text);
        else if (target == QLatin1String("en") && source == QLatin1String("zh"))
            result = translateFromChinese(text);
        translated.append(QStringLiteral("[%1] %2").arg(target, result));
    }
    return StandinReply::success(QJsonObject{{"auto_translation", translated}});
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
    return {supportLang, analysis, translation};
}
