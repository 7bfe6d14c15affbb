#include "texttrans/TextTransService.h"

#include "core/Log.h"
#include "core/SimpleStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/User.h"
#include "core/Util.h"
#include "core/WeakOwner.h"
#include "network/QSharedReply.h"
#include "texttrans/TextTransWire.h"

#include <QHash>

using namespace TextTrans;

const QString TextTransService::SupportLangCacheKey = QStringLiteral("textTrans_supportLang");

namespace {

const QString ImtPath = QStringLiteral("/api/imt");
const QString TimeKey = QStringLiteral("$time");
const QString VersionKey = QStringLiteral("$version");
constexpr int Tries = 3;

QString hudName(bool showErrors)
{
    return showErrors ? QStringLiteral("main") : QString();
}

QVariantMap apiHeader()
{
    const User* user = User::instance();
    return {{QStringLiteral("session"), user->session},
            {QStringLiteral("client_key"), user->clientKey},
            {QStringLiteral("user_name"), user->userName}};
}

QJsonObject apiBody(const QVariantMap& value)
{
    return *RequestService::makeBody(value, apiHeader());
}

// Bodies whose "value" is not a map are built here rather than through makeBody.
QJsonObject apiBodyWithPlainValue(const QString& value)
{
    return {{QStringLiteral("header"), QJsonObject::fromVariantMap(apiHeader())}, {QStringLiteral("value"), value}};
}

QVariantMap langFeatures(const QVariantMap& support)
{
    static const QHash<QString, QString> names{
        {QStringLiteral("auto_translation"), QStringLiteral("trans")},
        {QStringLiteral("auto_translation_block"), QStringLiteral("trans_block")},
        {QStringLiteral("auto_translation_document"), QStringLiteral("trans_doc")},
        {QStringLiteral("auto_translation_file"), QStringLiteral("trans_file")},
        {QStringLiteral("static_suggestion"), QStringLiteral("sug_static")},
        {QStringLiteral("selection_suggestion"), QStringLiteral("sug_select")},
        {QStringLiteral("dynamic_suggestion"), QStringLiteral("sug_dynamic")},
    };
    QVariantMap features;
    for (auto it = support.cbegin(); it != support.cend(); ++it)
        features.insert(names.value(it.key(), it.key()), it.value().toBool());
    return features;
}

// Preferable domains go to the front, so the last preferable one of the reply leads.
QVariantList domainEntries(const QVariantList& domains)
{
    QVariantList entries;
    for (const QVariant& value : domains) {
        const QVariantMap domain = value.toMap();
        const QVariantMap entry{{QStringLiteral("code"), domain.value(QStringLiteral("code")).toString()},
                                {QStringLiteral("name"), domain.value(QStringLiteral("chn_name")).toString()},
                                {QStringLiteral("enName"), capitalizeFirst(domain.value(QStringLiteral("eng_name")).toString())}};
        if (domain.value(QStringLiteral("preferable")).toBool())
            entries.prepend(entry);
        else
            entries.append(entry);
    }
    return entries;
}

QJsonObject supportLangBody(const QJsonObject& header, const QString& type)
{
    return {{QStringLiteral("header"), header},
            {QStringLiteral("type"), type},
            {QStringLiteral("sort_by"), QStringLiteral("pinyin")}};
}

} // namespace

TextTransService::TextTransService(QObject* parent)
    : QObject(parent)
    , transReply(new QSharedReply)
    , sugReply(new QSharedReply)
    , dynamicSugReply(new QSharedReply)
    , supportLangReply(new QSharedReply)
{
}

TextTransService::~TextTransService()
{
    delete transReply;
    delete sugReply;
    delete dynamicSugReply;
    delete supportLangReply;
}

void TextTransService::supportLang(ServiceCallback callback, bool force)
{
    supportLangReply->abort(true);
    if (!force && answerFromCache(callback))
        return;
    const WeakSelf weak = sharedFromThis();
    supportLangReply->setReply(RequestService::instance()->postJsonForTrans(
        ImtPath,
        supportLangBody(QJsonObject{{QStringLiteral("fn"), QStringLiteral("support_lang")}},
                        QStringLiteral("auto_translation")),
        WeakOwner::orFail(weak, callback, &TextTransService::onSupportLangReply),
        QStringLiteral("main"), Tries));
}

namespace {

// The stored record with its bookkeeping keys; empty when there is none worth showing.
QVariantMap storedLangRecord(const QString& key)
{
    QVariantMap record = mapFromStr(SimpleStorage::instance()->get(key).toString());
    // Only the two bookkeeping keys (or hardly more) is no table worth showing.
    if (record.size() <= 3)
        return {};
    return record;
}

} // namespace

