#pragma once

#include "network/RequestService.h"

#include <QObject>
#include <QString>

// The update side's two calls to the product API: the version check, whose offer is verified
// by its check code before anyone acts on it, and the remote configuration document.
class GlobalService : public QObject
{
    Q_OBJECT
public:
    GlobalService() = delete;

    static void checkVersion(ServiceCallback callback);
    // Asks the API for the document's address, then downloads the document.
    static void findConfig(const QString& key, ServiceCallback callback);

    // Upper-case hex MD5 of request time, version, url and response time written one after the
    // other; the placeholders are filled in one pass, so a "%" in the texts stays text.
    static QString updateCheckCode(qint32 requestTime, const QString& version, const QString& url,
                                   qint64 responseTime);

private:
    static void onCheckVersionReply(qint32 requestTime, bool ok, const QVariantMap& data,
                                    const ServiceCallback& callback);
    static void onFindConfigReply(bool ok, const QVariantMap& data, const ServiceCallback& callback);
};
