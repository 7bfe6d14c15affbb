#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QList>

// Reads several byte arrays as one body, so that a large request body is sent without being
// joined into a copy first. Opened read-only and unbuffered; seekable, except that ReadOnce
// never goes back over what was read: the transport then cannot send the body a second time.
class JoinedBytesDevice : public QIODevice
{
    Q_OBJECT
public:
    enum Rewind { Rewinds, ReadOnce };

    explicit JoinedBytesDevice(const QList<QByteArray>& parts, Rewind rewind = Rewinds, QObject* parent = nullptr);

    bool isSequential() const override { return false; }
    qint64 size() const override { return total; }
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QList<QByteArray> parts;
    qint64 total = 0;
    qint64 offset = 0;
    Rewind rewind = Rewinds;
};