LangTable TextTransService::storedLangTable()
{
    LangTable table = storedLangRecord(SupportLangCacheKey);
    table.remove(TimeKey);
    table.remove(VersionKey);
    return table;
}

bool TextTransService::answerFromCache(const ServiceCallback& callback)
{
    // An outdated table stays: its names stand in while the service is down.
    const LangTable table = cachedLangTable(SupportLangCacheKey, QStringLiteral("TextTransService"), true);
    if (table.isEmpty())
        return false;
    callback(true, table);
    return true;
}

LangTable TextTransService::cachedLangTable(const QString& key, const QString& owner, bool keepOutdated)
{
    LangTable table = storedLangRecord(key);
    if (table.isEmpty())
        return LangTable();
    const int version = table.value(VersionKey).toInt();
    const quint32 storedAt = table.value(TimeKey).toUInt();
    // Unsigned on purpose: a stamp from the future wraps to a huge age.
    const quint32 age = TimeUtil::currentTimestamp() - storedAt;
    if (age <= SupportLangCacheSeconds && version == SupportLangCacheVersion) {
        log(owner + QStringLiteral("-supportLang: use temp"));
        table.remove(TimeKey);
        table.remove(VersionKey);
        return table;
    }
    log(owner + QStringLiteral("-supportLang: timeout, version update"));
    if (!keepOutdated)
        SimpleStorage::instance()->remove(key);
    return LangTable();
}

void TextTransService::storeLangTable(const QString& key, LangTable table)
{
    table.insert(TimeKey, TimeUtil::currentTimestamp());
    table.insert(VersionKey, SupportLangCacheVersion);
    SimpleStorage::instance()->set(key, mapToJson(table));
}

bool TextTransService::pairRefused(const LangTable& table, const QString& feature, const QString& sourceLang,
                                   const QString& targetLang)
{
    const QVariantMap support = table.value(sourceLang).toMap().value(QStringLiteral("support")).toMap();
    if (!support.contains(targetLang))
        return false;
    if (support.value(targetLang).toMap().value(feature).toBool())
        return false;
    log(feature + QStringLiteral(" banned!!"));
    return true;
}

void TextTransService::onSupportLangReply(const ServiceCallback& callback, bool ok, const QVariantMap& data)
{
    supportLangReply->abort(false);
    if (!ok) {
        callback(false, data);
        return;
    }
    const LangTable table = parseSupportLang(data);
    storeLangTable(SupportLangCacheKey, table);
    callback(true, table);
}

void TextTransService::supportSugLang(ServiceCallback callback)
{
    RequestService::instance()->postJsonForTrans(
        ImtPath, supportLangBody(imtHeader(QStringLiteral("support_lang")), QStringLiteral("dynamic_suggestion")),
        [callback](bool ok, const QVariantMap& data) {
            if (ok)
                callback(true, parseSupportLang(data));
            else
                callback(false, data);
        },
        QStringLiteral("main"), Tries);
}

void TextTransService::translation(const QString& text, const QString& sourceLang, const QString& targetLang,
                                   const QString& domain, ServiceCallback callback, bool mergeBrokenLine,
                                   bool showErrors, int tries)
{
    transReply->abort(true);
    log(QStringLiteral("translation: %1, %2, %3"), text, sourceLang, targetLang);
    const WeakSelf weak = sharedFromThis();
    const auto onAnalysed = WeakOwner::orFail(
        weak, callback,
        [sourceLang, targetLang, domain, showErrors, tries](TextTransService& self, const ServiceCallback& callback,
                                                            bool ok, const QVariantMap& data) {
            self.transReply->abort(false);
            // The transport's failure map is not passed on.
            if (!ok) {
                callback(false, {});
                return;
            }
            self.onTextAnalysed(sourceLang, targetLang, domain, callback, showErrors, tries, data);
        });
    transReply->setReply(RequestService::instance()->postJsonForTrans(
        ImtPath, textAnalysisBody(imtHeader(QStringLiteral("text_analysis")), text, mergeBrokenLine), onAnalysed,
        hudName(showErrors), tries));
}

