#include "texttrans/TextTransCtrl.h"

#include "core/Debounce.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "network/RequestService.h"
#include "shell/GlobalCtrl.h"
#include "texttrans/TextTransHistory.h"
#include "texttrans/TextTransService.h"
#include "texttrans/TextTransStorage.h"
#include "texttrans/TextTransSuggestions.h"
#include "texttrans/TextTransWire.h"
#include "update/VexilService.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QQuickTextDocument>
#include <QTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int TranslateDebounceMs = 300;
constexpr int SuggestionDebounceMs = 200;
constexpr int HistoryDebounceMs = 10000;
// How long quitting waits for a last history save to be answered.
constexpr int QuitSaveWaitMs = 3000;
constexpr int RefreshAfterSaves = 6;
// Candidates asked for with a dynamic suggestion: two pages of the input method's 9.
constexpr int ImePageSize = 9;
constexpr int DynamicImePages = 2;
constexpr int DefaultLineHeight = 26;
constexpr int KeptHistoryEntries = 20;
const QString MainWindow = QStringLiteral("main");

// A toast that asks nothing of the controller, so it may show after the controller is gone.
ServiceCallback toastOnSuccess(const QString& message)
{
    return [message](bool ok, const QVariantMap&) {
        if (ok)
            Hud::infoInWindow(message, QString(), [] {}, MainWindow);
    };
}

} // namespace

TextTransCtrl::TextTransCtrl(QObject* parent)
    : QObject(parent)
{
    State* state = State::instance();
    state->setTextTransStatus(0);
    state->setTextTransSourceLang(QStringLiteral("auto"));
    translateDebounce = std::make_unique<Debounce>(TranslateDebounceMs);
    suggestionDebounce = std::make_unique<Debounce>(SuggestionDebounceMs);
    historyDebounce = std::make_unique<Debounce>(HistoryDebounceMs);
    service = QSharedPointer<TextTransService>::create();
    lastSavedKey = QStringList{QString(), QString(), QString()};
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &TextTransCtrl::sendHistorySaveBeforeQuit);
}

TextTransCtrl::~TextTransCtrl()
{
    m_translating = 0;
    suggestionDebounce.reset();
    translateDebounce.reset();
    historyDebounce.reset();
    // A translation finished just before the page closed still belongs in the history.
    sendHistorySave();
    service.reset();
    if (State* state = State::instance()) {
        // Cut quietly: the list's views are gone or about to be.
        QVariantList& history = state->textTransHistory;
        while (history.size() > KeptHistoryEntries)
            history.removeLast();
    }
}

void TextTransCtrl::init()
{
    fetchSupportLang(false);
    if (State::instance()->userLogined())
        refreshTransHistory(true, true);
    VexilService::instance()->reportPv(QStringLiteral("parlavine_text_trans"));
}

void TextTransCtrl::translation(const QString& text, const QString& sourceLang, const QString& targetLang,
                                bool debounced, bool mergeBreak, const QString& domain)
{
    if (isLangPairBanned(QStringLiteral("trans"), sourceLang, targetLang)) {
        Hud::warningInWindow(tr("当前语种对不支持文本翻译, 请重新选择"), QString(), [] {}, MainWindow);
        return;
    }
    // A deferred call still waiting would send its older text or languages after this one.
    if (!debounced)
        translateDebounce->stop();
    if (text.trimmed().isEmpty()) {
        clearTranslation(debounced);
        return;
    }
    State* state = State::instance();
    m_textTransTemp = text;
    const TransRequest request{text, sourceLang, state->transAutoMergeBreak() && mergeBreak};
    const QString sentLang = state->textTransSourceLangAutoUpdate() ? QStringLiteral("auto") : sourceLang;
    if (!debounced) {
        requestTrans(request, sentLang, targetLang, domain, 3);
        return;
    }
    const WeakSelf weak = sharedFromThis();
    translateDebounce->run([weak, request, sentLang, targetLang, domain]() {
        const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
        if (!self) {
            State::instance()->setTextTransStatus(0);
            log(QStringLiteral("!!TextTransCtrl self null~~~"));
            return;
        }
        self->requestTrans(request, sentLang, targetLang, domain, 2);
    });
}

