#include "update/DebArchiveCheck.h"

#include <algorithm>

namespace {

const QByteArray Signature = QByteArrayLiteral("!<arch>\n");
constexpr int MemberHeaderSize = 60;
constexpr int SizeField = 48;
constexpr int SizeFieldLength = 10;

} // namespace

void DebArchiveCheck::reset()
{
    *this = DebArchiveCheck();
}

void DebArchiveCheck::feed(const QByteArray& chunk)
{
    int at = 0;
    while (at < chunk.size() && !m_broken) {
        if (m_dataLeft > 0) {
            const qint64 skipped = std::min<qint64>(m_dataLeft, chunk.size() - at);
            m_dataLeft -= skipped;
            at += int(skipped);
            continue;
        }
        const int wanted = (m_signatureSeen ? MemberHeaderSize : Signature.size()) - m_header.size();
        const int taken = std::min(wanted, chunk.size() - at);
        m_header += chunk.mid(at, taken);
        at += taken;
        if (taken == wanted)
            readHeader();
    }
}

void DebArchiveCheck::readHeader()
{
    if (!m_signatureSeen) {
        m_signatureSeen = true;
        m_broken = m_header != Signature;
    } else {
        bool ok = false;
        const qint64 size = m_header.mid(SizeField, SizeFieldLength).trimmed().toLongLong(&ok);
        m_broken = !ok || size < 0 || !m_header.endsWith("`\n");
        // Members start on even offsets: an odd one is followed by a padding byte.
        m_dataLeft = size + (size & 1);
        m_onlyPaddingLeft = (size & 1) != 0;
        ++m_members;
    }
    m_header.clear();
}

bool DebArchiveCheck::isWhole() const
{
    // The padding of the last member may be missing.
    const bool endsAtMember = m_dataLeft == 0 || (m_dataLeft == 1 && m_onlyPaddingLeft);
    return m_signatureSeen && !m_broken && m_members > 0 && m_header.isEmpty() && endsAtMember;
}
