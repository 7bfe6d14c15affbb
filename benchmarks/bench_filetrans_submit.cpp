// Submitting a 40 MB document: reading, Base64 and the request body. Prints the longest stall of
// the GUI thread and the peak of extra memory, for the client's path (sent to a local sink that
// reads the whole body) and, for comparison, for a body built on the GUI thread as a JSON object
// around a Base64 string (built only, not sent).
#include "filetrans/FileTransService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <future>

namespace {

constexpr qint64 FileBytes = 40LL * 1024 * 1024;

qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Resets the peak to the present size; returns that size.
qint64 resetPeakKb()
{
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
    return statusKb("VmRSS:");
}

// Measures the longest gap between 1 ms ticks while the job runs; the job quits the loop.
qint64 longestStallMs(const std::function<void()>& job)
{
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = qMax(longest, now - last);
        last = now;
    });
    clock.start();
    ticker.start();
    QTimer::singleShot(0, job);
    QCoreApplication::exec();
    const qint64 now = clock.elapsed();
    return qMax(longest, now - last);
}

// Takes one request on its own thread, reads the whole body and answers with an empty object,
// so that the client's path includes sending the body. Returns the port.
quint16 startSink(QThread*& thread)
{
    std::promise<quint16> port;
    std::future<quint16> bound = port.get_future();
    thread = QThread::create([&port] {
        QTcpServer server;
        server.listen(QHostAddress::LocalHost);
        port.set_value(server.serverPort());
        if (!server.waitForNewConnection(60000))
            return;
        QTcpSocket* socket = server.nextPendingConnection();
        QByteArray head;
        qint64 length = -1;
        qint64 received = 0;
        while (socket->waitForReadyRead(30000)) {
            if (length < 0) {
                head += socket->readAll();
                const int end = head.indexOf("\r\n\r\n");
                if (end < 0)
                    continue;
                const int at = head.toLower().indexOf("content-length:");
                length = head.mid(at + 15, head.indexOf('\r', at) - at - 15).trimmed().toLongLong();
                received = head.size() - end - 4;
            } else {
                received += socket->readAll().size();
            }
            if (received >= length)
                break;
        }
        std::printf("(sink received %lld of %lld body bytes)\n", static_cast<long long>(received), static_cast<long long>(length));
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: 2\r\n"
                      "Connection: close\r\n\r\n{}");
        socket->waitForBytesWritten(10000);
        socket->disconnectFromHost();
    });
    thread->start();
    return bound.get();
}

void report(const char* path, qint64 stallMs, qint64 baseKb)
{
    const double extra = double(statusKb("VmHWM:") - baseKb) * 1024 / FileBytes;
    std::printf("%-40s longest GUI stall %5lld ms, peak extra memory %.2f x file\n", path,
                static_cast<long long>(stallMs), extra);
}

} // namespace

int main(int argc, char** argv)
{
    QThread* sink = nullptr;
    qputenv("PARLAVINE_API_URL", "http://127.0.0.1:" + QByteArray::number(startSink(sink)));
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.pdf"));
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        QByteArray block(1024 * 1024, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char(quint32(i) * 7919u % 251u);
        for (qint64 written = 0; written < FileBytes; written += block.size())
            file.write(block);
    }

    QSharedPointer<FileTransService> service(new FileTransService);
    qint64 base = resetPeakKb();
    qint64 stall = longestStallMs([&] {
        service->submitFile(path, "big.pdf", "pdf", "zh", "en", QString(),
                            [](bool, const QVariantMap&) { QCoreApplication::quit(); });
    });
    report("bytes built off the GUI thread, sent:", stall, base);
    sink->wait();
    delete sink;

    base = resetPeakKb();
    stall = longestStallMs([&] {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QString content = QString::fromLatin1(file.readAll().toBase64());
        const QJsonObject body{{"header", QJsonObject{{"fn", "auto_translation_file"}}},
                               {"source", QJsonObject{{"lang", "zh"}, {"type", "pdf"}, {"name", "big.pdf"},
                                                      {"content_base64", content}}},
                               {"target", QJsonObject{{"lang", "en"}, {"type", "docx"}}}};
        const QByteArray bytes = QJsonDocument(body).toJson();
        std::printf("(JSON body of %lld bytes)\n", static_cast<long long>(bytes.size()));
        QCoreApplication::quit();
    });
    report("QString Base64 in a QJsonObject, toJson:", stall, base);
    return 0;
}
