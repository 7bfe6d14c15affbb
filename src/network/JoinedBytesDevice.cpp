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
    qint64 read = 0;
    qint64 start = 0; // where the current part begins in the whole
    for (const QByteArray& part : parts) {
        if (read == maxSize)
            break;
        const qint64 end = start + part.size();
        if (offset < end) {
            const qint64 count = qMin(end - offset, maxSize - read);
            std::memcpy(data + read, part.constData() + (offset - start), size_t(count));
            read += count;
            offset += count;
        }
        start = end;
    }
    return read;
}
