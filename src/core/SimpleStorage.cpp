#include "core/SimpleStorage.h"

#include "core/Storage.h"
#include "core/Util.h"

#include <mutex>

static SimpleStorage* s_simpleStorage = nullptr;

SimpleStorage* SimpleStorage::instance()
{
    static std::once_flag once;
    std::call_once(once, [] { s_simpleStorage = new SimpleStorage; });
    return s_simpleStorage;
}

SimpleStorage::SimpleStorage(QObject* parent) : QObject(parent) {}

SimpleStorage::~SimpleStorage()
{
    s_simpleStorage = nullptr;
}

// A SQL string literal holding exactly the given text.
static QString quoted(const QString& text)
{
    QString escaped = text;
    return QLatin1Char('\'') + escaped.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

bool SimpleStorage::set(const QString& key, const QVariant& value)
{
    QString tag = QString::fromLatin1(value.typeName());
    QString text = value.toString();
    switch (static_cast<int>(value.type())) {
    case QMetaType::QString: tag = QStringLiteral("string"); break;
    case QMetaType::Int: tag = QStringLiteral("int"); break;
    case QMetaType::Double: tag = QStringLiteral("double"); break;
    case QMetaType::Bool: tag = QStringLiteral("bool"); break;
    case QMetaType::QVariantMap:
        tag = QStringLiteral("map");
        text = mapToJson(value.toMap());
        break;
    case QMetaType::QVariantList:
        tag = QStringLiteral("list");
        text = listToJson(value.toList());
        break;
    default: break;
    }
    // One pass of arg(): a "%2" inside the key is not replaced again.
    return Storage::instance()->execQuery(QStringLiteral("INSERT OR REPLACE INTO defaultkv (key, value, type) VALUES (%1, %2, %3);")
                                              .arg(quoted(key), quoted(text), quoted(tag)));
}

bool SimpleStorage::setVariant(const QString& key, const QVariantList& value)
{
    return set(key, QVariant(value));
}

bool SimpleStorage::setVariant(const QString& key, const QVariantMap& value)
{
    return set(key, QVariant(value));
}

QVariant SimpleStorage::get(const QString& key) const
{
    const auto query = Storage::instance()->execSelect(
        QStringLiteral("SELECT key, value, type FROM defaultkv WHERE key=%1 LIMIT 1").arg(quoted(key)));
    if (!query->next())
        return QVariant();
    return variantFromTyped(query->value(QStringLiteral("value")).toString(), query->value(QStringLiteral("type")).toString());
}

bool SimpleStorage::remove(const QString& key)
{
    return Storage::instance()->execQuery(QStringLiteral("DELETE FROM defaultkv WHERE key=%1;").arg(quoted(key)));
}
