#pragma once

#include <QString>

// One document-translation task as the client shows it; a plain value copied freely.
struct FileTaskRecord
{
    FileTaskRecord() = default;
    // A task known only by id and file name, before the server has reported on it.
    FileTaskRecord(const QString& fileId, const QString& fileName);

    // The server reports progress in percent; a task at 100 or above has its file ready.
    bool isFinished() const { return progress >= 100; }

    static QString suffixOf(const QString& fileName);

    QString file_id;
    QString file_name;
    QString fileType;
    QString source_lang;
    QString target_lang;
    int progress = 0;
    int word_count = 0;
    int char_count = 0;
    QString create_time;
    QString completed_time;
    QString trans_status;
    QString timeText;
    QString error_message;
    int progressState = 0;
    QString statusText;
};
