#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>
#include <QStringList>

class QQuickTextDocument;

// The text-translation page controller: translation, suggestions, history, feedback.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class TextTransCtrl : public QObject, public QEnableSharedFromThis<TextTransCtrl>
{
    Q_OBJECT
public:
    explicit TextTransCtrl(QObject* parent = nullptr);

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
};
