#include "StandinRoutes.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>
#include <mutex>

// Document tasks of the stand-in. A submitted document becomes a task that moves one stage
// further at every check. Its stages come from the document's first line when that reads
// "#stages <stage>:<progress>[:<error message>],..." (for example
// "#stages preparing:0,translating:40,aborted:40"), else the default run below. The task list
// of a user (header "user") is newest first; "load" sends the document back behind
// "[translated] ".
namespace {

struct FileTask
{
    QJsonObject fields; // the task map of the list
    QByteArray content; // the decoded document
    QStringList stages;
    int next = 0;
};

struct FileTaskStore
{
    std::mutex mutex;
    QHash<QString, QList<FileTask>> byUser;
    int lastId = 0;

    FileTask* find(const QString& id)
    {
        for (QList<FileTask>& tasks : byUser) {
            for (FileTask& task : tasks) {
                if (task.fields.value(QStringLiteral("file_id")).toString() == id)
                    return &task;
            }
        }
        return nullptr;
    }
};

const QStringList DefaultStages{"preparing:0", "translating:40", "translating:80", "completed:100"};

QStringList stagesOf(const QByteArray& content)
{
    if (!content.startsWith("#stages "))
        return DefaultStages;
    const QByteArray line = content.mid(8, content.indexOf('\n') < 0 ? -1 : content.indexOf('\n') - 8);
    return QString::fromUtf8(line).trimmed().split(',', Qt::SkipEmptyParts);
}

// Moves the task to its next stage (the last one stays) and writes it into its fields.
void advance(FileTask& task)
{
    const QStringList parts = task.stages.value(qMin(task.next, task.stages.size() - 1)).split(':');
    task.next = qMin(task.next + 1, task.stages.size());
    task.fields.insert("trans_status", parts.value(0));
    task.fields.insert("progress", parts.value(1).toInt());
    task.fields.insert("error_message", parts.mid(2).join(':'));
    if (parts.value(1).toInt() >= 100)
        task.fields.insert("completed_time", "2026-12-10 10:00:05");
}

QString userOf(const StandinRequest& request)
{
    return request.at(QStringLiteral("header.user")).toString();
}

StandinReply submit(const StandinRequest& request, FileTaskStore& store)
{
    const QString base64 = request.at(QStringLiteral("source.content_base64")).toString();
    const auto decoded = QByteArray::fromBase64Encoding(base64.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return StandinReply::failure(QStringLiteral("bad-content"), QStringLiteral("content_base64 is not Base64"));
    FileTask task;
    task.content = decoded.decoded;
    task.stages = stagesOf(task.content);
    const QString name = request.at(QStringLiteral("source.name")).toString();
    task.fields = QJsonObject{{"file_id", QStringLiteral("ft-%1").arg(++store.lastId, 4, 10, QLatin1Char('0'))},
                              {"file_name", name},
                              {"source_type", request.at(QStringLiteral("source.type"))},
                              {"target_type", request.at(QStringLiteral("target.type"))},
                              {"source_lang", request.at(QStringLiteral("source.lang"))},
                              {"target_lang", request.at(QStringLiteral("target.lang"))},
                              {"word_count", 10},
                              {"char_count", task.content.size()},
                              {"create_time", "2026-12-10 10:00:00.123"},
                              {"completed_time", ""},
                              {"progress", 0},
                              {"trans_status", "preparing"},
                              {"error_message", ""}};
    store.byUser[userOf(request)].prepend(task);
    return StandinReply::success(task.fields);
}

StandinReply check(const StandinRequest& request, FileTaskStore& store)
{
    FileTask* task = store.find(request.at(QStringLiteral("file_id")).toString());
    if (!task)
        return StandinReply::failure(QStringLiteral("file-not-found"), QStringLiteral("任务不存在"));
    advance(*task);
    QJsonObject reply;
    for (const char* key : {"file_id", "progress", "trans_status", "error_message", "completed_time"})
        reply.insert(key, task->fields.value(key));
    return StandinReply::success(reply);
}

StandinReply list(const StandinRequest& request, FileTaskStore& store)
{
    QJsonArray tasks;
    for (const FileTask& task : store.byUser.value(userOf(request)))
        tasks.append(task.fields);
    return StandinReply::success(QJsonObject{{"file_list", tasks}});
}

StandinReply remove(const StandinRequest& request, FileTaskStore& store)
{
    const QString id = request.at(QStringLiteral("file_id")).toString();
    QList<FileTask>& tasks = store.byUser[userOf(request)];
    for (int i = 0; i < tasks.size(); ++i) {
        if (tasks.at(i).fields.value(QStringLiteral("file_id")).toString() == id) {
            tasks.removeAt(i);
            return StandinReply::success();
        }
    }
    return StandinReply::failure(QStringLiteral("file-not-found"), QStringLiteral("任务不存在"));
}

StandinReply load(const StandinRequest& request, FileTaskStore& store)
{
    const FileTask* task = store.find(request.at(QStringLiteral("file_id")).toString());
    if (!task)
        return StandinReply::failure(QStringLiteral("file-not-found"), QStringLiteral("任务不存在"));
    return StandinReply::success(
        QJsonObject{{"file_name", task->fields.value("file_name")},
                    {"content_type", task->fields.value("target_type")},
                    {"target_base64", QString::fromLatin1(("[translated] " + task->content).toBase64())}});
}

using TaskHandler = StandinReply (*)(const StandinRequest&, FileTaskStore&);

StandinRoute fileRoute(const QString& action, const QStringList& fields, const std::shared_ptr<FileTaskStore>& store,
                       TaskHandler answer)
{
    StandinRoute route;
    route.key = StandinRoute::imtKey(QStringLiteral("auto_translation_file"), action);
    route.envelope = StandinEnvelope::Imt;
    route.required = StandinHeaders::with(StandinHeaders::imt(), QStringList{"header.action"} + fields);
    route.handler = [store, answer](const StandinRequest& request, StandinServer&) {
        const std::lock_guard<std::mutex> lock(store->mutex);
        return answer(request, *store);
    };
    return route;
}

} // namespace

QList<StandinRoute> StandinRoutes::fileTranslation()
{
    const auto store = std::make_shared<FileTaskStore>();
    return {fileRoute(QStringLiteral("submit"),
                      {"source.lang", "source.type", "source.name", "source.content_base64", "target.lang",
                       "target.type"},
                      store, submit),
            fileRoute(QStringLiteral("check"), {"file_id"}, store, check),
            fileRoute(QStringLiteral("list"), {}, store, list),
            fileRoute(QStringLiteral("remove"), {"file_id"}, store, remove),
            fileRoute(QStringLiteral("load"), {"file_id"}, store, load)};
}