void TextTransCtrl::clearTranslation(bool debounced)
{
    State* state = State::instance();
    state->setTextTransStatus(0);
    state->setTextTransResult(QString());
    if (!debounced) {
        cancelPending();
        m_translating = 0;
        return;
    }
    if (m_translating > 0) {
        log(QStringLiteral("translation m_translating-empty clear: %1"), QString::number(m_translating));
        state->setTextTransStatus(0);
        cancelPending();
        m_translating = 0;
    }
    // Replaces a pending translate job: a text cleared within the interval is never sent.
    const WeakSelf weak = sharedFromThis();
    translateDebounce->run([weak]() {
        const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
        State::instance()->setTextTransStatus(0);
        if (!self)
            return;
        self->m_translating = 0;
        self->cancelPending();
    });
}

void TextTransCtrl::cancelPending()
{
    service->cancelTranslation();
    service->cancelDynamicSuggest();
}

void TextTransCtrl::requestTrans(const TransRequest& request, const QString& sentLang, const QString& targetLang,
                                 const QString& domain, int tries)
{
    // The service cancels a translation still pending, and a cancelled call never answers:
    // its count goes now, or the busy status would wait for a reply that never comes.
    m_translating = 1;
    State::instance()->setTextTransStatus(1);
    const WeakSelf weak = sharedFromThis();
    service->translation(
        request.text, sentLang, targetLang, domain,
        [weak, request](bool ok, const QVariantMap& data) { onTranslateFinished(weak, request, ok, data); },
        request.mergeBreak, true, tries);
}

void TextTransCtrl::onTranslateFinished(const WeakSelf& weak, const TransRequest& request, bool ok,
                                        const QVariantMap& data)
{
    State::instance()->setTextTransStatus(0);
    const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
    if (!self) {
        log(QStringLiteral("!!TextTransCtrl self null~~~"));
        return;
    }
    self->showTranslation(request, ok, data);
}

void TextTransCtrl::showTranslation(const TransRequest& request, bool ok, const QVariantMap& data)
{
    // Zero after the source was cleared: whatever still arrives is stale.
    if (m_translating < 1) {
        log(QStringLiteral("translation m_translating-block"));
        return;
    }
    --m_translating;
    if (!ok)
        return;
    if (m_textTransTemp != request.text) {
        log(QStringLiteral("m_textTransTemp不一致！"));
        return;
    }
    State* state = State::instance();
    if (request.sourceLang == QLatin1String("auto"))
        state->textTransSourceLangAutoUpdateRef() = true;
    const QString realSourceText = data.value(QStringLiteral("realSourceText")).toString();
    if (request.mergeBreak && realSourceText != request.text)
        state->setTextTransSource(realSourceText, false);
    const QString sourceLang = data.value(QStringLiteral("source_lang")).toString();
    const QString targetLang = data.value(QStringLiteral("target_lang")).toString();
    state->setTextTransSourceLang(sourceLang);
    state->setTextTransTargetLang(targetLang);
    const bool space =
        state->textTransLangData().value(targetLang).toMap().value(QStringLiteral("space")).toBool();
    const AssembledText result = assembleResult(data.value(QStringLiteral("origin_text_subs")).toList(),
                                                data.value(QStringLiteral("auto_translation")).toList(), space);
    const QVariantList sourceSpans = data.value(QStringLiteral("origin_sections")).toList();
    log(QStringLiteral("translation result: %1"), result.text);
    state->setTextTransResult(result.text);
    state->setTextTransSourceIndexes(sourceSpans);
    state->setTextTransResultIndexes(result.spans);
    state->setTextTransStatus(0);
    addTransHistory(realSourceText, sourceLang, result.text, targetLang, sourceSpans, result.spans);
}

bool TextTransCtrl::isLangPairBanned(const QString& feature, const QString& sourceLang,
                                     const QString& targetLang) const
{
    return TextTransService::pairRefused(State::instance()->textTransLangData(), feature, sourceLang, targetLang);
}

