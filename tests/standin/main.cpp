// parlavine-standin --port N [--collector-port M] [--port-file F]
// Serves the stand-in until SIGTERM or SIGINT. Port 0 picks a free port; the ports in use are printed
// as the first line "listening <apiPort> <collectorPort>" and, with --port-file, written to F as
// "<apiPort> <collectorPort>". Every request is printed as one line; scripting and the log are on the
// control endpoint "/__standin/..." of the API port.
#include "StandinServer.h"

#include <QFile>
#include <QSaveFile>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

struct Options
{
    int apiPort = -1;
    int collectorPort = 0;
    QString portFile;
};

bool parse(int argc, char** argv, Options& options)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--port")
            options.apiPort = std::atoi(argv[i + 1]);
        else if (name == "--collector-port")
            options.collectorPort = std::atoi(argv[i + 1]);
        else if (name == "--port-file")
            options.portFile = QFile::decodeName(argv[i + 1]);
        else
            return false;
    }
    return argc % 2 == 1 && options.apiPort >= 0 && options.collectorPort >= 0;
}

bool writePortFile(const QString& path, const QByteArray& ports)
{
    QSaveFile file(path);   // appears whole, so a reader never sees half a line
    return file.open(QIODevice::WriteOnly) && file.write(ports + '\n') == ports.size() + 1 && file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: %s --port N [--collector-port M] [--port-file F]\n", argv[0]);
        return 2;
    }

    // Blocked before the server threads exist, so only sigwait() below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    StandinServer server;
    server.setObserver([](const StandinRequest& request) {
        const QString what = request.route == request.path ? request.path : request.path + " " + request.route;
        std::printf("%d %s %s%s%s\n", request.seq, qPrintable(request.method), qPrintable(what),
                    request.violation.isEmpty() ? "" : " VIOLATION: ", qPrintable(request.violation));
        std::fflush(stdout);
    });
    if (!server.start(options.apiPort, options.collectorPort)) {
        std::fprintf(stderr, "parlavine-standin: cannot listen on the requested ports\n");
        return 1;
    }
    const QByteArray ports = QByteArray::number(server.apiPort()) + ' ' + QByteArray::number(server.collectorPort());
    std::printf("listening %s\n", ports.constData());
    std::fflush(stdout);
    if (!options.portFile.isEmpty() && !writePortFile(options.portFile, ports)) {
        std::fprintf(stderr, "parlavine-standin: cannot write %s\n", qPrintable(options.portFile));
        return 1;
    }

    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    const QStringList violations = server.violations();
    for (const QString& violation : violations)
        std::fprintf(stderr, "parlavine-standin violation: %s\n", qPrintable(violation));
    return 0;
}
