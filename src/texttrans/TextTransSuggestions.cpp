#include "texttrans/TextTransSuggestions.h"

#include <QCoreApplication>

namespace TextTrans {

namespace {

QString textOf(const QVariant& item)
{
    return item.toMap().value(QStringLiteral("text")).toString();
}

} // namespace

QString ratioText(double score)
{
    // Single precision on purpose: 6 significant digits of the float hide its binary error.
    const float percent = float(qRound(score * 10000.0)) / 100.0f;
    return QString::number(percent, 'g', 6) + QLatin1Char('%');
}

QVariantMap sentenceSuggestion(const QVariantMap& item)
{
    QVariantMap suggestion{{QStringLiteral("ratio"), item.value(QStringLiteral("score"))},
                           {QStringLiteral("source"), item.value(QStringLiteral("source"))},
                           {QStringLiteral("trans"), QString()},
                           {QStringLiteral("ratioStr"), QString()},
                           {QStringLiteral("repoStr"), QString()}};
    const QVariantList translations = item.value(QStringLiteral("trans_list")).toList();
    if (translations.isEmpty())
        return suggestion;
    const QVariantMap first = translations.first().toMap();
    const QString repo = first.value(QStringLiteral("repo_name")).toString();
    suggestion.insert(QStringLiteral("trans"), first.value(QStringLiteral("text")).toString());
    suggestion.insert(QStringLiteral("ratioStr"), ratioText(first.value(QStringLiteral("score")).toDouble()));
    suggestion.insert(QStringLiteral("repoStr"), repo == QLatin1String("default")
                                                     ? QCoreApplication::translate("TextTransCtrl", "公共句库")
                                                     : repo);
    return suggestion;
}

QVariantMap termSuggestion(const QVariantMap& item)
{
    return {{QStringLiteral("ratio"), item.value(QStringLiteral("score"))},
            {QStringLiteral("source"), item.value(QStringLiteral("source"))},
            {QStringLiteral("trans"), item.value(QStringLiteral("trans_list"))}};
}

QVariantList imeCandidates(const QVariantList& items)
{
    QVariantList candidates;
    for (const QVariant& value : items) {
        const QVariantMap item = value.toMap();
        const QString text = item.value(QStringLiteral("text")).toString();
        const QString extended = QStringLiteral("ext_str");
        candidates.append(QVariantMap{
            {QStringLiteral("text"), text},
            {QStringLiteral("target"), item.value(QStringLiteral("source_str")).toString()},
            {QStringLiteral("replace"), item.contains(extended) ? item.value(extended).toString() : text}});
    }
    return candidates;
}

QStringList selectionTexts(const QVariantList& items)
{
    QStringList texts;
    for (const QVariant& item : items) {
        const QString text = textOf(item);
        if (!text.isEmpty())
            texts.append(text);
    }
    return texts;
}

TypedText typedForSuggestion(const QString& targetLang, const QString& typed, int editingPosition, int caret)
{
    const bool addSpace = targetLang == QLatin1String("en") && editingPosition == caret && typed.size() == caret &&
                          caret >= 1 && !typed.endsWith(QLatin1Char(' '));
    if (!addSpace)
        return {typed, editingPosition, caret, false};
    return {typed + QLatin1Char(' '), editingPosition + 1, caret + 1, true};
}

QString suggestionMarkup(const QString& sentence, const QVariantList& segments)
{
    QString html;
    int pos = 0;
    for (const QVariant& value : segments) {
        const QVariantMap segment = value.toMap();
        const QString type = segment.value(QStringLiteral("type")).toString();
        const int start = segment.value(QStringLiteral("start_pos")).toInt();
        const int len = segment.value(QStringLiteral("len")).toInt();
        if (pos < start)
            html += sentence.mid(pos, start - pos).toHtmlEscaped();
        const QString piece = sentence.mid(start, len).toHtmlEscaped();
        if (type == QLatin1String("prefix"))
            html += QStringLiteral("<font color=#333333><b>") + piece + QStringLiteral("</b></font>");
        else if (type == QLatin1String("suggestion"))
            html += QStringLiteral("<font color=#0052D9>") + piece + QStringLiteral("</font>");
        else
            html += piece;
        pos = start + len;
    }
    if (pos < sentence.size())
        html += sentence.mid(pos).toHtmlEscaped();
    return html;
}

QString suggestionTip(const QString& typed, const QVariantList& segments, bool spaceAdded, const QString& sentence,
                      int caret)
{
    if (segments.isEmpty())
        return typed;
    const bool spaceAtCaret = caret >= 0 && caret < sentence.size() && sentence.at(caret) == QLatin1Char(' ');
    return typed + (spaceAdded && spaceAtCaret ? QStringLiteral(" ") : QString()) + textOf(segments.first());
}

} // namespace TextTrans
