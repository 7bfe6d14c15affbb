#include "filetrans/FileTransService.h"

#include "core/Log.h"
#include "core/Util.h"
#include "core/WeakOwner.h"
#include "network/QSharedReply.h"
#include "texttrans/TextTransWire.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QThread>

#include <new>

const QString FileTransService::SupportLangCacheKey = QStringLiteral("fileTrans_supportLang");

namespace {

const QString ImtPath = QStringLiteral("/api/imt");
const QString Window = QStringLiteral("main");
const QString FileFn = QStringLiteral("auto_translation_file");
constexpr int Tries = 3;
// A multiple of 3, so that the Base64 of the pieces joins into the Base64 of the whole.
constexpr qint64 ReadChunk = 3 * 1024 * 1024;

QJsonObject fileHeader(const QString& action)
{
    QJsonObject header = TextTrans::imtHeader(FileFn);
    header.insert(QStringLiteral("action"), action);
    return header;
}

void postFileAction(const QString& action, QJsonObject fields, ServiceCallback callback,
                    const QString& window = Window, int tries = Tries)
{
    fields.insert(QStringLiteral("header"), fileHeader(action));
    RequestService::instance()->postJsonForTrans(ImtPath, fields, std::move(callback), window, tries);
}

// A JSON string literal, quotes included.
QByteArray jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

bool appendBase64Of(const QString& path, QByteArray& out)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    out.reserve(out.size() + (file.size() + 2) / 3 * 4 + 256);
    while (!file.atEnd()) {
        const QByteArray chunk = file.read(ReadChunk);
        if (chunk.isEmpty() && file.error() != QFileDevice::NoError)
            return false;
        out.append(chunk.toBase64());
    }
    return true;
}

enum class Encoded { Ready, ReadFailed, Exception };

} // namespace

FileTransService::FileTransService(QObject* parent)
    : QObject(parent)
    , supportLangReply(new QSharedReply)
{
}

FileTransService::~FileTransService()
{
    delete supportLangReply;
}

QString FileTransService::outputType(const QString& type)
{
    if (type == QLatin1String("pdf"))
        return QStringLiteral("docx");
    if (type == QLatin1String("png") || type == QLatin1String("jpg") || type == QLatin1String("jpeg"))
        return QStringLiteral("txt");
    return type;
}

void FileTransService::supportLang(ServiceCallback callback, bool force)
{
    supportLangReply->abort(true);
    if (!force && answerFromCache(callback))
        return;
    const QWeakPointer<FileTransService> weak = sharedFromThis();
    const quint64 ticket = ++supportLangTicket;
    const QJsonObject body{{QStringLiteral("header"), TextTrans::imtHeader(QStringLiteral("support_lang"))},
                           {QStringLiteral("type"), FileFn},
                           {QStringLiteral("sort_by"), QStringLiteral("pinyin")}};
    supportLangReply->setReply(RequestService::instance()->postJsonForTrans(
        ImtPath, body,
        WeakOwner::orFail(weak, callback,
                          [ticket](FileTransService& self, const ServiceCallback& callback, bool ok,
                                   const QVariantMap& data) { self.onSupportLangReply(ticket, callback, ok, data); }),
        Window, Tries));
}

bool FileTransService::answerFromCache(const ServiceCallback& callback)
{
    const LangTable table = TextTransService::cachedLangTable(SupportLangCacheKey, QStringLiteral("FileTransService"));
    if (table.isEmpty())
        return false;
    callback(true, table);
    return true;
}

void FileTransService::onSupportLangReply(quint64 ticket, const ServiceCallback& callback, bool ok,
                                          const QVariantMap& data)
{
    // Only the call the slot holds may empty it.
    if (ticket == supportLangTicket)
        supportLangReply->abort(false);
    if (!ok) {
        callback(false, data);
        return;
    }
    const LangTable table = TextTransService::parseSupportLang(data);
    TextTransService::storeLangTable(SupportLangCacheKey, table);
    callback(true, table);
}

