#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

// Digests of the UTF-8 bytes, as lower-case hexadecimal.
QString sha256Hex(const QString& text);
QString md5Hex(const QString& text);

// JSON text <-> QVariant; the writers produce compact JSON.
QVariant variantFromStr(const QString& json);   // invalid QVariant when the text does not parse
QVariantMap mapFromStr(const QString& json);    // empty map unless the text is a JSON object
QString mapToJson(const QVariantMap& map);
QString listToJson(const QVariantList& list);
QString stringListToJson(const QStringList& list);

// Pair lists laid out as key, value, key, value, ...; a trailing key without a value is ignored.
QVariantMap pairListToMap(const QVariantList& pairs);
void pairListIntoMap(QVariantMap& map, const QVariantList& pairs);

// Text read back by its type tag ("string", "bool", "int", "double"/"number", "list"/"map").
QVariant variantFromTyped(const QString& text, const QString& tag);

// The query of a url as name -> value; empty unless the text holds exactly one "?".
QVariantMap parseUrlQuery(const QString& url);
QString capitalizeFirst(const QString& text);
bool isNullOrEmpty(const QString& text);
// The folder part of a path, in native separators; "" when there is no separator.
QString splitPath(const QString& path);

// A stored hotkey "key|ctrl|shift|alt"; other non-empty texts give the default of the hotkey name.
bool parseHotkeySetting(const QString& text, const QString& name, QString& key, bool& ctrl, bool& shift,
                        bool& alt);
QString hotkeyDisplayText(const QString& key, bool ctrl, bool shift, bool alt); // "Ctrl+Shift+Alt+K"
QString hotkeyToString(const QString& key, bool ctrl, bool shift, bool alt);    // text for a QKeySequence
