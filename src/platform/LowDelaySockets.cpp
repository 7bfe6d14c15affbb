#include "platform/LowDelaySockets.h"

#include <dirent.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <cstdlib>

namespace {

bool isTcpSocket(int fd)
{
    int type = 0;
    int domain = 0;
    socklen_t length = sizeof(type);
    if (getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) != 0 || type != SOCK_STREAM)
        return false;
    length = sizeof(domain);
    return getsockopt(fd, SOL_SOCKET, SO_DOMAIN, &domain, &length) == 0 && (domain == AF_INET || domain == AF_INET6);
}

} // namespace

int LowDelaySockets::apply()
{
    DIR* fds = opendir("/proc/self/fd");
    if (!fds)
        return 0;
    const int own = dirfd(fds);
    int switched = 0;
    // A descriptor closed and reused meanwhile by another thread is at worst another TCP socket
    // switched too, or a call that fails harmlessly.
    while (const dirent* entry = readdir(fds)) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (*end != '\0' || end == entry->d_name || fd == own || !isTcpSocket(int(fd)))
            continue;
        int on = 0;
        socklen_t length = sizeof(on);
        if (getsockopt(int(fd), IPPROTO_TCP, TCP_NODELAY, &on, &length) != 0 || on)
            continue;
        on = 1;
        if (setsockopt(int(fd), IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on)) == 0)
            ++switched;
    }
    closedir(fds);
    return switched;
}
