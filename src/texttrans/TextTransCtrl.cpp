#include "texttrans/TextTransCtrl.h"

#include "core/Debounce.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/WeakOwner.h"
#include "texttrans/TextTransService.h"
#include "texttrans/TextTransSuggestions.h"
#include "texttrans/TextTransWire.h"

#include <QCoreApplication>
#include <QQuickTextDocument>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace TextTrans;

namespace {

constexpr int TranslateDebounceMs = 300;
constexpr int SuggestionDebounceMs = 200;
// Candidates asked for with a dynamic suggestion: two pages of the input method's 9.
constexpr int ImePageSize = 9;
constexpr int DynamicImePages = 2;
constexpr int DefaultLineHeight = 26;
const QString MainWindow = QStringLiteral("main");

TextTransCtrl::Hooks& hooks()
{
    static TextTransCtrl::Hooks wired;
    return wired;
}

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
    service = QSharedPointer<TextTransService>::create();
    history = QSharedPointer<TextTransHistoryList>::create(service, &TextTransCtrl::copyToClipboard);
}

TextTransCtrl::~TextTransCtrl()
{
    m_translating = 0;
    suggestionDebounce.reset();
    translateDebounce.reset();
    history.reset();
    service.reset();
}

void TextTransCtrl::init()
{
    fetchSupportLang(false);
    if (State::instance()->userLogined())
        refreshTransHistory(true, true);
    if (hooks().reportPageView)
        hooks().reportPageView(QStringLiteral("parlavine_text_trans"));
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
    translateDebounce->run(WeakOwner::ifAlive(weak, [request, sentLang, targetLang, domain](TextTransCtrl& self) {
        self.requestTrans(request, sentLang, targetLang, domain, 2);
    }));
}

