#pragma once

#include <QEnableSharedFromThis>
#include <QList>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QSharedPointer>
#include <QString>
#include <QStringList>
#include <QVariantMap>

class FileTransService;
class QTimer;
struct FileTaskRecord;

// The document-translation controller: file checks, upload queue, task polling, history,
// removal and download. Owned by Dispatch through a shared pointer; hands out weak references.
class FileTransCtrl : public QObject, public QEnableSharedFromThis<FileTransCtrl>
{
    Q_OBJECT
public:
    // Poll states of a task id.
    enum PollState { Waiting = 0, InFlight = 1, First = 2 };
    static constexpr int QuickPollMs = 1000;
    static constexpr int SlowPollMs = 10000;
    static constexpr int ChecksPerTick = 3;

    explicit FileTransCtrl(QObject* parent = nullptr);
    ~FileTransCtrl() override;

    void init();
    void translation(const QString& path, const QString& sourceLang, const QString& targetLang, const QString& domain);
    void transWithBrowser(const QString& sourceLang, const QString& targetLang);
    void removeTransHistory(const QVariantMap& task);
    // Sends a document whose upload failed once more; its row makes way for the new attempt.
    void retryUpload(const QString& fileId);
    void downloadTransHistory(const QString& fileId);
    void loadSupportLang(bool force);

    // True when the language table refuses the pair for the feature.
    bool checkLangSupport(const QString& feature, const QString& sourceLang, const QString& targetLang) const;
    void translateNext();

    void updateTransList();
    void startCheckRuntime(bool quick);
    void stopCheckRuntime();
    void checkTransProcess();

    // For the tests: the ids being polled with their states, and the timer's interval (0: off).
    QMap<QString, int> pollSnapshot();
    int pollInterval() const;
    const QString& nameFilter() const { return fileFilter; }

    // The file to write a download to: chosen plus "." + type unless it ends so already. Empty
    // when the type is not 1 to 10 letters and digits.
    static QString downloadTarget(const QString& chosen, const QString& type);
    // The name offered in the save dialog: the task's name without the type and separators,
    // "_trans", then the type; empty when nothing usable is left of the name.
    static QString suggestedName(const QString& fileName, const QString& type);
    // Strict Base64 (standard alphabet, padded); false for empty or malformed text.
    static bool decodeBase64(const QByteArray& text, QByteArray& out);

private:
    using Weak = QWeakPointer<FileTransCtrl>;

    // One document on its way to the server.
    struct Upload
    {
        QString path;
        QString name;
        QString type;
        QString sourceLang;
        QString targetLang;
        QString domain;
    };

    void onWindowActiveChanged();
    void transProcess(const QString& fileId);
    void setPollState(const QString& fileId, int state);
    void dropPoll(const QString& fileId);
    // queued: the file came from the queue, which moves on when the file stops before submission.
    void checkAndSubmit(const QString& path, const QString& sourceLang, const QString& targetLang,
                        const QString& domain, bool queued);
    void stopped(bool queued);
    void askRepetition(const QString& path, const QString& name, const QString& sourceLang,
                       const QString& targetLang, const QString& domain, bool queued);
    void submit(const Upload& upload, bool queued);
    void onSubmitted(bool ok, const QVariantMap& reply, const Upload& upload);
    // The document stays in the list, marked, with what a retry needs.
    void keepFailedUpload(const Upload& upload, const QString& reason);
    void onProcessChecked(const QString& keptId, bool ok, const QVariantMap& reply);
    void applyProgress(int row, const QString& fileId, const QVariantMap& reply);
    void onCheckFailed(const QVariantMap& error);
    void onTransListLoaded(bool ok, const QVariantMap& reply);
    void onRemoveConfirmed(const QString& fileId);
    void onRemoveFailed(const QVariantMap& error);
    // The download needs nothing of the controller: it goes on after a release.
    static void onHistoryLoaded(bool ok, const QVariantMap& reply);
    static void saveDownload(const QString& target, const QByteArray& bytes);

    QSharedPointer<FileTransService> service;
    QTimer* checkTimer = nullptr;
    QMutex pollMutex;
    QMap<QString, int> pollStates;
    QList<QVariantMap> pendingFiles;
    QString fileFilter;
    QStringList submittedNames;
    // One network toast while progress checks keep failing; cleared by the next good check.
    bool checkFailureShown = false;
};
