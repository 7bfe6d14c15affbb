#include "platform/CrashWriter.h"

#include <QDir>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <execinfo.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {
constexpr size_t PathCapacity = 4096;
constexpr size_t HeaderCapacity = 1024;
constexpr size_t TrailCapacity = 64 * 1024;
constexpr int CrashSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};

char s_dumpPath[PathCapacity];
char s_sidePath[PathCapacity];
char s_sideTmpPath[PathCapacity];
// The home folder as the maps show it, written "~" there: the dump is uploaded, and the folder
// names the user. Empty when there is nothing to hide ("/" or unknown).
char s_home[PathCapacity];
size_t s_homeLength = 0;
char s_header[HeaderCapacity];
size_t s_headerLength = 0;

// Two buffers: the handler reads the published one while setTrail fills the other, so a crash
// in the middle of an update still finds a whole trail.
char s_trail[2][TrailCapacity];
size_t s_trailLength[2] = {0, 0};
std::atomic<int> s_publishedTrail{0};
// The thread writing the dump (0: none yet) and whether it has finished.
std::atomic<long> s_writingThread{0};
std::atomic<bool> s_dumpDone{false};
// Long enough for any dump, short enough that a handler stuck on a bad disk still lets us die.
constexpr int DumpWaitSteps = 2000;

alignas(16) char s_altStack[128 * 1024];

bool copyInto(char* target, size_t capacity, const QByteArray& text)
{
    if (size_t(text.size()) >= capacity)
        return false;
    std::memcpy(target, text.constData(), size_t(text.size()));
    target[text.size()] = '\0';
    return true;
}

// Everything below runs inside the signal handler.

class Output
{
public:
    explicit Output(int fd) : m_fd(fd) {}
    bool ok() const { return m_ok; }

    void bytes(const char* data, size_t length)
    {
        while (m_ok && length > 0) {
            const ssize_t written = ::write(m_fd, data, length);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                m_ok = false;
                return;
            }
            data += written;
            length -= size_t(written);
        }
    }
    void text(const char* s) { bytes(s, std::strlen(s)); }
    void number(unsigned long value, unsigned base)
    {
        char digits[32];
        size_t at = sizeof digits;
        do {
            digits[--at] = "0123456789abcdef"[value % base];
            value /= base;
        } while (value != 0);
        bytes(digits + at, sizeof digits - at);
    }
    // Copies a text file line by line, the home folder written as "~".
    void copyFileWithoutHome(const char* path)
    {
        const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        char buffer[4096];
        char line[PathCapacity + 256];
        size_t used = 0;
        ssize_t got;
        while ((got = ::read(fd, buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR)) {
            for (ssize_t i = 0; i < got; ++i) {
                line[used++] = buffer[i];
                if (buffer[i] == '\n' || used == sizeof line) {
                    lineWithoutHome(line, used);
                    used = 0;
                }
            }
        }
        lineWithoutHome(line, used);
        ::close(fd);
    }

private:
    void lineWithoutHome(const char* line, size_t length)
    {
        size_t written = 0;
        for (size_t at = 0; s_homeLength > 0 && at + s_homeLength <= length; ++at) {
            const size_t end = at + s_homeLength;
            const bool wholeFolder = end == length || line[end] == '/' || line[end] == '\n';
            const bool afterSpace = at == 0 || line[at - 1] == ' ';
            if (afterSpace && wholeFolder && std::memcmp(line + at, s_home, s_homeLength) == 0) {
                bytes(line + written, at - written);
                text("~");
                written = end;
                at = end - 1;
            }
        }
        bytes(line + written, length - written);
    }

    int m_fd;
    bool m_ok = true;
};

const char* signalName(int sig)
{
    switch (sig) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGILL: return "SIGILL";
    case SIGFPE: return "SIGFPE";
    case SIGABRT: return "SIGABRT";
    default: return "?";
    }
}

