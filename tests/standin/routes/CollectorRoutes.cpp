#include "StandinRoutes.h"

QList<StandinRoute> StandinRoutes::collector()
{
    const QStringList identity = {"uin", "sessionId", "id", "version"};

    StandinRoute records;
    records.key = QStringLiteral("/collect");
    records.envelope = StandinEnvelope::Collector;
    records.required = QStringList{"count"};
    records.requiredQuery = identity + QStringList{"ext3"};

    StandinRoute pageView;
    pageView.key = QStringLiteral("/collect/pv");
    pageView.envelope = StandinEnvelope::Collector;
    pageView.method = "GET";
    pageView.requiredQuery = identity + QStringList{"from"};

    StandinRoute events = pageView;
    events.key = QStringLiteral("/collect/events");
    events.requiredQuery = identity + QStringList{"payload"};
    return {records, pageView, events};
}
