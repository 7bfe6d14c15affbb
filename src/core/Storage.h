#pragma once

#include <QObject>
#include <QSharedPointer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

// The local SQLite database "Parlavine.db" in the per-user data folder: one connection, GUI thread
// only, every statement in its own committed transaction.
class Storage : public QObject
{
    Q_OBJECT
public:
    static Storage* instance(); // created (and the database opened) on first call; null once destroyed
    ~Storage() override;

    bool init();                                       // opens the connection when needed; true when open
    bool execQuery(const QString& sql);                // true when the statement and its commit succeed
    QSharedPointer<QSqlQuery> execSelect(const QString& sql); // never null; no rows when it failed
    void createTables();

private:
    explicit Storage(QObject* parent = nullptr);
    bool open();
    bool execute(QSqlQuery& query, const QString& sql);

    QSqlDatabase db;
};
