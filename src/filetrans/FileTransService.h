#pragma once

#include "network/RequestService.h"
#include "texttrans/TextTransService.h"

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

class QSharedReply;

// The "/api/imt" calls of the document feature and of screen-text recognition. Keeps no
// document state; the language table is cached for a day.
class FileTransService : public QObject, public QEnableSharedFromThis<FileTransService>
{
    Q_OBJECT
public:
    static const QString SupportLangCacheKey; // "fileTrans_supportLang"

    explicit FileTransService(QObject* parent = nullptr);
    ~FileTransService() override;

    // The document language table, from the cache unless force or the cache is stale. A newer
    // call cancels the one before, which then never calls back.
    void supportLang(ServiceCallback callback, bool force);
    // Reads and encodes the file off the GUI thread, then submits it. A file that cannot be read
    // calls back (false, {"readFailed": true}); one too large to encode (false, {"exception": true}).
    void submitFile(const QString& path, const QString& name, const QString& type, const QString& sourceLang,
                    const QString& targetLang, const QString& textDomain, ServiceCallback callback);
    void checkProcess(const QString& fileId, ServiceCallback callback);
    void getList(ServiceCallback callback);
    void removeHis(const QString& fileId, ServiceCallback callback);
    void loadHis(const QString& fileId, ServiceCallback callback);
    void textRecognize(const QString& contentBase64, ServiceCallback callback);

    // "pdf" -> "docx"; images -> "txt"; any other type unchanged.
    static QString outputType(const QString& type);
    // The submission's members after its header, as compact JSON text without the braces, with
    // the file's Base64 written straight into it; empty when the file cannot be read.
    static QByteArray submitFields(const QString& path, const QString& name, const QString& type,
                                   const QString& sourceLang, const QString& targetLang, const QString& textDomain);

private:
    bool answerFromCache(const ServiceCallback& callback);
    void onSupportLangReply(quint64 ticket, const ServiceCallback& callback, bool ok, const QVariantMap& data);

    QSharedReply* supportLangReply;
    quint64 supportLangTicket = 0;
};
