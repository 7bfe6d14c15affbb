#include "texttrans/TextTransCtrl.h"

#include "core/Debounce.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/State.h"
#include "texttrans/TextTransService.h"
#include "texttrans/TextTransWire.h"
#include "update/VexilService.h"

#include <QQuickTextDocument>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr int TranslateDebounceMs = 300;
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
    service = QSharedPointer<TextTransService>::create();
}

TextTransCtrl::~TextTransCtrl()
{
    m_translating = 0;
    translateDebounce.reset();
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
    state->setTextTransResult(result.text);
    state->setTextTransSourceIndexes(sourceSpans);
    state->setTextTransResultIndexes(result.spans);
    state->setTextTransStatus(0);
    // TODO(history): addTransHistory(realSourceText, sourceLang, result.text, targetLang, sourceSpans, result.spans);
}

bool TextTransCtrl::isLangPairBanned(const QString& feature, const QString& sourceLang,
                                     const QString& targetLang) const
{
    const QVariantMap entry = State::instance()->textTransLangData().value(sourceLang).toMap();
    const QVariantMap support = entry.value(QStringLiteral("support")).toMap();
    if (!support.contains(targetLang))
        return false;
    if (support.value(targetLang).toMap().value(feature).toBool())
        return false;
    log(feature + QStringLiteral(" banned!!"));
    return true;
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

// TODO(suggestions): the four suggestion actions.
void TextTransCtrl::searchSuggestions(const QString&, const QString&, const QString&) {}
void TextTransCtrl::searchSelectSuggestions(const QString&, const QString&, int, int, const QString&, const QString&) {}
void TextTransCtrl::dynamicTransSuggestion(const QString&, const QString&, const QString&, const QString&, const QString&, int, int) {}
void TextTransCtrl::dynamicTransIme(const QString&, const QString&, const QString&, const QString&, const QString&, int, int, int) {}

// TODO(history): the history list actions.
void TextTransCtrl::transHistoryMakeDelete(int) {}
void TextTransCtrl::transHistoryMakeCopy(int, bool) {}
void TextTransCtrl::refreshTransHistory(bool, bool) {}