void TextTransCtrl::clearTranslation(bool debounced)
{
    State* state = State::instance();
    state->setTextTransStatus(0);
    state->setTextTransFailure(QString());
    state->setTextTransResultSource(QString());
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
    const auto cancel = WeakOwner::ifAlive(weak, [](TextTransCtrl& self) {
        self.m_translating = 0;
        self.cancelPending();
    });
    translateDebounce->run([cancel]() {
        State::instance()->setTextTransStatus(0);
        cancel();
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
    State::instance()->setTextTransFailure(QString());
    State::instance()->setTextTransStatus(1);
    const auto show = WeakOwner::ifAlive(WeakSelf(sharedFromThis()),
                                         [request](TextTransCtrl& self, bool ok, const QVariantMap& data) {
                                             self.showTranslation(request, ok, data);
                                         });
    service->translation(
        request.text, sentLang, targetLang, domain,
        [show](bool ok, const QVariantMap& data) {
            // Whether or not the controller is still there, so the spinner never sticks.
            State::instance()->setTextTransStatus(0);
            show(ok, data);
        },
        request.mergeBreak, true, tries);
}

void TextTransCtrl::showTranslation(const TransRequest& request, bool ok, const QVariantMap& data)
{
    // Zero after the source was cleared: whatever still arrives is stale.
    if (m_translating < 1) {
        log(QStringLiteral("translation m_translating-block"));
        return;
    }
    --m_translating;
    if (m_textTransTemp != request.text) {
        log(QStringLiteral("m_textTransTemp mismatch"));
        return;
    }
    State* state = State::instance();
    // A reply with no translated sentence is no translation either; the toasts came from the service.
    if (!ok || data.value(QStringLiteral("auto_translation")).toList().isEmpty()) {
        state->setTextTransFailure(tr("翻译失败，请稍后重试"));
        return;
    }
    if (request.sourceLang == QLatin1String("auto"))
        state->setTextTransSourceLangAutoUpdateQuietly(true);
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
    state->setTextTransResultSource(realSourceText);
    state->setTextTransResult(result.text);
    state->setTextTransSourceIndexes(sourceSpans);
    state->setTextTransResultIndexes(result.spans);
    state->setTextTransStatus(0);
    addTransHistory(realSourceText, sourceLang, result.text, targetLang, sourceSpans, result.spans);
    // The service answers again: a language table that failed to come can come now.
    refetchFailedSupportLang();
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
    // The page fetches again after a failure; the table itself goes to State whoever asked. A table
    // that comes late leaves the languages the user works with as they are.
    const WeakSelf weak = sharedFromThis();
    const bool recovering = langTableFailed;
    service->supportLang(
        [weak, recovering](bool ok, const QVariantMap& data) {
            if (const QSharedPointer<TextTransCtrl> self = weak.toStrongRef())
                self->langTableFailed = !ok;
            if (ok && recovering)
                showLangTable(data);
            else
                onSupportLangFetched(ok, data);
        },
        false);
    service->supportSugLang(&TextTransCtrl::onSugLangFetched);
}

void TextTransCtrl::refetchFailedSupportLang()
{
    if (langTableFailed)
        fetchSupportLang(true);
}

void TextTransCtrl::onSupportLangFetched(bool ok, const QVariantMap& data)
{
    State* state = State::instance();
    if (!ok) {
        // Names from an outdated table beat bare codes until the service answers again.
        if (state->textTransLangData().size() <= 3) {
            const LangTable stored = TextTransService::storedLangTable();
            if (!stored.isEmpty())
                state->setTextTransLangData(stored);
        }
        return;
    }
    showLangTable(data);
    state->setTextTransSourceLang(QStringLiteral("auto"));
    state->setTextTransTargetLang(QStringLiteral("en"));
    state->setTextTransSourceLangAutoUpdateQuietly(true);
}

void TextTransCtrl::showLangTable(const QVariantMap& table)
{
    State* state = State::instance();
    state->setTextTransLangData(table);
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
    suggestionDebounce->run(WeakOwner::ifAlive(
        weak, [weak, sourceText, targetText, start, end, sourceLang, targetLang](TextTransCtrl& self) {
            self.service->selectSuggest(sourceText, targetText, start, end, sourceLang, targetLang,
                                        WeakOwner::ifAlive(weak, &TextTransCtrl::onSelectSuggested));
        }));
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
    state->setTextTransDynamicSugIMEHasMore(false);
    if (isLangPairBanned(QStringLiteral("sug_dynamic"), sourceLang, targetLang))
        return;
    const WeakSelf weak = sharedFromThis();
    suggestionDebounce->run(WeakOwner::ifAlive(weak, [weak, sourceText, sourceLang, targetText, targetLang, typed,
                                                      editingPosition, caretPosition](TextTransCtrl& self) {
        const TypedText sent = typedForSuggestion(targetLang, typed, editingPosition, caretPosition);
        const bool spaceAdded = sent.spaceAdded;
        self.service->dynamicSuggest(
            sourceText, sourceLang, targetText, targetLang, sent.text, sent.editingPosition, sent.caret,
            DynamicImePages,
            WeakOwner::ifAlive(weak, [typed, spaceAdded, caretPosition](TextTransCtrl& self, bool ok,
                                                                        const QVariantMap& data) {
                if (ok)
                    self.onDynamicSuggested(typed, spaceAdded, caretPosition, data);
            }));
    }));
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
    state->setTextTransDynamicSugIMEHasMore(candidates.size() == pageSize);
}

void TextTransCtrl::dynamicTransIme(const QString& sourceText, const QString& sourceLang, const QString& targetText,
                                    const QString& targetLang, const QString& typed, int editingPosition,
                                    int caretPosition, int page)
{
    // The service sends nothing for a caret before the editing position: no page to wait for.
    if (caretPosition < editingPosition)
        return;
    State* state = State::instance();
    state->setTextTransDynamicSugIMEHasMore(false);
    const WeakSelf weak = sharedFromThis();
    service->dynamicSuggest(sourceText, sourceLang, targetText, targetLang, typed, editingPosition, caretPosition,
                            page, WeakOwner::ifAlive(weak, [page](TextTransCtrl& self, bool ok, const QVariantMap& data) {
                                if (ok)
                                    self.showImeCandidates(data, ImePageSize * page);
                            }));
}

void TextTransCtrl::copyToClipboard(const QString& text)
{
    if (hooks().copyText)
        hooks().copyText(text, MainWindow);
}

void TextTransCtrl::setHooks(Hooks wired)
{
    hooks() = std::move(wired);
}
