#include "core/Util.h"

#include "core/Log.h"

#include <QCryptographicHash>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QUrl>

static QString hexDigest(const QString& text, QCryptographicHash::Algorithm algorithm)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), algorithm).toHex());
}

QString sha256Hex(const QString& text)
{
    return hexDigest(text, QCryptographicHash::Sha256);
}

QString md5Hex(const QString& text)
{
    return hexDigest(text, QCryptographicHash::Md5);
}

// Parses the text, logging the outcome under the caller's name.
static QJsonDocument parseJson(const QString& json, const QString& caller, bool* ok)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json.toUtf8(), &error);
    *ok = error.error == QJsonParseError::NoError;
    // Only the size: the text may be the remembered login or a reply holding a session.
    if (*ok)
        log(caller + QStringLiteral(" noerror: %1 chars"), QString::number(json.size()));
    else
        log(caller + QStringLiteral(" error!: %1"), error.errorString());
    return doc;
}

QVariant variantFromStr(const QString& json)
{
    bool ok = false;
    const QJsonDocument doc = parseJson(json, QStringLiteral("variantFromStr"), &ok);
    return ok ? doc.toVariant() : QVariant();
}

QVariantMap mapFromStr(const QString& json)
{
    bool ok = false;
    const QJsonDocument doc = parseJson(json, QStringLiteral("mapFromStr"), &ok);
    return ok ? doc.object().toVariantMap() : QVariantMap();
}

static QString compact(const QJsonDocument& doc)
{
    return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
}

QString mapToJson(const QVariantMap& map)
{
    return compact(QJsonDocument(QJsonObject::fromVariantMap(map)));
}

QString listToJson(const QVariantList& list)
{
    return compact(QJsonDocument(QJsonArray::fromVariantList(list)));
}

QString stringListToJson(const QStringList& list)
{
    return compact(QJsonDocument(QJsonArray::fromStringList(list)));
}

QVariantMap pairListToMap(const QVariantList& pairs)
{
    QVariantMap map;
    pairListIntoMap(map, pairs);
    return map;
}

void pairListIntoMap(QVariantMap& map, const QVariantList& pairs)
{
    for (int i = 0; i + 1 < pairs.size(); i += 2)
        map.insert(pairs.at(i).toString(), pairs.at(i + 1));
}

QVariant variantFromTyped(const QString& text, const QString& tag)
{
    if (tag == QLatin1String("bool"))
        return !(text.isEmpty() || text == QLatin1String("0") || text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0);
    if (tag == QLatin1String("int"))
        return text.toInt();
    if (tag == QLatin1String("double") || tag == QLatin1String("number"))
        return text.toDouble();
    if (tag == QLatin1String("list") || tag == QLatin1String("map"))
        return variantFromStr(text);
    return text;
}

QVariantMap parseUrlQuery(const QString& url)
{
    QVariantMap map;
    const QStringList parts = url.split(QLatin1Char('?'));
    if (parts.size() != 2)
        return map;
    for (const QString& piece : parts.at(1).split(QLatin1Char('&'))) {
        // Values may hold "=" themselves (base64 padding of a token), so only the first one separates.
        const int eq = piece.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        map.insert(QUrl::fromPercentEncoding(piece.left(eq).toUtf8()),
                   QUrl::fromPercentEncoding(piece.mid(eq + 1).toUtf8()));
    }
    return map;
}

QString capitalizeFirst(const QString& text)
{
    if (text.isEmpty())
        return QString();
    return text.at(0).toUpper() + text.mid(1);
}

bool isNullOrEmpty(const QString& text)
{
    return text.isEmpty();
}

QString splitPath(const QString& path)
{
    const QString separator = QDir::separator();
    QStringList parts = QDir::toNativeSeparators(path).split(separator);
    if (parts.size() <= 1)
        return QString();
    parts.removeLast();
    return parts.join(separator);
}

bool parseHotkeySetting(const QString& text, const QString& name, QString& key, bool& ctrl, bool& shift,
                        bool& alt)
{
    if (text.isEmpty())
        return false;
    const QStringList parts = text.split(QLatin1Char('|'));
    if (parts.size() == 4) {
        key = parts.at(0);
        ctrl = parts.at(1) == QLatin1String("1");
        shift = parts.at(2) == QLatin1String("1");
        alt = parts.at(3) == QLatin1String("1");
        return true;
    }
    struct Default { const char* name; const char* key; bool ctrl, shift, alt; };
    static const Default defaults[] = {
        {"copyTransOpen", "O", true, false, true},
        {"copyTransQuick", "G", true, false, false},
        {"screenshotOpen", "P", true, false, true},
    };
    for (const Default& d : defaults) {
        if (name == QLatin1String(d.name)) {
            key = QLatin1String(d.key);
            ctrl = d.ctrl;
            shift = d.shift;
            alt = d.alt;
            return true;
        }
    }
    return name == QLatin1String("copyTransCC"); // a listener, not a key: nothing to describe
}

QString hotkeyDisplayText(const QString& key, bool ctrl, bool shift, bool alt)
{
    QString text;
    if (ctrl)
        text += QLatin1String("Ctrl+");
    if (shift)
        text += QLatin1String("Shift+");
    if (alt)
        text += QLatin1String("Alt+");
    return text + key.toUpper();
}

QString hotkeyToString(const QString& key, bool ctrl, bool shift, bool alt)
{
    // QKeySequence reads the same portable text that is shown to the user.
    return hotkeyDisplayText(key, ctrl, shift, alt);
}
