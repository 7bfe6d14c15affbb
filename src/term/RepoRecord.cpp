#include "term/RepoRecord.h"

#include "core/State.h"

#include <QDateTime>

namespace {

// The code and the display name of a language the server names by its English name.
QPair<QString, QString> language(const QString& serverName)
{
    const State* state = State::instance();
    const QString code = state->langCodeByEnName.value(serverName).toString();
    if (code.isEmpty())
        return {QString(), serverName};
    const QVariantMap entry = state->textTransLangData().value(code).toMap();
    const char* nameKey = state->isChineseUi() ? "name" : "enName";
    return {code, entry.value(QLatin1String(nameKey)).toString()};
}

// Ids come as JSON numbers or strings; a number must not turn into "1.7e+12".
QString idText(const QVariant& id)
{
    bool whole = false;
    const qint64 number = id.toLongLong(&whole);
    if (id.type() == QVariant::Double && whole && double(number) == id.toDouble())
        return QString::number(number);
    return id.toString();
}

} // namespace

quint32 term::createTimeSeconds(const QString& createTime)
{
    const QString whole = createTime.section(QLatin1Char('.'), 0, 0);
    const QDateTime time = QDateTime::fromString(whole, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!time.isValid())
        return 4294967295u;
    return quint32(time.toSecsSinceEpoch());
}

QVariantMap term::addedRepo(const QVariantMap& server)
{
    const QString srcLang = server.value(QStringLiteral("src_lang")).toString();
    const QString tgtLang = server.value(QStringLiteral("tgt_lang")).toString();
    const auto source = language(srcLang);
    const auto target = language(tgtLang);
    return {{QStringLiteral("id"), idText(server.value(QStringLiteral("id")))},
            {QStringLiteral("name"), server.value(QStringLiteral("name")).toString()},
            {QStringLiteral("exchange"), QStringLiteral("%1→%2").arg(source.second, target.second)},
            {QStringLiteral("sourceLang"), source.first},
            {QStringLiteral("targetLang"), target.first},
            {QStringLiteral("src_lang"), srcLang},
            {QStringLiteral("tgt_lang"), tgtLang},
            {QStringLiteral("reverse"), server.value(QStringLiteral("reversible")).toBool()},
            {QStringLiteral("sentences"), QVariantMap()},
            {QStringLiteral("sentenceCount"), 0}};
}

QVariantMap term::listedRepo(const QVariantMap& server)
{
    QVariantMap record = addedRepo(server);
    record.insert(QStringLiteral("pageCount"), 0);
    record.insert(QStringLiteral("createTime"), createTimeSeconds(server.value(QStringLiteral("create_time")).toString()));
    return record;
}

QVariantList term::entriesOf(const QVariantList& content)
{
    QVariantList entries;
    for (const QVariant& value : content) {
        const QVariantMap entry = value.toMap();
        entries.append(QVariantMap{{QStringLiteral("id"), idText(entry.value(QStringLiteral("id")))},
                                   {QStringLiteral("source"), entry.value(QStringLiteral("source")).toString()},
                                   {QStringLiteral("target"), entry.value(QStringLiteral("target")).toString()}});
    }
    return entries;
}
