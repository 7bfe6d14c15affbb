#pragma once

#include <QString>

// What a server trans_status means to the client: its progress state and its display text.
struct FileTaskStatus
{
    // Progress states, grouping the server's stages.
    enum ProgressState {
        Unknown = 0,
        Preparing = 100,
        MachineTranslating = 101,
        HumanTranslating = 102,
        MachineDone = 201,
        HumanDone = 202,
        Failed = -1,
        Cancelled = -2,
        // The client's own: the document never became a server task.
        UploadFailed = -3,
    };

    const char* transStatus;
    int progressState;
    // tr() source text in the "QObject" context; null keeps the text the record already shows.
    const char* text;
    // The running stages show their percentage right after the text.
    bool withProgress;

    // The entry of a known trans_status (exact, case-sensitive), else null.
    static const FileTaskStatus* find(const QString& transStatus);
    QString displayText(int progress) const;
};