void TextTransCtrl::feedback(const QString& type, const QString& sourceText, const QString& sourceLang,
                             const QString& targetText, const QString& targetLang, const QString& domain,
                             const QStringList& reasons)
{
    service->feedbackRecord(type, sourceText, sourceLang, targetText, targetLang, domain, reasons,
                            toastOnSuccess(tr("反馈成功")));
}

void TextTransCtrl::saveTermSentence(const QString& sourceText, const QString& targetText,
                                     const QString& sourceLang, const QString& targetLang)
{
    service->quickAddTmSent(sourceText, targetText, sourceLang, targetLang, toastOnSuccess(tr("记住译文成功")));
}

void TextTransCtrl::fetchSupportLang(bool force)
{
    if (!force && State::instance()->textTransLangData().size() > 3)
        return;
    service->supportLang(&TextTransCtrl::onSupportLangFetched, false);
    service->supportSugLang(&TextTransCtrl::onSugLangFetched);
}

void TextTransCtrl::onSupportLangFetched(bool ok, const QVariantMap& data)
{
    if (!ok)
        return;
    State* state = State::instance();
    state->setTextTransLangData(data);
    state->setTextTransSourceLang(QStringLiteral("auto"));
    state->setTextTransTargetLang(QStringLiteral("en"));
    state->textTransSourceLangAutoUpdateRef() = true;
    // History rows take their language names from the table.
    emit state->textTransHistoryChange(0);
}

void TextTransCtrl::onSugLangFetched(bool ok, const QVariantMap& data)
{
    if (ok)
        State::instance()->setTextTransSugLangData(data);
}

void TextTransCtrl::handleUIForEditor(QQuickTextDocument* document, const QString& editorName)
{
    if (!document)
        return;
    loadLineHeight();
    QTextDocument* textDocument = document->textDocument();
    applyLineHeight(QTextCursor(textDocument));
    if (editorName == QLatin1String("main") || editorName == QLatin1String("smartEditor"))
        connect(textDocument, &QTextDocument::cursorPositionChanged, this, &TextTransCtrl::onCursorPositionChanged);
}

void TextTransCtrl::loadLineHeight()
{
    lineHeight = State::instance()->windowFontSize().value(QStringLiteral("transInputHeight")).toInt();
    if (lineHeight < 1)
        lineHeight = DefaultLineHeight;
}

void TextTransCtrl::applyLineHeight(QTextCursor cursor) const
{
    QTextBlockFormat format;
    format.setLineHeight(lineHeight, QTextBlockFormat::FixedHeight);
    cursor.mergeBlockFormat(format);
}

void TextTransCtrl::onCursorPositionChanged(const QTextCursor& cursor)
{
    QTextDocument* document = cursor.document();
    if (!document || int(cursor.blockFormat().lineHeight()) == lineHeight)
        return;
    // Pasted or newly typed paragraphs come without the fixed height.
    applyLineHeight(QTextCursor(document));
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        applyLineHeight(QTextCursor(block));
}


void TextTransCtrl::searchSuggestions(const QString& text, const QString& sourceLang, const QString& targetLang)
{
    log(QStringLiteral("searchSuggestions: %1, %2, %3"), text, sourceLang, targetLang);
    if (text.isEmpty())
        return;
    State* state = State::instance();
    state->setTextTransSelectSugStcs({});
    state->setTextTransSelectSugTerms({});
    if (isLangPairBanned(QStringLiteral("sug_static"), sourceLang, targetLang))
        return;
    service->staticSuggest(text, sourceLang, targetLang, &TextTransCtrl::onStaticSuggested);
}

void TextTransCtrl::onStaticSuggested(bool ok, const QVariantMap& data)
{
    if (!ok)
        return;
    QVariantList sentences;
    for (const QVariant& item : data.value(QStringLiteral("sentence_example_list")).toList())
        sentences.append(sentenceSuggestion(item.toMap()));
    QVariantList terms;
    for (const QVariant& item : data.value(QStringLiteral("term_list")).toList())
        terms.append(termSuggestion(item.toMap()));
    State* state = State::instance();
    state->setTextTransSelectSugStcs(sentences);
    state->setTextTransSelectSugTerms(terms);
}

