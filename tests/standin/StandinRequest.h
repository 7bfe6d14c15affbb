#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QMap>
#include <QString>

// One request as the stand-in received it, in arrival order.
struct StandinRequest
{
    int seq = 0;                        // arrival order, from 1, across both ports
    QString port;                       // "api" or "collector"
    int clientPort = 0;                 // the client's end of the connection it came on
    QString method;                     // "GET", "POST", ...
    QString path;                       // without the query
    QString route;                      // the route key it was dispatched to (see StandinRoute)
    QMap<QString, QString> headers;     // names in lower case
    QMap<QString, QString> query;       // decoded URL query
    QString rawQuery;                   // the query as it arrived, order and encoding kept
    QByteArray rawBody;
    QJsonObject body;                   // the JSON object sent, or the fields of a form body
    QString violation;                  // why the request was not expected; empty when it was

    // A value by dotted path into body ("header.session", "source.text_list"); undefined when absent.
    QJsonValue at(const QString& path) const;
    QString session() const { return at(QStringLiteral("header.session")).toString(); }

    QJsonObject toJson() const;
    static StandinRequest fromJson(const QJsonObject& json);
};