QByteArray FileTransService::submitFields(const QString& path, const QString& name, const QString& type,
                                          const QString& sourceLang, const QString& targetLang,
                                          const QString& textDomain)
{
    QByteArray fields = "\"source\":{\"lang\":" + jsonString(sourceLang) + ",\"type\":" + jsonString(type) +
                        ",\"name\":" + jsonString(name) + ",\"content_base64\":\"";
    if (!appendBase64Of(path, fields))
        return QByteArray();
    fields += "\"},\"target\":{\"lang\":" + jsonString(targetLang) + ",\"type\":" + jsonString(outputType(type)) + '}';
    if (!textDomain.isEmpty())
        fields += ",\"text_domain\":" + jsonString(textDomain);
    return fields;
}

void FileTransService::submitFile(const QString& path, const QString& name, const QString& type,
                                  const QString& sourceLang, const QString& targetLang, const QString& textDomain,
                                  ServiceCallback callback)
{
    struct Work
    {
        QByteArray fields;
        Encoded outcome = Encoded::Ready;
    };
    const auto work = QSharedPointer<Work>::create();
    QThread* encoder = QThread::create([work, path, name, type, sourceLang, targetLang, textDomain] {
        try {
            work->fields = submitFields(path, name, type, sourceLang, targetLang, textDomain);
            if (work->fields.isEmpty())
                work->outcome = Encoded::ReadFailed;
        } catch (const std::bad_alloc&) {
            work->fields.clear();
            work->outcome = Encoded::Exception;
        }
    });
    // Posted even when the service is gone by then, like every other submission.
    connect(encoder, &QThread::finished, RequestService::instance(), [work, callback] {
        if (work->outcome == Encoded::ReadFailed) {
            callback(false, {{QStringLiteral("readFailed"), true}});
            return;
        }
        if (work->outcome == Encoded::Exception) {
            callback(false, {{QStringLiteral("exception"), true}});
            return;
        }
        QByteArray fields;
        fields.swap(work->fields); // the call keeps the only copy, for a re-send with a renewed session
        RequestService::instance()->postJsonBytesForTrans(ImtPath, fileHeader(QStringLiteral("submit")), fields,
                                                         callback, Window, RequestService::Once);
    });
    connect(encoder, &QThread::finished, encoder, &QObject::deleteLater);
    encoder->start();
}

void FileTransService::checkProcess(const QString& fileId, ServiceCallback callback)
{
    log(QStringLiteral("checkProcess:%1"), fileId);
    // Silent: the controller says once that checks fail, not at every tick.
    postFileAction(QStringLiteral("check"), {{QStringLiteral("file_id"), fileId}}, std::move(callback), QString());
}

void FileTransService::getList(ServiceCallback callback)
{
    log(QStringLiteral("getList"));
    postFileAction(QStringLiteral("list"), {}, std::move(callback));
}

void FileTransService::removeHis(const QString& fileId, ServiceCallback callback)
{
    log(QStringLiteral("removeHis"));
    // Silent, like loadHis: the controller says what failed, the server's text as its detail.
    postFileAction(QStringLiteral("remove"), {{QStringLiteral("file_id"), fileId}}, std::move(callback), QString(),
                   RequestService::Once);
}

void FileTransService::loadHis(const QString& fileId, ServiceCallback callback)
{
    log(QStringLiteral("loadHis"));
    postFileAction(QStringLiteral("load"), {{QStringLiteral("file_id"), fileId}}, std::move(callback), QString());
}

void FileTransService::textRecognize(const QString& contentBase64, ServiceCallback callback)
{
    const QJsonObject body{{QStringLiteral("header"), TextTrans::imtHeader(QStringLiteral("text_recognize"))},
                           {QStringLiteral("source"), QJsonObject{{QStringLiteral("file_type"), QStringLiteral("png")},
                                                                  {QStringLiteral("content_base64"), contentBase64}}}};
    RequestService::instance()->postJsonForTrans(ImtPath, body, std::move(callback), Window, Tries);
}
