#include "StandinRoutes.h"
#include "StandinShape.h"

#include <QDateTime>
#include <QJsonArray>

#include <memory>
#include <mutex>

// The users' memory ("Tm") and term ("Term"/"Phrase") repositories, each kind in its own store:
// repositories per user in creation order, paged 20 at a time; entries per repository, paged 50.
// Ids are JSON numbers, as the service sends them. Every body must have exactly the fields the
// client sends, with their JSON types; a delete must send back what the repository was listed with.
namespace {

constexpr int ReposPerPage = 20;
constexpr int EntriesPerPage = 50;

// Repositories name their languages the way the service does: by lower-case English name.
bool knownLanguage(const QString& name)
{
    return QStringList{"chinese", "english", "japanese"}.contains(name);
}

struct Repo
{
    QJsonObject object; // "id", "name", "src_lang", "tgt_lang", "reversible", "create_time"
    QString userId;
    QList<QJsonObject> entries;
};

struct RepoStore
{
    std::mutex mutex;
    QList<Repo> repos;
    int lastRepoId = 1000;
    int lastEntryId = 5000;

    int repoIndex(const QString& id) const
    {
        for (int i = 0; i < repos.size(); ++i) {
            if (QString::number(repos.at(i).object.value("id").toInt()) == id)
                return i;
        }
        return -1;
    }

    Repo* repo(const QString& id)
    {
        const int index = repoIndex(id);
        return index < 0 ? nullptr : &repos[index];
    }

    int entryRow(const Repo& repo, const QString& id) const
    {
        for (int row = 0; row < repo.entries.size(); ++row) {
            if (QString::number(repo.entries.at(row).value("id").toInt()) == id)
                return row;
        }
        return -1;
    }

