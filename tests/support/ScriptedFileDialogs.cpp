#include "ScriptedFileDialogs.h"

void ScriptedFileDialogs::answerOpen(const QStringList& files, std::function<void()> whileOpen)
{
    opens.append({files, std::move(whileOpen)});
}

void ScriptedFileDialogs::answerSave(const QString& path, std::function<void()> whileOpen)
{
    saves.append({path, std::move(whileOpen)});
}

QStringList ScriptedFileDialogs::openFiles(const QString& caption, const QString& folder, const QString& filter)
{
    calls.append({caption, folder, filter});
    if (opens.isEmpty())
        return {};
    const auto answer = opens.takeFirst();
    if (answer.second)
        answer.second();
    return answer.first;
}

QString ScriptedFileDialogs::saveFile(const QString& caption, const QString& suggestedPath, const QString& filter)
{
    calls.append({caption, suggestedPath, filter});
    if (saves.isEmpty())
        return {};
    const auto answer = saves.takeFirst();
    if (answer.second)
        answer.second();
    return answer.first;
}
