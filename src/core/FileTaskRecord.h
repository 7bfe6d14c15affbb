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
    // A reported progress as kept: 0 to 100, whatever the server sent.
    static int boundedProgress(int reported) { return reported < 0 ? 0 : reported > 100 ? 100 : reported; }
    // True for a document whose upload failed: it has no server task, only what a retry needs.
    bool isFailedUpload() const { return !localPath.isEmpty(); }

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
    // Only for a failed upload: the document and the domain it was sent with.
    QString localPath;
    QString text_domain;
};
