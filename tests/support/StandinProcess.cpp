#include "StandinProcess.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <httplib.h>

bool StandinProcess::start(int timeoutMs)
{
    const QStringList arguments = {"--port", "0", "--collector-port", "0"};
    if (!m_process.start(QStringLiteral(PARLAVINE_STANDIN_BINARY), arguments,
                         QProcessEnvironment::systemEnvironment(), timeoutMs))
        return false;
    const QList<QByteArray> words = m_process.readLine(timeoutMs).split(' ');
    if (words.size() != 3 || words.first() != "listening")
        return false;
    m_apiPort = words.at(1).toInt();
    m_collectorPort = words.at(2).toInt();
    return m_apiPort > 0 && m_collectorPort > 0;
}

int StandinProcess::stop(int timeoutMs)
{
    return m_process.stop(timeoutMs);
}

QString StandinProcess::apiUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_apiPort);
}

QString StandinProcess::collectorUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(m_collectorPort);
}

QProcessEnvironment StandinProcess::environment(QProcessEnvironment base) const
{
    base.insert(QStringLiteral("PARLAVINE_API_URL"), apiUrl());
    base.insert(QStringLiteral("PARLAVINE_COLLECTOR_URL"), collectorUrl());
    return base;
}

bool StandinProcess::script(const QString& routeKey, const StandinReply& reply)
{
    return post("/__standin/script", {{"route", routeKey}, {"reply", reply.toJson()}});
}

bool StandinProcess::setValidSessions(const QStringList& sessions)
{
    return post("/__standin/sessions", {{"valid", QJsonArray::fromStringList(sessions)}});
}

bool StandinProcess::reset()
{
    return post("/__standin/reset", {});
}

QList<StandinRequest> StandinProcess::requests()
{
    QList<StandinRequest> requests;
    for (const QJsonValue& request : log().value(QStringLiteral("requests")).toArray())
        requests.append(StandinRequest::fromJson(request.toObject()));
    return requests;
}

QStringList StandinProcess::violations()
{
    QStringList violations;
    for (const QJsonValue& violation : log().value(QStringLiteral("violations")).toArray())
        violations.append(violation.toString());
    return violations;
}

bool StandinProcess::post(const char* path, const QJsonObject& body)
{
    httplib::Client client("127.0.0.1", m_apiPort);
    const QByteArray bytes = QJsonDocument(body).toJson(QJsonDocument::Compact);
    const httplib::Result result = client.Post(path, bytes.constData(), size_t(bytes.size()), "application/json");
    return result && result->status == 200;
}

QJsonObject StandinProcess::log()
{
    httplib::Client client("127.0.0.1", m_apiPort);
    const httplib::Result result = client.Get("/__standin/log");
    return result ? QJsonDocument::fromJson(QByteArray::fromStdString(result->body)).object() : QJsonObject();
}
