#include "core/StartArgs.h"

#include <QDir>

namespace {
const QString SettingsPrefix = QStringLiteral("--settings=");
const QString TransfilePrefix = QStringLiteral("--transfile=");
} // namespace

QVector<StartArg> StartArgs::parse(const QStringList& arguments, qint64 utcSeconds, const QString& workingDir)
{
    QVector<StartArg> requests;
    for (const QString& argument : arguments) {
        if (argument.startsWith(SettingsPrefix)) {
            const QString query = argument.mid(SettingsPrefix.size()) + QStringLiteral("&time=%1").arg(utcSeconds);
            requests.append({StartArg::LoginScheme, query});
            break;
        }
        if (argument.startsWith(TransfilePrefix) && argument.size() > TransfilePrefix.size())
            requests.append(
                {StartArg::Transfile, QDir::cleanPath(QDir(workingDir).absoluteFilePath(argument.mid(TransfilePrefix.size())))});
    }
    return requests;
}

InstanceMessage StartArgs::handOver(const QVector<StartArg>& requests)
{
    if (requests.isEmpty())
        return {QStringLiteral("parlavine_single"), QStringLiteral("raise")};
    const StartArg& first = requests.first();
    if (first.kind == StartArg::LoginScheme)
        return {QStringLiteral("parlavine_loginscheme"), first.value};
    return {QStringLiteral("parlavine_single"), QStringLiteral("transfile:") + first.value};
}
