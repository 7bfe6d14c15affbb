#pragma once

#include "platform/FileDialogs.h"

#include <functional>

// File dialogs answered by the test. Each call takes the next scripted answer (cancel when none
// is left) and runs its step first, as if it happened while the dialog was open.
class ScriptedFileDialogs : public FileDialogs
{
public:
    struct Call
    {
        QString caption;
        QString path; // the folder of an open dialog, the suggestion of a save dialog
        QString filter;
    };

    ScriptedFileDialogs() { FileDialogs::install(this); }
    ~ScriptedFileDialogs() override { FileDialogs::install(nullptr); }

    void answerOpen(const QStringList& files, std::function<void()> whileOpen = {});
    void answerSave(const QString& path, std::function<void()> whileOpen = {});

    QStringList openFiles(const QString& caption, const QString& folder, const QString& filter) override;
    QString saveFile(const QString& caption, const QString& suggestedPath, const QString& filter) override;

    QList<Call> calls;

private:
    QList<QPair<QStringList, std::function<void()>>> opens;
    QList<QPair<QString, std::function<void()>>> saves;
};
