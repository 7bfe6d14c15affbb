#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <functional>

class FileDownloader;

// Turns version checks into the update state the update window shows, downloads the package
// and hands it to the install script; owned by the shell controller.
class Updater : public QObject
{
    Q_OBJECT
public:
    explicit Updater(QObject* parent = nullptr);
    ~Updater() override;

    // show opens the update window for the result; force marks an automatic check.
    void checkVersion(bool show, bool force);
    void findConfig();
    void blockVersion(const QString& version);
    void cancelDownload();
    // 0 when the download starts or the package is already there; -100 empty url, -200 no
    // package folder, -300 no usable file name in the url, -400 an address that is not https (nor
    // plain http on the service's own host).
    int downloadPkg(const QString& url);
    void removePkgDir();
    void onWindowReActive();
    void runInstallScript();
    // After the install script started the program again because the installation failed: says
    // so in the main window, with the reason and where the script's log is.
    void reportInstallFailure();
    // How the program ends after handing over to the install script; QCoreApplication::exit by default.
    void setExitHandler(std::function<void(int)> handler);

    static QString packageFolder();
    // The last path segment of the url, or "" when that is no plain file name.
    static QString packageFileName(const QString& url);

public slots:
    void downloadProgress(qlonglong bytesRead, qlonglong totalBytes);
    void downloadFinished();
    void downloadError(QString errorString);

private:
    void onCheckVersion(bool show, bool force, bool ok, const QVariantMap& data);
    void onFindConfig(const QVariantMap& data);
    void writeOffer(bool force, const QVariantMap& data);
    void resetDownloadState();
    // Shows an install question with the given confirm and cancel steps; confirming installs.
    using Question = std::function<void(const std::function<void()>& onSure, const std::function<void()>& onCancel)>;
    void askToInstall(const Question& question);
    // A download runs or its install question is open: a check must not take its package away.
    bool holdsPackage() const;
    void publish(const QVariantMap& changes);
    // Opens the update window, also when it is open already.
    void openWindow();
    // The words for a reason the install script gives, followed by the log's path.
    static QString installFailureText(const QString& reason);

    quint32 m_lastCheckTime = 0;
    FileDownloader* m_downloader;
    bool m_installQuestionOpen = false;
    // An automatic check that could not reach the service is tried again later.
    QTimer m_retryTimer;
    std::function<void(int)> m_exitHandler;
};
