#include "core/CrashDump.h"

#include "core/AppConfig.h"
#include "core/Dispatch.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "platform/CrashWriter.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUuid>
#include <QVariantMap>

namespace {
const QString SideSuffix = QStringLiteral(".trail");

// The side file: the upload name on the first line, then the trail. The name carries the version
// text the user sees (State's), which is what the crash reports are filed under.
QByteArray sideHeader(const QString& dumpName)
{
    return QStringLiteral("linux_%1_%2\n").arg(State::instance()->version(), dumpName).toUtf8();
}

QString compactArray(const QByteArray& text)
{
    const QJsonDocument parsed = QJsonDocument::fromJson(text);
    return QString::fromUtf8(QJsonDocument(parsed.array()).toJson(QJsonDocument::Compact));
}

QVariantMap crashSettings(const QString& sidePath, const QString& dumpPath)
{
    QFile side(sidePath);
    if (!side.open(QIODevice::ReadOnly))
        return {};
    const QByteArray content = side.readAll();
    const int lineEnd = content.indexOf('\n');
    if (lineEnd < 0)
        return {};
    return {
        {QStringLiteral("lastCrashDmp"), dumpPath},
        {QStringLiteral("lastCrashHasReport"), QStringLiteral("0")},
        {QStringLiteral("lastCrashFile"), QString::fromUtf8(content.left(lineEnd))},
        {QStringLiteral("lastCrashHistory"), compactArray(content.mid(lineEnd + 1))},
    };
}

// Dumps are never deleted once read, so the folder keeps only the newest few, and always the one
// still waiting for its upload.
void pruneDumps(const QDir& folder, const QString& pending)
{
    const int keep = 10;
    const QFileInfoList dumps = folder.entryInfoList({QStringLiteral("*.dmp")}, QDir::Files, QDir::Time);
    const QString pendingPath = QFileInfo(pending).absoluteFilePath();
    for (int i = keep; i < dumps.size(); ++i) {
        if (pending.isEmpty() || dumps.at(i).absoluteFilePath() != pendingPath)
            QFile::remove(dumps.at(i).absoluteFilePath());
    }
}
} // namespace

QString crashDumpDir()
{
    return AppConfig::dataDir() + QStringLiteral("/parlavineCrash");
}

void installBreakpad()
{
    const QString folder = crashDumpDir();
    if (!QDir(folder).exists()) {
        log(QStringLiteral("installBreakpad-path: %1"), folder);
        QDir().mkpath(folder);
    }
    const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces);
    const QString dumpName = id + QStringLiteral(".dmp");
    CrashWriter::install(folder + QLatin1Char('/') + dumpName, folder + QLatin1Char('/') + id + SideSuffix,
                         sideHeader(dumpName));
    Dispatch* dispatch = Dispatch::instance();
    CrashWriter::setTrail(dispatch->renderedTrail());
    dispatch->setTrailObserver(&CrashWriter::setTrail);
}

void recordLastCrash()
{
    const QDir folder(crashDumpDir());
    const QFileInfoList sides =
        folder.entryInfoList({QStringLiteral("*") + SideSuffix}, QDir::Files, QDir::Time | QDir::Reversed);
    QVariantMap settings;
    for (const QFileInfo& side : sides) {
        const QFileInfo dump(folder.absoluteFilePath(side.completeBaseName() + QStringLiteral(".dmp")));
        if (dump.exists()) {
            const QVariantMap recorded = crashSettings(side.absoluteFilePath(), dump.absoluteFilePath());
            if (!recorded.isEmpty())
                settings = recorded;
        }
        QFile::remove(side.absoluteFilePath());
    }
    QuickStorage* storage = QuickStorage::instance();
    for (auto it = settings.cbegin(); it != settings.cend(); ++it)
        storage->setValue(it.key(), it.value().toString());
    pruneDumps(folder, storage->getValue(QStringLiteral("lastCrashDmp")));
}
