#include "StandinRoutes.h"
#include "StandinServer.h"

#include <QRegularExpression>
#include <QSet>

// The service's social-login web page, in both languages. Asked with exactly
// type, from=pc, hash, mode=direct and auto=true|false, it lets "ann" in at once: a redirect to
// the landing address of the same page carrying a fresh one-time code, "type" first. A landing
// (no "from") is answered with a small page, whatever it carries.
namespace {

const QByteArray Landing = "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>client-login</title></head>"
                           "<body><p>OK</p></body></html>";

bool isLanding(const StandinRequest& request)
{
    return !request.query.contains(QStringLiteral("from"));
}

QString pageProblem(const StandinRequest& request)
{
    if (isLanding(request))
        return QString();
    static const QRegularExpression number(QStringLiteral("^[0-9]+$"));
    const auto& q = request.query;
    const QStringList keys = q.keys();
    const QSet<QString> got(keys.cbegin(), keys.cend());
    if (got != QSet<QString>{"type", "from", "hash", "mode", "auto"})
        return QStringLiteral("client-login asked with %1").arg(keys.join(QLatin1Char(',')));
    const QString type = q.value(QStringLiteral("type"));
    const QString autoLogin = q.value(QStringLiteral("auto"));
    if (type != QLatin1String("zl") && type != QLatin1String("kx"))
        return QStringLiteral("client-login type \"%1\"").arg(type);
    if (q.value(QStringLiteral("from")) != QLatin1String("pc") || q.value(QStringLiteral("mode")) != QLatin1String("direct"))
        return QStringLiteral("client-login from/mode \"%1\"/\"%2\"").arg(q.value("from"), q.value("mode"));
    if (!number.match(q.value(QStringLiteral("hash"))).hasMatch())
        return QStringLiteral("client-login hash \"%1\" is not an integer").arg(q.value("hash"));
    if (autoLogin != QLatin1String("true") && autoLogin != QLatin1String("false"))
        return QStringLiteral("client-login auto \"%1\"").arg(autoLogin);
    return QString();
}

StandinRoute page(const QString& language)
{
    StandinRoute route;
    route.key = QStringLiteral("/%1/client-login").arg(language);
    route.envelope = StandinEnvelope::Plain;
    route.method = "GET";
    route.validate = pageProblem;
    route.handler = [path = route.key](const StandinRequest& request, StandinServer& server) {
        if (isLanding(request))
            return StandinReply::raw(Landing, "text/html; charset=utf-8");
        const QString code = server.accounts().issueLoginCode(QStringLiteral("10001"));
        const QString autoLogin = request.query.value(QStringLiteral("auto")) == QLatin1String("true") ? "1" : "0";
        return StandinReply::redirect(StandinRoutes::clientLoginLanding(server.apiUrl() + path, request.query.value("type"),
                                                                        code, autoLogin)
                                          .toUtf8());
    };
    return route;
}

} // namespace

QString StandinRoutes::clientLoginLanding(const QString& pageUrl, const QString& type, const QString& code,
                                          const QString& autoLogin)
{
    return QStringLiteral("%1?type=%2&code=%3&auto=%4").arg(pageUrl, type, code, autoLogin);
}

QList<StandinRoute> StandinRoutes::loginPage()
{
    return {page(QStringLiteral("zh-CN")), page(QStringLiteral("en-US"))};
}
