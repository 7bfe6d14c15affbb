#include "core/FileTaskStatus.h"

#include <QCoreApplication>

namespace {

const FileTaskStatus kStatuses[] = {
    {"preparing", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "正在准备"), false},
    {"process_src_start", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "将开始解析文件"), false},
    {"process_src_file", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "解析文件格式"), false},
    {"convert_src_content_file", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "转换文件格式"), false},
    {"convert_src_task_doc", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "抽取待翻译内容"), false},
    {"download_src_start", FileTaskStatus::Preparing, nullptr, false},
    {"download_src_file", FileTaskStatus::Preparing, nullptr, false},
    {"convert_src_task_doc_waiting", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "等待抽取待翻译内容"), false},
    {"convert_src_task_doc_completed", FileTaskStatus::Preparing, QT_TRANSLATE_NOOP("QObject", "抽取待翻译内容完成"), false},
    {"translate_waiting", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "等待进入翻译队列"), false},
    {"generate_tgt_content_file_waiting", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "等待合成目标格式"), false},
    {"generate_tgt_content_file_completed", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "合成目标格式完成"), false},
    {"generate_tgt_file_waiting", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "等待导出目标文件"), false},
    {"generate_tgt_file_completed", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "导出目标文件完成"), false},
    {"convert_src_content_file_waiting", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "等待转换文件格式"), false},
    {"convert_src_content_file_completed", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "转换文件格式完成"), false},
    {"translating", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "正在翻译"), true},
    {"translate_completed", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "完成翻译队列"), false},
    {"generate_tgt_task_doc", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "生成译文内容"), false},
    {"generate_tgt_content_file", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "合成目标格式"), false},
    {"generate_tgt_file", FileTaskStatus::MachineTranslating, QT_TRANSLATE_NOOP("QObject", "导出目标文件"), false},
    {"completed", FileTaskStatus::MachineDone, QT_TRANSLATE_NOOP("QObject", "自动翻译成功"), false},
    {"human_translating", FileTaskStatus::HumanTranslating, QT_TRANSLATE_NOOP("QObject", "正在人工翻译"), true},
    {"human_translation_completed", FileTaskStatus::HumanDone, QT_TRANSLATE_NOOP("QObject", "人工翻译完成"), false},
    {"aborted", FileTaskStatus::Failed, QT_TRANSLATE_NOOP("QObject", "出错退出"), false},
    {"canceled", FileTaskStatus::Cancelled, QT_TRANSLATE_NOOP("QObject", "已取消"), false},
};

} // namespace

const FileTaskStatus* FileTaskStatus::find(const QString& transStatus)
{
    for (const FileTaskStatus& status : kStatuses) {
        if (transStatus == QLatin1String(status.transStatus))
            return &status;
    }
    return nullptr;
}

QString FileTaskStatus::displayText(int progress) const
{
    const QString translated = QCoreApplication::translate("QObject", text);
    return withProgress ? translated + QString::number(progress) + QLatin1Char('%') : translated;
}
