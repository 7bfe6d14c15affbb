#pragma once

#include "update/DebArchiveCheck.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QObject>
#include <QSaveFile>
#include <QString>
#include <QUrl>

#include <memory>

// Fetches a Debian package into one file. The file appears under its name only when a whole
// package has arrived with a success status: a cut or refused transfer, or a page served in its
// place, never leaves a package to install.
class FileDownloader : public QObject
{
    Q_OBJECT
public:
    explicit FileDownloader(QObject* parent = nullptr);
    ~FileDownloader() override;

    void download(const QUrl& url, const QString& path);
    void cancel();
    bool isRunning() const { return m_reply != nullptr; }

signals:
    // totalBytes is -1 while the size is unknown.
    void downloadProgress(qlonglong bytesRead, qlonglong totalBytes);
    void downloadFinished();
    void downloadError(QString errorString);

private slots:
    void onDownloadProgress(qlonglong bytesRead, qlonglong totalBytes);
    void onDownloadFinished();
    void onDownloadError(QNetworkReply::NetworkError error);
    void onReadyRead();

private:
    void fail(const QString& errorString);
    // Drops the running transfer and its unfinished file without a signal.
    void stop();
    void discardFile();
    void forgetReply();

    // Made with the first download: a network manager loads Qt's bearer plugins, which start-up
    // need not wait for.
    std::unique_ptr<QNetworkAccessManager> m_manager;
    QNetworkReply* m_reply = nullptr;
    QSaveFile m_file;
    DebArchiveCheck m_archive;
};
