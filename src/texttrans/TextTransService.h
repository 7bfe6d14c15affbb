#pragma once

#include "network/RequestService.h"

#include <QEnableSharedFromThis>
#include <QHash>
#include <QJsonArray>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

class QSharedReply;

// Language code -> entry {"name", "enName", "space", "prio", "group", "target", "targetPrf",
// "support": target -> feature flags, "domain": target -> [{"code", "name", "enName"}]}.
using LangTable = QVariantMap;

// The text-translation calls of the translation API. Each operation posts one request and
// reports once through its callback; slotted kinds cancel their own pending request first.
// Owned through a shared pointer: reply handlers hold it weakly.
class TextTransService : public QObject, public QEnableSharedFromThis<TextTransService>
{
    Q_OBJECT
public:
    static const QString SupportLangCacheKey; // "textTrans_supportLang"
    static constexpr int SupportLangCacheVersion = 20231018;
    static constexpr quint32 SupportLangCacheSeconds = 86400;

    explicit TextTransService(QObject* parent = nullptr);
    ~TextTransService() override;

    // The text-translation table, from the one-day cache unless force or the cache is stale.
    void supportLang(ServiceCallback callback, bool force);
    // The dynamic-suggestion table; never cached. Calls back even after the service is gone.
    void supportSugLang(ServiceCallback callback);

    // "text_analysis", "auto" resolved, then "auto_translation"; one callback with the reply map
    // plus "realSourceText", "origin_text_subs", "origin_sections", "source_lang", "target_lang".
    // Failures show in "main" when showErrors.
    void translation(const QString& text, const QString& sourceLang, const QString& targetLang,
                     const QString& domain, ServiceCallback callback, bool mergeBrokenLine, bool showErrors,
                     int tries);
    // One "auto_translation" of ready sentences; the caller keeps the returned call.
    QSharedPointer<CallHandle> autoTranslation(const QJsonArray& textList, const QString& sourceLang,
                                               const QString& targetLang, const QString& domain,
                                               ServiceCallback callback, bool showErrors, int tries);

    void staticSuggest(const QString& text, const QString& sourceLang, const QString& targetLang,
                       ServiceCallback callback);
    // Sends nothing (and never calls back) unless start < end <= length of sourceText.
    void selectSuggest(const QString& sourceText, const QString& targetText, int start, int end,
                       const QString& sourceLang, const QString& targetLang, ServiceCallback callback);
    // Sends nothing (and never calls back) when caret < editingPosition.
    void dynamicSuggest(const QString& sourceText, const QString& sourceLang, const QString& targetText,
                        const QString& targetLang, const QString& typed, int editingPosition, int caret, int page,
                        ServiceCallback callback);

    void addTransHistory(const QString& sourceText, const QString& targetText, const QVariantList& sourceSpans,
                         const QVariantList& targetSpans, const QString& sourceLang, const QString& targetLang,
                         bool humanModified, ServiceCallback callback);
    void findTransHistoryByPage(int page, int size, ServiceCallback callback);
    void fetchTransHistory(const QString& id, ServiceCallback callback);
    void deleteTransHistory(const QString& id, ServiceCallback callback);
    void quickAddTmSent(const QString& source, const QString& target, const QString& sourceLang,
                        const QString& targetLang, ServiceCallback callback);
    void feedbackRecord(const QString& type, const QString& sourceText, const QString& sourceLang,
                        const QString& targetText, const QString& targetLang, const QString& domain,
                        const QStringList& reasons, ServiceCallback callback);

    // Drop the pending request of the kind; its callback never runs.
    void cancelTranslation();
    void cancelDynamicSuggest();

    // The stored table whatever its age or version (empty when there is none): names to show
    // while the service cannot be reached.
    static LangTable storedLangTable();
    static LangTable parseSupportLang(const QVariantMap& reply);
    // The table cached under key when it is at most a day old and of this version, without its
    // stamps; a stale row is deleted unless keepOutdated. Empty when there is none to use. owner
    // names the log lines.
    static LangTable cachedLangTable(const QString& key, const QString& owner, bool keepOutdated = false);
    // Caches the table under key with the time and version stamps.
    static void storeLangTable(const QString& key, LangTable table);
    // True when the table has flags for the pair and none of them allows feature; logs it.
    static bool pairRefused(const LangTable& table, const QString& feature, const QString& sourceLang,
                            const QString& targetLang);
    static void parseLangItem(LangTable& table, const QVariantMap& item, int prio);
    static void parseLangFeatures(LangTable& table, const QString& code, const QVariantList& targets);

private:
    using WeakSelf = QWeakPointer<TextTransService>;

    bool answerFromCache(const ServiceCallback& callback);
    void onSupportLangReply(const ServiceCallback& callback, bool ok, const QVariantMap& data);
    void onTextAnalysed(const QString& sourceLang, const QString& targetLang, const QString& domain,
                        const ServiceCallback& callback, bool showErrors, int tries, const QVariantMap& data);
    void postSlottedImt(QSharedReply* TextTransService::*slot, const QJsonObject& body, ServiceCallback callback,
                        const QString& hudWindow);
    static void postApi(const QString& path, const QJsonObject& body, ServiceCallback callback,
                        const QString& hudWindow);

    QSharedReply* transReply;
    // Static and selection suggestions have their own slot so that they never cancel a translation.
    QSharedReply* sugReply;
    QSharedReply* dynamicSugReply;
    QSharedReply* supportLangReply;
    // Counts the calls posted into each suggestion slot; a reply knows its call by the count.
    QHash<const QSharedReply*, quint64> slotTickets;
};
