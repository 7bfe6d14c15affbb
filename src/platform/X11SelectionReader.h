#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <cstdint>

struct xcb_connection_t;

// Reads the text of an X selection over a connection of its own, within a time limit and up to a
// size: an owner that never answers, or offers megabytes, cannot hold the program. Qt's clipboard
// waits five seconds for an owner and takes everything it is given.
class X11SelectionReader
{
public:
    X11SelectionReader() = default;
    ~X11SelectionReader();
    X11SelectionReader(const X11SelectionReader&) = delete;
    X11SelectionReader& operator=(const X11SelectionReader&) = delete;

    // The selection's text, cut after about maxBytes of it; empty when there is none, when the
    // owner offers no text, or when it has not answered within timeoutMs.
    QString read(std::uint32_t selection, int maxBytes, int timeoutMs);

private:
    bool open();
    QByteArray convert(std::uint32_t selection, std::uint32_t target, int maxBytes, const QDeadlineTimer& deadline,
                       bool* refused);
    QByteArray readIncrementally(int maxBytes, const QDeadlineTimer& deadline);

    xcb_connection_t* connection = nullptr;
    std::uint32_t window = 0;
    std::uint32_t property = 0;
    std::uint32_t utf8Atom = 0;
    std::uint32_t incrAtom = 0;
};
