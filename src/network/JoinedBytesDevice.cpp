#include "network/JoinedBytesDevice.h"

#include <cstring>

JoinedBytesDevice::JoinedBytesDevice(const QList<QByteArray>& parts, Rewind rewind, QObject* parent)
    : QIODevice(parent)
    , parts(parts)
    , rewind(rewind)
{
    for (const QByteArray& part : parts)
        total += part.size();
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool JoinedBytesDevice::seek(qint64 pos)
{
    if (pos < 0 || pos > total || (rewind == ReadOnce && pos < offset) || !QIODevice::seek(pos))
        return false;
    offset = pos;
    return true;
}

qint64 JoinedBytesDevice::readData(char* data, qint64 maxSize)
{
    qint64 copied = 0;
    qint64 start = 0; // where the current part begins in the whole
    for (const QByteArray& part : parts) {
        if (copied == maxSize)
            break;
        const qint64 end = start + part.size();
        if (offset < end) {
            const qint64 count = qMin(end - offset, maxSize - copied);
            std::memcpy(data + copied, part.constData() + (offset - start), size_t(count));
            copied += count;
            offset += count;
        }
        start = end;
    }
    return copied;
}
