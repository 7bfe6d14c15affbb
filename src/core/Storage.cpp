#include "core/Storage.h"

#include "core/AppConfig.h"
#include "core/Log.h"

#include <QDir>
#include <QSqlError>

#include <mutex>

static const char kConnectionName[] = "halvorn_quorix_parlavine";

static Storage* s_storage = nullptr;

Storage* Storage::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_storage = new Storage; });
    return s_storage;
}

Storage::Storage(QObject* parent) : QObject(parent)
{
    init();
}

Storage::~Storage()
{
    log(QStringLiteral("Storage delete: start"));
    if (db.isOpen())
        db.close();
    log(QStringLiteral("Storage delete"));
    s_storage = nullptr;
}

bool Storage::init()
{
    if (db.isOpen())
        return true;
    if (!open()) {
        log(QStringLiteral("sqlite connection failed"));
        return false;
    }
    log(QStringLiteral("sqlite connected"));
    // Also after a failed first open: the tables must exist whichever open succeeds.
    createTables();
    return true;
}

bool Storage::open()
{
    const QString connection = QLatin1String(kConnectionName);
    // The folder may have been missing or unwritable at an earlier attempt.
    QDir().mkpath(AppConfig::dataDir());
    if (QSqlDatabase::contains(connection)) {
        db = QSqlDatabase::database(connection, false);
        log(QStringLiteral("sqlite connect"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(AppConfig::dataDir() + QStringLiteral("/Parlavine.db"));
        db.setUserName(QStringLiteral("halvorn"));
        db.setPassword(QStringLiteral("velmorica731@"));
        log(QStringLiteral("sqlite init"));
    }
    // SQLite ignores the credentials and this option; they are kept for drivers that use them.
    db.setConnectOptions(QStringLiteral("SQL_ATTR_CONNECTION_TIMEOUT=120"));
    return db.open();
}

bool Storage::execQuery(const QString& sql)
{
    if (!init()) {
        log(QStringLiteral("execQuery-error:%1"), sql);
        return false;
    }
    QSqlQuery query(db);
    return execute(query, sql);
}

QSharedPointer<QSqlQuery> Storage::execSelect(const QString& sql)
{
    const bool ready = init();
    auto query = QSharedPointer<QSqlQuery>::create(db);
    if (ready)
        execute(*query, sql);
    else
        log(QStringLiteral("execQuery-error:%1"), sql);
    return query;
}

// A failed statement is a failure even though its empty transaction commits.
bool Storage::execute(QSqlQuery& query, const QString& sql)
{
    db.transaction();
    const bool executed = query.exec(sql);
    const bool committed = db.commit();
    if (executed && committed)
        log(QStringLiteral("execQuery-ok:%1"), sql);
    else
        log(QStringLiteral("execQuery-error:%1"), executed ? db.lastError().text() : query.lastError().text());
    return executed && committed;
}

void Storage::createTables()
{
    execSelect(QStringLiteral(
        "create table if not exists text_trans_history2 (id VARCHAR(100) PRIMARY KEY, text VARCHAR(6000) NOT NULL, "
        "result VARCHAR(6000) NOT NULL, source VARCHAR(20) NOT NULL, target VARCHAR(20) NOT NULL, "
        "time VARCHAR(15) NOT NULL, type VARCHAR(5) NOT NULL);"));
    execSelect(QStringLiteral(
        "create table if not exists defaultkv (key VARCHAR(40) PRIMARY KEY, value VARCHAR(1000) NOT NULL, "
        "type VARCHAR(5) NOT NULL);"));
}
