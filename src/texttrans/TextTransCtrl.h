#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>

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
    void transHistoryMakeDelete(int index);
    void transHistoryMakeCopy(int index, bool copyResult);
    void refreshTransHistory(bool refresh, bool force);
    void dynamicTransIme(const QString& sourceText, const QString& sourceLang, const QString& targetText, const QString& targetLang, const QString& typed, int editingPosition, int caretPosition, int page);
    void saveTermSentence(const QString& sourceText, const QString& targetText, const QString& sourceLang, const QString& targetLang);
    void feedback(const QString& type, const QString& sourceText, const QString& sourceLang, const QString& targetText, const QString& targetLang, const QString& domain, const QStringList& reasons);
    void fetchSupportLang(bool force);

    // True when the language table marks the pair as lacking the feature ("trans", "sug_static",
    // "sug_select", "sug_dynamic"); a pair the table does not describe is allowed.
    bool isLangPairBanned(const QString& feature, const QString& sourceLang, const QString& targetLang) const;

    // They write State only, so a reply may outlive the controller that asked.
    static void onSupportLangFetched(bool ok, const QVariantMap& data);
    static void onSugLangFetched(bool ok, const QVariantMap& data);

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
    static void onTranslateFinished(const WeakSelf& weak, const TransRequest& request, bool ok,
                                    const QVariantMap& data);
    void showTranslation(const TransRequest& request, bool ok, const QVariantMap& data);
    void loadLineHeight();
    void applyLineHeight(QTextCursor cursor) const;
    void onCursorPositionChanged(const QTextCursor& cursor);

    std::unique_ptr<Debounce> translateDebounce;
    QSharedPointer<TextTransService> service;
    QString m_textTransTemp;
    int lineHeight = 26;
    int m_translating = 0;
};
