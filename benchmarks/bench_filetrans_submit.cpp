// Submitting a 40 MB document: reading, Base64 and the request body. Prints the longest stall of
// the GUI thread and the peak of extra memory, for the client's path and, for comparison, for a
// body built on the GUI thread as a JSON object around a Base64 string.
#include "filetrans/FileTransService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

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

void report(const char* path, qint64 stallMs, qint64 baseKb)
{
    const double extra = double(statusKb("VmHWM:") - baseKb) * 1024 / FileBytes;
    std::printf("%-40s longest GUI stall %5lld ms, peak extra memory %.2f x file\n", path,
                static_cast<long long>(stallMs), extra);
}

} // namespace

int main(int argc, char** argv)
{
    // Nothing listens there: the body is built and handed to the network layer, which fails fast.
    qputenv("PARLAVINE_API_URL", "http://127.0.0.1:9");
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
    report("bytes built off the GUI thread:", stall, base);

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
