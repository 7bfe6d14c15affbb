#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Typed key/value rows in the table "defaultkv" of the local database; values come back with
// the type they were stored with (string, int, double, bool, map, list; others as text).
class SimpleStorage : public QObject
{
    Q_OBJECT
public:
    static SimpleStorage* instance(); // created on first call; null once destroyed
    ~SimpleStorage() override;

    bool set(const QString& key, const QVariant& value); // replaces any old row
    bool setVariant(const QString& key, const QVariantList& value);
    bool setVariant(const QString& key, const QVariantMap& value);
    QVariant get(const QString& key) const; // invalid when the key is absent
    bool remove(const QString& key);

private:
    explicit SimpleStorage(QObject* parent = nullptr);
};