void TextTransService::onTextAnalysed(const QString& sourceLang, const QString& targetLang, const QString& domain,
                                      const ServiceCallback& callback, bool showErrors, int tries,
                                      const QVariantMap& data)
{
    QString source = sourceLang;
    QString target = targetLang;
    if (source == QLatin1String("auto")) {
        source = data.value(QStringLiteral("language")).toString();
        if (source == target || target.isEmpty()) {
            const QVariantList preferred = State::instance()->textTransLangData().value(source).toMap()
                                               .value(QStringLiteral("targetPrf")).toList();
            if (preferred.isEmpty()) {
                callback(false, {});
                return;
            }
            target = preferred.first().toString();
        }
    }
    if (source == target) {
        callback(false, {});
        return;
    }
    const QString text = data.value(QStringLiteral("text")).toString();
    const SentenceCut cut = cutSentences(text, data.value(QStringLiteral("sentence_list")).toList());
    const WeakSelf weak = sharedFromThis();
    const QVariantList subs = cut.subs;
    const QVariantList sections = cut.sections;
    const auto onTranslated = WeakOwner::orFail(weak, callback, [text, sections, source, target, subs](
                                                                   TextTransService& self,
                                                                   const ServiceCallback& callback, bool ok,
                                                                   const QVariantMap& reply) {
        self.transReply->abort(false);
        QVariantMap result = reply;
        result.insert(QStringLiteral("realSourceText"), text);
        result.insert(QStringLiteral("origin_text_subs"), subs);
        result.insert(QStringLiteral("origin_sections"), sections);
        result.insert(QStringLiteral("source_lang"), source);
        result.insert(QStringLiteral("target_lang"), target);
        callback(ok, result);
    });
    transReply->setReply(autoTranslation(cut.textList, source, target, domain, onTranslated, showErrors, tries));
}

QSharedPointer<CallHandle> TextTransService::autoTranslation(const QJsonArray& textList, const QString& sourceLang,
                                                             const QString& targetLang, const QString& domain,
                                                             ServiceCallback callback, bool showErrors, int tries)
{
    return RequestService::instance()->postJsonForTrans(
        ImtPath,
        autoTranslationBody(imtHeader(QStringLiteral("auto_translation")), textList, sourceLang, targetLang, domain),
        std::move(callback), hudName(showErrors), tries);
}

void TextTransService::postSlottedImt(QSharedReply* TextTransService::*slot, const QJsonObject& body,
                                      ServiceCallback callback, const QString& hudWindow)
{
    QSharedReply* held = this->*slot;
    held->abort(true);
    const quint64 ticket = ++slotTickets[held];
    const WeakSelf weak = sharedFromThis();
    // A reply forgets its slot's call only while the slot still holds it, not a newer one.
    const auto forget = WeakOwner::ifAlive(weak, [slot, ticket](TextTransService& self) {
        QSharedReply* held = self.*slot;
        if (self.slotTickets.value(held) == ticket)
            held->abort(false);
    });
    const auto onReply = [forget, callback](bool ok, const QVariantMap& data) {
        forget();
        callback(ok, data);
    };
    held->setReply(RequestService::instance()->postJsonForTrans(ImtPath, body, onReply, hudWindow, Tries));
}

void TextTransService::staticSuggest(const QString& text, const QString& sourceLang, const QString& targetLang,
                                     ServiceCallback callback)
{
    const QJsonObject body{
        {QStringLiteral("header"), imtHeader(QStringLiteral("static_suggestion"))},
        {QStringLiteral("model_category"), QStringLiteral("normal")},
        {QStringLiteral("type"), QStringLiteral("plain")},
        {QStringLiteral("refernece"), emptyReference()},
        {QStringLiteral("source"), QJsonObject{{QStringLiteral("lang"), sourceLang}, {QStringLiteral("text"), text}}},
        {QStringLiteral("target"), QJsonObject{{QStringLiteral("lang"), targetLang}}},
        {QStringLiteral("limit"), QJsonObject{{QStringLiteral("phrase"), 3}, {QStringLiteral("sentence"), 3}}}};
    postSlottedImt(&TextTransService::sugReply, body, std::move(callback), QStringLiteral("main"));
}