void TextTransCtrl::searchSelectSuggestions(const QString& sourceText, const QString& targetText, int start,
                                            int end, const QString& sourceLang, const QString& targetLang)
{
    State* state = State::instance();
    if (start == end) {
        log(QStringLiteral("searchSelectSuggestions-cancel: %1, %2"), QString::number(start), QString::number(end));
        selectionActive = false;
        state->setTextTransSelectPartSugStcs({});
        return;
    }
    if (sourceText.isEmpty() || targetText.isEmpty()) {
        log(QStringLiteral("searchSelectSuggestions-cancel2: %1, %2"), sourceText, targetText);
        return;
    }
    if (start < 0 || start > end || end > sourceText.size()) {
        log(QStringLiteral("searchSelectSuggestions-cancel3: %1, %2, %3"), QString::number(start),
            QString::number(end), QString::number(sourceText.size()));
        return;
    }
    selectionActive = true;
    state->setTextTransSelectPartSugStcs({});
    if (isLangPairBanned(QStringLiteral("sug_select"), sourceLang, targetLang))
        return;
    const WeakSelf weak = sharedFromThis();
    suggestionDebounce->run([weak, sourceText, targetText, start, end, sourceLang, targetLang] {
        const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
        if (!self)
            return;
        self->service->selectSuggest(sourceText, targetText, start, end, sourceLang, targetLang,
                                     [weak](bool ok, const QVariantMap& data) {
                                         if (const QSharedPointer<TextTransCtrl> self = weak.toStrongRef())
                                             self->onSelectSuggested(ok, data);
                                     });
    });
}

void TextTransCtrl::onSelectSuggested(bool ok, const QVariantMap& data)
{
    // A selection cancelled meanwhile keeps its list empty.
    QStringList texts;
    if (selectionActive && ok)
        texts = selectionTexts(data.value(QStringLiteral("segment_suggestion")).toList());
    State::instance()->setTextTransSelectPartSugStcs(QVariant(texts).toList());
}

void TextTransCtrl::dynamicTransSuggestion(const QString& sourceText, const QString& sourceLang,
                                           const QString& targetText, const QString& targetLang,
                                           const QString& typed, int editingPosition, int caretPosition)
{
    State* state = State::instance();
    state->setTextTransDynamicSugTips(QString());
    state->setTextTransDynamicSugIME({});
    state->textTransDynamicSugIMEHasMoreRef() = false;
    emit state->textTransDynamicSugIMEHasMoreChange();
    if (isLangPairBanned(QStringLiteral("sug_dynamic"), sourceLang, targetLang))
        return;
    const WeakSelf weak = sharedFromThis();
    suggestionDebounce->run([weak, sourceText, sourceLang, targetText, targetLang, typed, editingPosition,
                             caretPosition] {
        const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
        if (!self)
            return;
        const TypedText sent = typedForSuggestion(targetLang, typed, editingPosition, caretPosition);
        const bool spaceAdded = sent.spaceAdded;
        self->service->dynamicSuggest(sourceText, sourceLang, targetText, targetLang, sent.text,
                                      sent.editingPosition, sent.caret, DynamicImePages,
                                      [weak, typed, spaceAdded, caretPosition](bool ok, const QVariantMap& data) {
                                          const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
                                          if (self && ok)
                                              self->onDynamicSuggested(typed, spaceAdded, caretPosition, data);
                                      });
    });
}

void TextTransCtrl::onDynamicSuggested(const QString& typed, bool spaceAdded, int caret, const QVariantMap& data)
{
    showImeCandidates(data, ImePageSize * DynamicImePages);
    const QString sentenceKey = QStringLiteral("sentence_suggestion");
    if (!data.contains(sentenceKey))
        return;
    const QString sentence = data.value(sentenceKey).toMap().value(QStringLiteral("text")).toString();
    if (sentence.isEmpty())
        return;
    State* state = State::instance();
    state->setTextTransDynamicSugStc(
        suggestionMarkup(sentence, data.value(QStringLiteral("segment_position")).toList()));
    const QString segmentKey = QStringLiteral("segment_suggestion");
    const QString tips = data.contains(segmentKey)
                             ? suggestionTip(typed, data.value(segmentKey).toList(), spaceAdded, sentence, caret)
                             : QString();
    state->setTextTransDynamicSugTips(tips);
    log(QStringLiteral("dynamicTransSuggest-success: %1, %2"), sentence, tips);
}