    Repo& add(const QString& userId, const QJsonObject& fields)
    {
        Repo repo;
        repo.userId = userId;
        repo.object = {{"id", ++lastRepoId},
                       {"name", fields.value("name")},
                       {"src_lang", fields.value("src_lang")},
                       {"tgt_lang", fields.value("tgt_lang")},
                       {"reversible", fields.value("reversible").toBool()},
                       {"create_time", fields.value("create_time").toString(
                                           QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss.0"))}};
        repos.append(repo);
        return repos.last();
    }

    QJsonObject addEntry(Repo& repo, const QString& source, const QString& target)
    {
        const QJsonObject entry{{"id", ++lastEntryId}, {"source", source}, {"target", target}};
        repo.entries.append(entry);
        return entry;
    }
};

const QString S;
constexpr bool B = false;

QJsonObject pagedShape()
{
    return {{"header", StandinShape::apiHeader()}, {"value", S}, {"page", QJsonObject{{"page", 0}, {"size", 0}}}};
}

QJsonObject valueShape(const QJsonObject& value)
{
    return {{"header", StandinShape::apiHeader()}, {"value", value}};
}

QJsonObject repoFields()
{
    return {{"name", S}, {"user_id", S}, {"src_lang", S}, {"tgt_lang", S}, {"reversible", B}};
}

QJsonObject entryFields(bool withId)
{
    QJsonObject fields{{"repo_id", S}, {"source", S}, {"target", S}};
    if (withId)
        fields.insert("id", S);
    return fields;
}

// Why the request does not fit what the store holds, or "" when it does.
using StoreCheck = std::function<QString(const StandinRequest&, RepoStore&)>;
using StoreAnswer = std::function<StandinReply(const StandinRequest&, RepoStore&)>;

StandinRoute storeRoute(const QString& name, const std::shared_ptr<RepoStore>& store, const QJsonObject& shape,
                        const StoreCheck& check, const StoreAnswer& answer)
{
    StandinRoute route;
    route.key = QStringLiteral("/api/memory/") + name;
    route.required = StandinHeaders::api();
    route.validate = [key = route.key, store, shape, check](const StandinRequest& request) {
        QString why = StandinShape::mismatch(request.body, shape);
        if (why.isEmpty()) {
            const std::lock_guard<std::mutex> lock(store->mutex);
            why = check(request, *store);
        }
        return why.isEmpty() ? why : QStringLiteral("%1: %2").arg(key, why);
    };
    route.handler = [store, answer](const StandinRequest& request, StandinServer&) {
        const std::lock_guard<std::mutex> lock(store->mutex);
        return answer(request, *store);
    };
    return route;
}

QString pageSize(const StandinRequest& request, int size)
{
    if (request.at("page.size").toInt() != size || request.at("page.page").toInt() < 0)
        return QStringLiteral("page %1 of size %2").arg(request.at("page.page").toInt()).arg(request.at("page.size").toInt());
    return QString();
}

QString repoOf(const StandinRequest& request, RepoStore& store, const QString& path)
{
    return store.repo(request.at(path).toString()) ? QString() : QStringLiteral("no repository %1").arg(request.at(path).toString());
}

QString entryOf(const StandinRequest& request, RepoStore& store)
{
    if (Repo* repo = store.repo(request.at("value.repo_id").toString())) {
        if (store.entryRow(*repo, request.at("value.id").toString()) >= 0)
            return QString();
    }
    return QStringLiteral("no entry %1 in repository %2").arg(request.at("value.id").toString(), request.at("value.repo_id").toString());
}

QJsonObject page(const QList<QJsonObject>& items, int index, int size)
{
    QJsonArray content;
    for (const QJsonObject& item : items.mid(index * size, size))
        content.append(item);
    const int pages = (items.size() + size - 1) / size;
    return {{"content", content}, {"last", index + 1 >= pages}, {"total_elements", items.size()}, {"total_pages", pages}};
}

StandinReply listRepos(const StandinRequest& request, RepoStore& store)
{
    QList<QJsonObject> mine;
    for (const Repo& repo : qAsConst(store.repos)) {
        if (repo.userId == request.at("value").toString())
            mine.append(repo.object);
    }
    return StandinReply::success(page(mine, request.at("page.page").toInt(), ReposPerPage));
}

StandinReply listEntries(const StandinRequest& request, RepoStore& store)
{
    const Repo* repo = store.repo(request.at("value").toString());
    return StandinReply::success(page(repo->entries, request.at("page.page").toInt(), EntriesPerPage));
}

QString checkAddRepo(const StandinRequest& request, RepoStore&)
{
    for (const char* key : {"value.src_lang", "value.tgt_lang"}) {
        if (!knownLanguage(request.at(key).toString()))
            return QStringLiteral("%1 \"%2\" is no language name").arg(key, request.at(key).toString());
    }
    return QString();
}

QString checkDeleteRepo(const StandinRequest& request, RepoStore& store)
{
    const Repo* repo = store.repo(request.at("value.id").toString());
    if (!repo)
        return QStringLiteral("no repository %1").arg(request.at("value.id").toString());
    for (const char* key : {"name", "src_lang", "tgt_lang", "reversible"}) {
        if (request.at(QStringLiteral("value.") + key) != repo->object.value(key))
            return QStringLiteral("value.%1 differs from the repository's").arg(key);
    }
    return repo->userId == request.at("value.user_id").toString() ? QString() : QStringLiteral("another user's repository");
}

QList<StandinRoute> kindRoutes(const QString& repoWord, const QString& entryWord, const QString& entriesFind,
                               const std::shared_ptr<RepoStore>& store)
{
    return {
        storeRoute(QStringLiteral("find%1RepoByUserIdByPage").arg(repoWord), store, pagedShape(),
                   [](const StandinRequest& r, RepoStore&) { return pageSize(r, ReposPerPage); }, listRepos),
        storeRoute(entriesFind, store, pagedShape(),
                   [](const StandinRequest& r, RepoStore& s) {
                       const QString why = pageSize(r, EntriesPerPage);
                       return why.isEmpty() ? repoOf(r, s, "value") : why;
                   },
                   listEntries),
        storeRoute(QStringLiteral("add%1Repo").arg(repoWord), store, valueShape(repoFields()), checkAddRepo,
                   [](const StandinRequest& r, RepoStore& s) {
                       return StandinReply::success(s.add(r.at("value.user_id").toString(), r.at("value").toObject()).object);
                   }),
        storeRoute(QStringLiteral("add%1").arg(entryWord), store, valueShape(entryFields(false)),
                   [](const StandinRequest& r, RepoStore& s) { return repoOf(r, s, "value.repo_id"); },
                   [](const StandinRequest& r, RepoStore& s) {
                       return StandinReply::success(s.addEntry(*s.repo(r.at("value.repo_id").toString()),
                                                               r.at("value.source").toString(), r.at("value.target").toString()));
                   }),
        storeRoute(QStringLiteral("update%1").arg(entryWord), store, valueShape(entryFields(true)), entryOf,
                   [](const StandinRequest& r, RepoStore& s) {
                       Repo* repo = s.repo(r.at("value.repo_id").toString());
                       QJsonObject& entry = repo->entries[s.entryRow(*repo, r.at("value.id").toString())];
                       entry.insert("source", r.at("value.source"));
                       entry.insert("target", r.at("value.target"));
                       return StandinReply::success(entry);
                   }),
        storeRoute(QStringLiteral("delete%1Repo").arg(repoWord), store, valueShape([] {
                       QJsonObject fields = repoFields();
                       fields.insert("id", S);
                       return fields;
                   }()),
                   checkDeleteRepo,
                   [](const StandinRequest& r, RepoStore& s) {
                       s.repos.removeAt(s.repoIndex(r.at("value.id").toString()));
                       return StandinReply::success(true);
                   }),
        storeRoute(QStringLiteral("delete%1").arg(entryWord), store, valueShape(entryFields(true)), entryOf,
                   [](const StandinRequest& r, RepoStore& s) {
                       Repo* repo = s.repo(r.at("value.repo_id").toString());
                       repo->entries.removeAt(s.entryRow(*repo, r.at("value.id").toString()));
                       return StandinReply::success(true);
                   }),
    };
}

void seed(RepoStore& store, const QJsonArray& repos)
{
    for (const QJsonValue& value : repos) {
        const QJsonObject fields = value.toObject();
        Repo& repo = store.add(fields.value("user_id").toString(), fields);
        for (const QJsonValue& pair : fields.value("entries").toArray())
            store.addEntry(repo, pair.toArray().at(0).toString(), pair.toArray().at(1).toString());
    }
}

} // namespace

QList<StandinRoute> StandinRoutes::repositories(const QJsonObject& seeded)
{
    const auto memory = std::make_shared<RepoStore>();
    const auto terms = std::make_shared<RepoStore>();
    seed(*memory, seeded.value("tm").toArray());
    seed(*terms, seeded.value("term").toArray());
    return kindRoutes(QStringLiteral("Tm"), QStringLiteral("TmSent"), QStringLiteral("findTmSentByRepoIdByPage"), memory)
           + kindRoutes(QStringLiteral("Term"), QStringLiteral("TermPhrase"), QStringLiteral("findTermPhraseByRepoIdByPage"), terms);
}