void TextTransService::selectSuggest(const QString& sourceText, const QString& targetText, int start, int end,
                                     const QString& sourceLang, const QString& targetLang, ServiceCallback callback)
{
    if (!(start < end && end <= sourceText.size())) {
        log(QStringLiteral("selectSuggest error: selectStart < selectEnd"));
        return;
    }
    log(QStringLiteral("selectSuggest run: %1, %2, %3"), sourceText, QString::number(start), QString::number(end));
    const auto segment = [](const QString& status, const QString& str) {
        return QJsonObject{{QStringLiteral("status"), status},
                           {QStringLiteral("str"), str},
                           {QStringLiteral("type"), QString()}};
    };
    const QJsonArray segments{segment(QString(), sourceText.left(start)),
                              segment(QStringLiteral("selection"), sourceText.mid(start, end - start)),
                              segment(QString(), sourceText.mid(end))};
    const QJsonObject body{
        {QStringLiteral("header"), imtHeader(QStringLiteral("selection_suggestion"))},
        {QStringLiteral("refernece"), emptyReference()},
        {QStringLiteral("source"), QJsonObject{{QStringLiteral("lang"), sourceLang},
                                               {QStringLiteral("text"), sourceText},
                                               {QStringLiteral("segment_list"), segments}}},
        {QStringLiteral("target"),
         QJsonObject{{QStringLiteral("lang"), targetLang}, {QStringLiteral("text"), targetText}}},
        {QStringLiteral("limit"), QJsonObject{{QStringLiteral("select"), 2}}}};
    postSlottedImt(&TextTransService::sugReply, body, std::move(callback), QString());
}

void TextTransService::dynamicSuggest(const QString& sourceText, const QString& sourceLang,
                                      const QString& targetText, const QString& targetLang, const QString& typed,
                                      int editingPosition, int caret, int page, ServiceCallback callback)
{
    if (caret < editingPosition)
        return;
    const QJsonObject body{
        {QStringLiteral("header"), imtHeader(QStringLiteral("dynamic_suggestion"))},
        {QStringLiteral("refernece"), emptyReference()},
        {QStringLiteral("source"),
         QJsonObject{{QStringLiteral("lang"), sourceLang}, {QStringLiteral("text"), sourceText}}},
        {QStringLiteral("target"), QJsonObject{{QStringLiteral("lang"), targetLang},
                                               {QStringLiteral("text_typing"), typed},
                                               {QStringLiteral("editing_segment_pos"), editingPosition},
                                               {QStringLiteral("caret_pos"), caret},
                                               {QStringLiteral("text"), targetText}}},
        {QStringLiteral("limit"), QJsonObject{{QStringLiteral("ime"), 9 * page}, {QStringLiteral("segment"), 1}}}};
    postSlottedImt(&TextTransService::dynamicSugReply, body, std::move(callback), QString());
}

void TextTransService::cancelTranslation()
{
    transReply->abort(true);
}

void TextTransService::cancelDynamicSuggest()
{
    dynamicSugReply->abort(true);
}

void TextTransService::postApi(const QString& path, const QJsonObject& body, ServiceCallback callback,
                               const QString& hudWindow)
{
    RequestService::instance()->postJson(path, body, std::move(callback), hudWindow, true, Tries);
}

void TextTransService::addTransHistory(const QString& sourceText, const QString& targetText,
                                       const QVariantList& sourceSpans, const QVariantList& targetSpans,
                                       const QString& sourceLang, const QString& targetLang, bool humanModified,
                                       ServiceCallback callback)
{
    if (sourceText.isEmpty())
        return;
    postApi(QStringLiteral("/api/transtask/addTransHistory"),
            apiBody({{QStringLiteral("user_id"), User::instance()->userId},
                     {QStringLiteral("src_lang"), sourceLang},
                     {QStringLiteral("tgt_lang"), targetLang},
                     {QStringLiteral("type"), QStringLiteral("text")},
                     {QStringLiteral("human_modified"), humanModified},
                     {QStringLiteral("src_text"), sourceText},
                     {QStringLiteral("src_segment_list"), sourceSpans},
                     {QStringLiteral("tgt_text"), targetText},
                     {QStringLiteral("tgt_segment_list"), targetSpans}}),
            std::move(callback), QString());
}

void TextTransService::findTransHistoryByPage(int page, int size, ServiceCallback callback)
{
    QJsonObject body = apiBodyWithPlainValue(User::instance()->userId);
    body.insert(QStringLiteral("page"), QJsonObject{{QStringLiteral("page"), page}, {QStringLiteral("size"), size}});
    postApi(QStringLiteral("/api/transtask/findTransHistoryByUserIdByPage"), body, std::move(callback), QString());
}

void TextTransService::fetchTransHistory(const QString& id, ServiceCallback callback)
{
    postApi(QStringLiteral("/api/transtask/fetchTransHistory"), apiBodyWithPlainValue(id), std::move(callback),
            QString());
}

void TextTransService::deleteTransHistory(const QString& id, ServiceCallback callback)
{
    if (id.isEmpty())
        return;
    postApi(QStringLiteral("/api/transtask/deleteTransHistory"),
            apiBody({{QStringLiteral("user_id"), User::instance()->userId}, {QStringLiteral("id"), id}}),
            std::move(callback), QStringLiteral("main"));
}

