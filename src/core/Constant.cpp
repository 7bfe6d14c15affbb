#include "core/Constant.h"

#include "core/FileTaskStatus.h"

#include <QCoreApplication>

static Constant* s_constant = nullptr;
static bool s_constantDestroyed = false;

Constant* Constant::instance()
{
    if (!s_constant && !s_constantDestroyed)
        s_constant = new Constant;
    return s_constant;
}

Constant::Constant(QObject* parent)
    : QObject(parent),
      m_suffixList({QStringLiteral("pdf"), QStringLiteral("docx"), QStringLiteral("pptx"), QStringLiteral("xlsx"),
                    QStringLiteral("txt"), QStringLiteral("xml"), QStringLiteral("html"), QStringLiteral("md"),
                    QStringLiteral("png"), QStringLiteral("jpeg"), QStringLiteral("jpg")})
{
}

Constant::~Constant()
{
    s_constant = nullptr;
    s_constantDestroyed = true;
}

FileTaskRecord Constant::fileTaskFromMap(const QVariantMap& task)
{
    FileTaskRecord record;
    fileTaskFields(record, task);
    return record;
}

void Constant::fileTaskFields(FileTaskRecord& record, const QVariantMap& task)
{
    record.file_id = task.value(QStringLiteral("file_id")).toString();
    record.file_name = task.value(QStringLiteral("file_name")).toString();
    record.source_lang = task.value(QStringLiteral("source_lang")).toString();
    record.target_lang = task.value(QStringLiteral("target_lang")).toString();
    record.progress = FileTaskRecord::boundedProgress(task.value(QStringLiteral("progress")).toInt());
    record.word_count = task.value(QStringLiteral("word_count")).toInt();
    record.char_count = task.value(QStringLiteral("char_count")).toInt();
    record.create_time = task.value(QStringLiteral("create_time")).toString();
    record.completed_time = task.value(QStringLiteral("completed_time")).toString();
    record.fileType = task.value(QStringLiteral("source_type")).toString();
    record.error_message = task.value(QStringLiteral("error_message")).toString();
    record.timeText = record.create_time.section(QLatin1Char('.'), 0, 0);
    fileTaskStatus(record, task.value(QStringLiteral("trans_status")).toString(), record.error_message);
}

static QString abortedText(const FileTaskStatus& aborted, const QString& errorMessage)
{
    if (errorMessage.isEmpty())
        return aborted.displayText(0);
    if (errorMessage.contains(QLatin1String("File is too large")))
        return QCoreApplication::translate("QObject", "出错退出（文件超出限制）");
    return errorMessage;
}

void Constant::fileTaskStatus(FileTaskRecord& record, const QString& transStatus, const QString& errorMessage)
{
    record.trans_status = transStatus;
    const FileTaskStatus* status = FileTaskStatus::find(transStatus);
    record.progressState = status ? status->progressState : FileTaskStatus::Unknown;
    if (!status)
        return;
    if (status->progressState == FileTaskStatus::Failed)
        record.statusText = abortedText(*status, errorMessage);
    else if (status->text)
        record.statusText = status->displayText(record.progress);
    if (status->progressState == FileTaskStatus::Failed || status->progressState == FileTaskStatus::Cancelled)
        record.progress = -1;
}

bool Constant::isUnfinished(const FileTaskRecord& record)
{
    if (!record.error_message.isEmpty())
        return false;
    const FileTaskStatus* status = FileTaskStatus::find(record.trans_status);
    if (!status)
        return true;
    switch (status->progressState) {
    case FileTaskStatus::MachineDone:
    case FileTaskStatus::HumanDone:
    case FileTaskStatus::Failed:
    case FileTaskStatus::Cancelled:
        return false;
    default:
        return true;
    }
}
