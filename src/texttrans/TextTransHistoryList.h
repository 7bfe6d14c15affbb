#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QSet>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>

class Debounce;
class TextTransService;

// The text page's history list in State: finished translations saved (the last within the
// interval, and a pending one at quit or when the page closes), pages listed, entries copied and
// deleted. Owned by TextTransCtrl, which forwards the page's actions; hands out weak references
// to itself.
class TextTransHistoryList : public QObject, public QEnableSharedFromThis<TextTransHistoryList>
{
    Q_OBJECT
public:
    TextTransHistoryList(QSharedPointer<TextTransService> service,
                         std::function<void(const QString&)> copyToClipboard);
    ~TextTransHistoryList() override;

    void transHistoryMakeDelete(int index);
    void transHistoryMakeCopy(int index, bool copyResult);
    // Puts the entry's full text into the source editor, which translates it.
    void transHistoryTranslate(int index);
    void refreshTransHistory(bool refresh, bool force);
    // Schedules the save of a finished translation (last call within the interval wins); false
    // when there is nothing to save or the same text and languages were saved last.
    bool addTransHistory(const QString& text, const QString& sourceLang, const QString& result,
                         const QString& targetLang, const QVariantList& sourceSpans, const QVariantList& resultSpans);
    // Full source text and result of a history entry.
    using HistoryTextUse = std::function<void(const QString& text, const QString& result)>;
    // Fetches the full text of a clipped entry, hands it to use and puts it into the list.
    void getTransHistoryDetail(int index, const QVariantMap& entry, const HistoryTextUse& use);

private:
    using WeakSelf = QWeakPointer<TextTransHistoryList>;

    // A finished translation waiting to be saved.
    struct HistorySave
    {
        QString text;
        QString sourceLang;
        QString result;
        QString targetLang;
        QVariantList sourceSpans;
        QVariantList resultSpans;
        bool humanModified = false;
    };
    void sendHistorySave(const std::function<void()>& answered = {});
    void sendHistorySaveBeforeQuit();
    void onHistorySaved(const HistorySave& save, const QVariantMap& data);
    void onHistoryPage(bool refresh, int listed, const QVariantMap& data);
    QVariantMap pageEntry(const QVariantMap& item, bool refresh) const;
    // Hands use the entry's full text: at once from the list or the local table, else once fetched.
    void withFullHistoryText(int index, const HistoryTextUse& use);
    void onHistoryDetail(int index, QVariantMap entry, const QVariantMap& data, const HistoryTextUse& use);

    QSharedPointer<TextTransService> service;
    std::function<void(const QString&)> copyToClipboard;
    std::unique_ptr<Debounce> historyDebounce;
    QSet<QString> listedIds;
    int historyLoadState = 0; // 0 idle, 1 next page loading, 2 refresh loading, -1 last page listed
    // Bumped when a refresh is sent and when it lands: a page asked for before belongs to a list that is gone.
    int historyGeneration = 0;
    QStringList lastSavedKey;
    std::optional<HistorySave> pendingSave;
    qint64 pendingSaveDueMSecs = 0;
    int addedCount = 0;
};