void TextTransCtrl::showImeCandidates(const QVariantMap& data, int pageSize)
{
    const QString imeKey = QStringLiteral("ime_suggestion");
    if (!data.contains(imeKey))
        return;
    const QVariantList candidates = imeCandidates(data.value(imeKey).toList());
    State* state = State::instance();
    state->setTextTransDynamicSugIME(candidates);
    // Each page asks for the whole list so far: a full list means there may be more.
    state->textTransDynamicSugIMEHasMoreRef() = candidates.size() == pageSize;
    emit state->textTransDynamicSugIMEHasMoreChange();
}

void TextTransCtrl::dynamicTransIme(const QString& sourceText, const QString& sourceLang, const QString& targetText,
                                    const QString& targetLang, const QString& typed, int editingPosition,
                                    int caretPosition, int page)
{
    // The service sends nothing for a caret before the editing position: no page to wait for.
    if (caretPosition < editingPosition)
        return;
    State* state = State::instance();
    state->textTransDynamicSugIMEHasMoreRef() = false;
    emit state->textTransDynamicSugIMEHasMoreChange();
    const WeakSelf weak = sharedFromThis();
    service->dynamicSuggest(sourceText, sourceLang, targetText, targetLang, typed, editingPosition, caretPosition,
                            page, [weak, page](bool ok, const QVariantMap& data) {
                                const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
                                if (self && ok)
                                    self->showImeCandidates(data, ImePageSize * page);
                            });
}

bool TextTransCtrl::addTransHistory(const QString& text, const QString& sourceLang, const QString& result,
                                    const QString& targetLang, const QVariantList& sourceSpans,
                                    const QVariantList& resultSpans)
{
    // The program's clock may say the interval has passed before the timer does.
    if (pendingSave && TimeUtil::currentMSecsSinceEpoch() >= pendingSaveDueMSecs) {
        historyDebounce->stop();
        sendHistorySave();
    }
    if (text.isEmpty() || lastSavedKey == QStringList{text, sourceLang, targetLang})
        return false;
    pendingSave = HistorySave{text,        sourceLang,  result, targetLang,
                              sourceSpans, resultSpans, State::instance()->textTransResultHumanModified()};
    pendingSaveDueMSecs = TimeUtil::currentMSecsSinceEpoch() + HistoryDebounceMs;
    const WeakSelf weak = sharedFromThis();
    historyDebounce->run([weak] {
        if (const QSharedPointer<TextTransCtrl> self = weak.toStrongRef())
            self->sendHistorySave();
    });
    return true;
}

void TextTransCtrl::sendHistorySave(const std::function<void()>& answered)
{
    // At exit the request service may already be gone; the quit handler has sent the save by then.
    if (!pendingSave || !RequestService::instance())
        return;
    const HistorySave save = *pendingSave;
    pendingSave.reset();
    lastSavedKey = QStringList{save.text, save.sourceLang, save.targetLang};
    // Null while the controller is being destroyed: the reply then only ends the wait.
    const WeakSelf weak = sharedFromThis();
    service->addTransHistory(save.text, save.result, save.sourceSpans, save.resultSpans, save.sourceLang,
                             save.targetLang, save.humanModified,
                             [weak, save, answered](bool ok, const QVariantMap& data) {
                                 if (answered)
                                     answered();
                                 const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
                                 if (self && ok)
                                     self->onHistorySaved(save, data);
                             });
}

