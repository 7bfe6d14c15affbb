#include "StandinFixture.h"

#include <QtTest>

StandinFixture::StandinFixture()
{
    if (!m_server.start())
        qFatal("the stand-in service could not listen on 127.0.0.1");
    qputenv("PARLAVINE_API_URL", m_server.apiUrl().toUtf8());
    qputenv("PARLAVINE_COLLECTOR_URL", m_server.collectorUrl().toUtf8());
}

StandinFixture::~StandinFixture()
{
    m_server.stop();
    qunsetenv("PARLAVINE_API_URL");
    qunsetenv("PARLAVINE_COLLECTOR_URL");
}

void StandinFixture::reset()
{
    m_server.reset();
}

bool StandinFixture::verify()
{
    const QStringList violations = m_server.takeViolations();
    if (violations.isEmpty())
        return true;
    QTest::qFail(qPrintable(QStringLiteral("unexpected requests to the stand-in:\n  ") + violations.join("\n  ")),
                 __FILE__, __LINE__);
    return false;
}
