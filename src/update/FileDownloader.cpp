#include "update/FileDownloader.h"

#include <QNetworkRequest>

namespace {

constexpr int MaxRedirects = 5;

} // namespace

FileDownloader::FileDownloader(QObject* parent) : QObject(parent) {}

FileDownloader::~FileDownloader()
{
    stop();
}

void FileDownloader::download(const QUrl& url, const QString& path)
{
    stop();
    m_archive.reset();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly)) {
        emit downloadError(QStringLiteral("Failed to open output file: %1").arg(m_file.errorString()));
        return;
    }
    QNetworkRequest request(url);
    // Redirects are followed a few times and never from https down to http.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    if (!m_manager)
        m_manager = std::make_unique<QNetworkAccessManager>();
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &FileDownloader::onDownloadProgress);
    connect(m_reply, &QNetworkReply::finished, this, &FileDownloader::onDownloadFinished);
    connect(m_reply, &QNetworkReply::errorOccurred, this, &FileDownloader::onDownloadError);
    connect(m_reply, &QNetworkReply::readyRead, this, &FileDownloader::onReadyRead);
}

void FileDownloader::cancel()
{
    if (m_reply)
        m_reply->abort(); // reports through onDownloadError with the transport's own text
}

void FileDownloader::onReadyRead()
{
    if (!m_reply)
        return;
    const QByteArray chunk = m_reply->readAll();
    m_archive.feed(chunk);
    if (m_file.write(chunk) != chunk.size()) {
        const QString why = QStringLiteral("Failed to write output file: %1").arg(m_file.errorString());
        stop();
        emit downloadError(why);
    }
}

void FileDownloader::onDownloadProgress(qlonglong bytesRead, qlonglong totalBytes)
{
    if (m_reply)
        emit downloadProgress(bytesRead, totalBytes);
}

void FileDownloader::onDownloadError(QNetworkReply::NetworkError)
{
    if (m_reply)
        fail(m_reply->errorString());
}

void FileDownloader::onDownloadFinished()
{
    if (!m_reply)
        return;
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_reply->error() != QNetworkReply::NoError) {
        fail(m_reply->errorString());
        return;
    }
    if (status < 200 || status > 299) {
        fail(QStringLiteral("HTTP status %1").arg(status));
        return;
    }
    onReadyRead();
    if (!m_reply)
        return;
    // Qt may report a connection cut short as a finished reply: a package is whole only when it
    // has as many bytes as the server announced (unless they came compressed).
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (announced.isValid() && (encoding.isEmpty() || encoding == "identity") && m_file.size() != announced.toLongLong()) {
        fail(QStringLiteral("The download ended after %1 of %2 bytes").arg(m_file.size()).arg(announced.toLongLong()));
        return;
    }
    if (!m_archive.isWhole()) {
        fail(QStringLiteral("The download is not a whole Debian package"));
        return;
    }
    forgetReply();
    if (!m_file.commit()) {
        emit downloadError(QStringLiteral("Failed to write output file: %1").arg(m_file.errorString()));
        return;
    }
    emit downloadFinished();
}

void FileDownloader::fail(const QString& errorString)
{
    if (m_reply)
        m_reply->disconnect(this);
    forgetReply();
    discardFile();
    emit downloadError(errorString);
}

void FileDownloader::stop()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    forgetReply();
    discardFile();
}

void FileDownloader::discardFile()
{
    if (!m_file.isOpen())
        return;
    // A cancelled save file drops its temporary copy on commit; the target stays as it was.
    m_file.cancelWriting();
    m_file.commit();
}

void FileDownloader::forgetReply()
{
    if (m_reply)
        m_reply->deleteLater();
    m_reply = nullptr;
}
