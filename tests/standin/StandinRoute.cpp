#include "StandinRoute.h"

QString StandinRoute::imtKey(const QString& fn, const QString& action)
{
    return action.isEmpty() ? QStringLiteral("imt:") + fn : QStringLiteral("imt:%1/%2").arg(fn, action);
}

const QStringList& StandinHeaders::api()
{
    static const QStringList keys = {QStringLiteral("header.session"), QStringLiteral("header.client_key"),
                                     QStringLiteral("header.user_name")};
    return keys;
}

const QStringList& StandinHeaders::imt()
{
    static const QStringList keys = {QStringLiteral("header.session"), QStringLiteral("header.client_key"),
                                     QStringLiteral("header.user")};
    return keys;
}

QStringList StandinHeaders::with(QStringList base, const QStringList& more)
{
    base.append(more);
    return base;
}