void TextTransCtrl::sendHistorySaveBeforeQuit()
{
    if (!pendingSave)
        return;
    historyDebounce->stop();
    // The event loop has ended: the request leaves only while a loop of our own runs.
    QEventLoop loop;
    const QPointer<QEventLoop> waiting(&loop);
    sendHistorySave([waiting] {
        if (waiting)
            waiting->quit();
    });
    QTimer::singleShot(QuitSaveWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

void TextTransCtrl::onHistorySaved(const HistorySave& save, const QVariantMap& data)
{
    ++addedCount;
    const QString id = data.value(QStringLiteral("id")).toString();
    listedIds.insert(id);
    QVariantMap entry{{QStringLiteral("id"), id},
                      {QStringLiteral("text"), save.text},
                      {QStringLiteral("result"), save.result},
                      {QStringLiteral("cloud"), false},
                      {QStringLiteral("clip"), false}};
    // Server pages name the languages in lower-case English; saved entries do the same.
    const QVariantMap langs = State::instance()->textTransLangData();
    const auto nameOf = [&langs](const QString& code) {
        return langs.value(code).toMap().value(QStringLiteral("enName")).toString().toLower();
    };
    if (langs.contains(save.sourceLang))
        entry.insert(QStringLiteral("sourceLang"), nameOf(save.sourceLang));
    if (langs.contains(save.targetLang))
        entry.insert(QStringLiteral("targetLang"), nameOf(save.targetLang));
    State* state = State::instance();
    state->textTransHistory.prepend(entry);
    emit state->textTransHistoryChange(0);
    log(QStringLiteral("TextTransCtrl::addTransHistory: success"), entry);
}

void TextTransCtrl::refreshTransHistory(bool refresh, bool force)
{
    if (refresh && !force) {
        if (addedCount < RefreshAfterSaves) {
            log(QStringLiteral("TextTransCtrl::refreshTransHistory: ignore refresh"));
            return;
        }
        addedCount = 0;
    }
    if (refresh) {
        if (historyLoadState == 2)
            return;
        historyLoadState = 2;
        ++historyGeneration;
        listedIds.clear();
    } else {
        if (historyLoadState == -1 || historyLoadState == 1)
            return;
        historyLoadState = 1;
    }
    const int listed = State::instance()->textTransHistory.size();
    const int page = refresh ? 0 : nextHistoryPage(listed);
    const WeakSelf weak = sharedFromThis();
    const int generation = historyGeneration;
    service->findTransHistoryByPage(page, HistoryPageSize,
                                    [weak, refresh, listed, generation](bool ok, const QVariantMap& data) {
                                        const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
                                        if (!self || generation != self->historyGeneration)
                                            return;
                                        self->historyLoadState = 0;
                                        if (ok)
                                            self->onHistoryPage(refresh, listed, data);
                                    });
}

void TextTransCtrl::onHistoryPage(bool refresh, int listed, const QVariantMap& data)
{
    // A refresh lists anew: what was listed meanwhile (pages, saves) is in the list it replaces.
    QSet<QString> refreshed;
    QSet<QString>& seen = refresh ? refreshed : listedIds;
    const QVariantList content = data.value(QStringLiteral("content")).toList();
    QVariantList entries;
    for (const QVariant& value : content) {
        const QVariantMap item = value.toMap();
        const QString id = item.value(QStringLiteral("id")).toString();
        if (seen.contains(id))
            continue;
        entries.append(pageEntry(item, refresh));
        seen.insert(id);
    }
    if (data.value(QStringLiteral("last")).toBool() && (!entries.isEmpty() || content.isEmpty())) {
        if (!seen.contains(HistoryEndId)) {
            entries.append(QVariantMap{{QStringLiteral("id"), HistoryEndId}});
            seen.insert(HistoryEndId);
        }
        historyLoadState = -1;
    }
    if (refresh) {
        listedIds = refreshed;
        // A next page asked for meanwhile continues the list just replaced.
        ++historyGeneration;
    }
    State* state = State::instance();
    state->addTextTransHistory(entries, !refresh);
    emit state->textTransHistoryChange(refresh ? 0 : listed - 1);
    log(QStringLiteral("refreshTransHistory %1, %2"), QString::number(listed), QString::number(entries.size()));
}

QVariantMap TextTransCtrl::pageEntry(const QVariantMap& item, bool refresh) const
{
    QVariantMap entry = historyEntry(item, !refresh);
    if (!entry.value(QStringLiteral("clip")).toBool())
        return entry;
    const bool stored = TextTransStorage::insert(
        entry.value(QStringLiteral("id")).toString(), item.value(QStringLiteral("src_text")).toString(),
        item.value(QStringLiteral("tgt_text")).toString(), item.value(QStringLiteral("src_lang")).toString(),
        item.value(QStringLiteral("tgt_lang")).toString(), QString());
    entry.insert(QStringLiteral("cloud"), !stored);
    return entry;
}

void TextTransCtrl::transHistoryMakeCopy(int index, bool copyResult)
{
    const QVariantList& history = State::instance()->textTransHistory;
    if (index < 0 || index >= history.size())
        return;
    const QVariantMap entry = history.at(index).toMap();
    const QString key = copyResult ? QStringLiteral("result") : QStringLiteral("text");
    if (!entry.value(QStringLiteral("clip")).toBool()) {
        copyToClipboard(entry.value(key).toString());
        return;
    }
    if (entry.value(QStringLiteral("cloud")).toBool()) {
        log(QStringLiteral("transHistoryMakeCopy-clip-cloud: %1"), QString::number(index));
        getTransHistoryDetail(index, copyResult, entry);
        return;
    }
    QList<QVariantMap> rows;
    TextTransStorage::select(rows, entry.value(QStringLiteral("id")).toString());
    if (rows.isEmpty()) {
        getTransHistoryDetail(index, copyResult, entry);
        return;
    }
    log(QStringLiteral("transHistoryMakeCopy-clip-sql: %1"), QString::number(index));
    copyToClipboard(rows.first().value(key).toString());
}

void TextTransCtrl::getTransHistoryDetail(int index, bool copyResult, const QVariantMap& entry)
{
    State::instance()->setRetcode(1001);
    const WeakSelf weak = sharedFromThis();
    service->fetchTransHistory(entry.value(QStringLiteral("id")).toString(),
                               [weak, index, copyResult, entry](bool ok, const QVariantMap& data) {
                                   State::instance()->setRetcode(1000);
                                   const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
                                   if (self && ok)
                                       self->onHistoryDetail(index, copyResult, entry, data);
                               });
}

void TextTransCtrl::onHistoryDetail(int index, bool copyResult, QVariantMap entry, const QVariantMap& data)
{
    const QString source = data.value(QStringLiteral("src_text")).toString();
    const QString target = data.value(QStringLiteral("tgt_text")).toString();
    const QString id = data.value(QStringLiteral("id")).toString();
    copyToClipboard(copyResult ? target : source);
    QVariantList& history = State::instance()->textTransHistory;
    // The entry may have moved while the text was on its way.
    if (index >= history.size() || history.at(index).toMap().value(QStringLiteral("id")).toString() != id)
        return;
    entry.insert(QStringLiteral("text"), source);
    entry.insert(QStringLiteral("result"), target);
    entry.insert(QStringLiteral("cloud"), false);
    entry.insert(QStringLiteral("clip"), false);
    history[index] = entry;
    log(QStringLiteral("getTransHistoryDetail update: %1"), id);
}

void TextTransCtrl::transHistoryMakeDelete(int index)
{
    State* state = State::instance();
    if (index < 0 || index >= state->textTransHistory.size())
        return;
    const QString id = state->textTransHistory.at(index).toMap().value(QStringLiteral("id")).toString();
    state->removeTextTransHistory(index);
    emit state->textTransHistoryChange(index);
    const WeakSelf weak = sharedFromThis();
    service->deleteTransHistory(id, [weak](bool ok, const QVariantMap&) {
        const QSharedPointer<TextTransCtrl> self = weak.toStrongRef();
        if (self && ok && State::instance()->textTransHistory.isEmpty())
            self->refreshTransHistory(true, true);
    });
}

void TextTransCtrl::copyToClipboard(const QString& text)
{
    if (GlobalCtrl* global = GlobalCtrl::instance())
        global->copyText(text, MainWindow);
}