bool writeDump(int sig, const siginfo_t* info)
{
    const int fd = ::open(s_dumpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    Output out(fd);
    out.text("parlavine crash dump 1\nsignal ");
    out.number(unsigned(sig), 10);
    out.text(" ");
    out.text(signalName(sig));
    out.text("\ncode ");
    out.number(unsigned(info->si_code), 10);
    out.text("\naddress 0x");
    out.number(reinterpret_cast<unsigned long>(info->si_addr), 16);
    out.text("\nbacktrace\n");
    void* frames[64];
    const int count = ::backtrace(frames, 64);
    for (int i = 0; i < count; ++i) {
        out.text("0x");
        out.number(reinterpret_cast<unsigned long>(frames[i]), 16);
        out.text("\n");
    }
    out.text("maps\n");
    out.copyFileWithoutHome("/proc/self/maps");
    const bool ok = out.ok();
    return ::close(fd) == 0 && ok;
}

void writeSideFile()
{
    const int fd = ::open(s_sideTmpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    Output out(fd);
    out.bytes(s_header, s_headerLength);
    const int published = s_publishedTrail.load();
    out.bytes(s_trail[published], s_trailLength[published]);
    const bool ok = out.ok();
    if (::close(fd) == 0 && ok)
        ::rename(s_sideTmpPath, s_sidePath);
    else
        ::unlink(s_sideTmpPath);
}

// A second crashing thread must not end the process while the first one is still writing.
void waitForDump()
{
    const timespec step = {0, 10 * 1000 * 1000};
    for (int i = 0; i < DumpWaitSteps && !s_dumpDone.load(); ++i)
        ::nanosleep(&step, nullptr);
}

void onCrashSignal(int sig, siginfo_t* info, void*)
{
    const int savedErrno = errno;
    const long self = ::syscall(SYS_gettid);
    long writer = 0;
    if (s_writingThread.compare_exchange_strong(writer, self)) {
        if (writeDump(sig, info))
            writeSideFile();
        s_dumpDone.store(true);
    } else if (writer != self) {
        waitForDump();
    }
    // (The writer itself faulting inside the handler falls through and dies at once.)

    struct sigaction fallback = {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(sig, &fallback, nullptr);
    errno = savedErrno;
    // The signal stays blocked until the handler returns, then kills the process with its own
    // signal (a real fault would also recur on the faulting instruction).
    ::raise(sig);
}
} // namespace

bool CrashWriter::install(const QString& dumpPath, const QString& sidePath, const QByteArray& sideHeader)
{
    const QByteArray dump = QFile::encodeName(dumpPath);
    const QByteArray side = QFile::encodeName(sidePath);
    if (!copyInto(s_dumpPath, PathCapacity, dump) || !copyInto(s_sidePath, PathCapacity, side)
        || !copyInto(s_sideTmpPath, PathCapacity, side + ".tmp")
        || !copyInto(s_header, HeaderCapacity, sideHeader))
        return false;
    s_headerLength = size_t(sideHeader.size());
    const QByteArray home = QFile::encodeName(QDir::cleanPath(QDir::homePath()));
    s_homeLength = home != "/" && copyInto(s_home, PathCapacity, home) ? size_t(home.size()) : 0;

    // The first backtrace() loads the unwinder, which allocates; do it now, not in the handler.
    void* frame[2];
    ::backtrace(frame, 2);

    stack_t altStack = {};
    altStack.ss_sp = s_altStack;
    altStack.ss_size = sizeof s_altStack;
    ::sigaltstack(&altStack, nullptr);

    struct sigaction action = {};
    action.sa_sigaction = onCrashSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    for (const int sig : CrashSignals)
        ::sigaction(sig, &action, nullptr);
    return true;
}

void CrashWriter::setTrail(const QByteArray& trail)
{
    const int spare = 1 - s_publishedTrail.load();
    const bool fits = size_t(trail.size()) <= TrailCapacity;
    if (fits)
        std::memcpy(s_trail[spare], trail.constData(), size_t(trail.size()));
    s_trailLength[spare] = fits ? size_t(trail.size()) : 0;
    s_publishedTrail.store(spare);
}
