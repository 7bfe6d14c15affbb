#pragma once

#include <QByteArray>

// Follows a Debian package as its bytes arrive: the "!<arch>\n" header, then members whose headers
// give their sizes. Whole only when the bytes end exactly after the last member, so a transfer cut
// short between members or inside one (even one with no announced length) is told apart, and so
// is anything else (an HTML page, say) served under the package's name.
class DebArchiveCheck
{
public:
    void reset();
    void feed(const QByteArray& chunk);
    bool isWhole() const;

private:
    void readHeader();

    QByteArray m_header;      // the part of the header being read
    bool m_signatureSeen = false;
    bool m_broken = false;
    int m_members = 0;
    qint64 m_dataLeft = 0;    // bytes of the current member still to come, padding included
    bool m_onlyPaddingLeft = false;
};
