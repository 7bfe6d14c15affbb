#pragma once

#include "texttrans/TextTransHistoryList.h"

#include <QEnableSharedFromThis>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <memory>

class Debounce;
class QQuickTextDocument;
class QTextCursor;
class TextTransService;

// The text-translation page controller: translation, suggestions, history, feedback.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class TextTransCtrl : public QObject, public QEnableSharedFromThis<TextTransCtrl>
{
    Q_OBJECT
public:
    explicit TextTransCtrl(QObject* parent = nullptr);
    ~TextTransCtrl() override;

    void init();
    void translation(const QString& text, const QString& sourceLang, const QString& targetLang, bool debounced, bool mergeBreak, const QString& domain);
    void searchSuggestions(const QString& text, const QString& sourceLang, const QString& targetLang);
    void searchSelectSuggestions(const QString& sourceText, const QString& targetText, int start, int end, const QString& sourceLang, const QString& targetLang);
    void dynamicTransSuggestion(const QString& sourceText, const QString& sourceLang, const QString& targetText, const QString& targetLang, const QString& typed, int editingPosition, int caretPosition);
    void handleUIForEditor(QQuickTextDocument* document, const QString& editorName);
    void transHistoryMakeDelete(int index) { history->transHistoryMakeDelete(index); }
    void transHistoryMakeCopy(int index, bool copyResult) { history->transHistoryMakeCopy(index, copyResult); }
    void transHistoryTranslate(int index) { history->transHistoryTranslate(index); }
    void refreshTransHistory(bool refresh, bool force) { history->refreshTransHistory(refresh, force); }
    void dynamicTransIme(const QString& sourceText, const QString& sourceLang, const QString& targetText, const QString& targetLang, const QString& typed, int editingPosition, int caretPosition, int page);
    void saveTermSentence(const QString& sourceText, const QString& targetText, const QString& sourceLang, const QString& targetLang);
    void feedback(const QString& type, const QString& sourceText, const QString& sourceLang, const QString& targetText, const QString& targetLang, const QString& domain, const QStringList& reasons);
    void fetchSupportLang(bool force);
    // Fetches the language tables again when this controller's last fetch failed.
    void refetchFailedSupportLang();

    // The history list's, see TextTransHistoryList.
    bool addTransHistory(const QString& text, const QString& sourceLang, const QString& result,
                         const QString& targetLang, const QVariantList& sourceSpans, const QVariantList& resultSpans)
    {
        return history->addTransHistory(text, sourceLang, result, targetLang, sourceSpans, resultSpans);
    }

    // True when the language table marks the pair as lacking the feature ("trans", "sug_static",
    // "sug_select", "sug_dynamic"); a pair the table does not describe is allowed.
    bool isLangPairBanned(const QString& feature, const QString& sourceLang, const QString& targetLang) const;

    // They write State only, so a reply may outlive the controller that asked.
    static void onSupportLangFetched(bool ok, const QVariantMap& data);
    static void onSugLangFetched(bool ok, const QVariantMap& data);
    static void showLangTable(const QVariantMap& table);

    // How the page reaches the clipboard (with its toast) and telemetry; wired at start-up.
    struct Hooks
    {
        std::function<void(const QString& text, const QString& window)> copyText;
        std::function<void(const QString& page)> reportPageView;
    };
    static void setHooks(Hooks hooks);

private:
    using WeakSelf = QWeakPointer<TextTransCtrl>;

    // What the reply of one translation is checked against.
    struct TransRequest
    {
        QString text;
        QString sourceLang; // as the caller passed it, not the language sent
        bool mergeBreak = false;
    };

    void clearTranslation(bool debounced);
    void cancelPending();
    void requestTrans(const TransRequest& request, const QString& sentLang, const QString& targetLang,
                      const QString& domain, int tries);
    void showTranslation(const TransRequest& request, bool ok, const QVariantMap& data);
    void loadLineHeight();
    void applyLineHeight(QTextCursor cursor) const;
    void onCursorPositionChanged(const QTextCursor& cursor);

    static void onStaticSuggested(bool ok, const QVariantMap& data);
    void onSelectSuggested(bool ok, const QVariantMap& data);
    void onDynamicSuggested(const QString& typed, bool spaceAdded, int caret, const QVariantMap& data);
    void showImeCandidates(const QVariantMap& data, int pageSize);

    static void copyToClipboard(const QString& text);

    std::unique_ptr<Debounce> translateDebounce;
    std::unique_ptr<Debounce> suggestionDebounce;
    QSharedPointer<TextTransService> service;
    QSharedPointer<TextTransHistoryList> history;
    bool selectionActive = false;
    QString m_textTransTemp;
    int lineHeight = 26;
    int m_translating = 0;
    bool langTableFailed = false;
};