void TextTransService::quickAddTmSent(const QString& source, const QString& target, const QString& sourceLang,
                                      const QString& targetLang, ServiceCallback callback)
{
    if (source.isEmpty() || target.isEmpty())
        return;
    postApi(QStringLiteral("/api/memory/quickAddTmSent"),
            apiBody({{QStringLiteral("source"), source},
                     {QStringLiteral("target"), target},
                     {QStringLiteral("src_lang"), sourceLang},
                     {QStringLiteral("tgt_lang"), targetLang}}),
            std::move(callback), QStringLiteral("main"));
}

void TextTransService::feedbackRecord(const QString& type, const QString& sourceText, const QString& sourceLang,
                                      const QString& targetText, const QString& targetLang, const QString& domain,
                                      const QStringList& reasons, ServiceCallback callback)
{
    if (sourceText.isEmpty())
        return;
    postApi(QStringLiteral("/api/feedback/translate/record"),
            apiBody({{QStringLiteral("type"), type},
                     {QStringLiteral("source_lang"), sourceLang},
                     {QStringLiteral("source_text"), sourceText},
                     {QStringLiteral("target_lang"), targetLang},
                     {QStringLiteral("target_text"), targetText},
                     {QStringLiteral("domain"), domain},
                     {QStringLiteral("reason"), reasons},
                     {QStringLiteral("modified"), false}}),
            std::move(callback), QStringLiteral("main"));
}

LangTable TextTransService::parseSupportLang(const QVariantMap& reply)
{
    LangTable table;
    const QVariantList preferred = reply.value(QStringLiteral("prefer_source_lang")).toList();
    const int n = preferred.size();
    for (int i = 0; i < n; ++i)
        parseLangItem(table, preferred.at(i).toMap(), n - i);
    for (const QVariant& value : reply.value(QStringLiteral("full_lang_pair")).toList()) {
        const QVariantMap pair = value.toMap();
        const QVariantMap source = pair.value(QStringLiteral("source")).toMap();
        parseLangItem(table, source, -1);
        parseLangFeatures(table, source.value(QStringLiteral("code")).toString(),
                          pair.value(QStringLiteral("target_list")).toList());
    }
    return table;
}

void TextTransService::parseLangItem(LangTable& table, const QVariantMap& item, int prio)
{
    const QString code = item.value(QStringLiteral("code")).toString();
    // The first occurrence of a language fixes its names, spacing, priority and group.
    if (table.contains(code))
        return;
    const QString pinyin = item.value(QStringLiteral("pinyin")).toString();
    table.insert(code, QVariantMap{{QStringLiteral("name"), item.value(QStringLiteral("chn_name")).toString()},
                                   {QStringLiteral("enName"),
                                    capitalizeFirst(item.value(QStringLiteral("eng_name")).toString())},
                                   {QStringLiteral("space"), item.value(QStringLiteral("space")).toBool()},
                                   {QStringLiteral("target"), QVariant()},
                                   {QStringLiteral("targetPrf"), QVariant()},
                                   {QStringLiteral("prio"), prio},
                                   {QStringLiteral("group"), pinyin.isEmpty() ? QStringLiteral("#") : pinyin.left(1)}});
}

void TextTransService::parseLangFeatures(LangTable& table, const QString& code, const QVariantList& targets)
{
    if (!table.contains(code))
        return;
    QVariantList targetCodes;
    QVariantList preferredCodes;
    QVariantMap support;
    QVariantMap domains;
    for (const QVariant& value : targets) {
        const QVariantMap item = value.toMap();
        parseLangItem(table, item, -1);
        const QString target = item.value(QStringLiteral("code")).toString();
        targetCodes.append(target);
        if (item.value(QStringLiteral("preferable")).toBool())
            preferredCodes.append(target);
        if (item.contains(QStringLiteral("support")))
            support.insert(target, langFeatures(item.value(QStringLiteral("support")).toMap()));
        if (item.contains(QStringLiteral("domain")))
            domains.insert(target, domainEntries(item.value(QStringLiteral("domain")).toList()));
    }
    if (targetCodes.isEmpty())
        return;
    QVariantMap entry = table.value(code).toMap();
    entry.insert(QStringLiteral("target"), targetCodes);
    entry.insert(QStringLiteral("targetPrf"), preferredCodes);
    entry.insert(QStringLiteral("domain"), domains);
    entry.insert(QStringLiteral("support"), support);
    table.insert(code, entry);
}
