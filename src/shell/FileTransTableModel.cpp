#include "shell/FileTransTableModel.h"

#include "core/State.h"

namespace {
enum Role { Display = 100, TimeStr, Logo, Source, ProcessStatus, ProcessText, CharCount, ProgressNum, FileId = 120 };
} // namespace

FileTransTableModel::FileTransTableModel(QObject* parent)
    : StateListModel("FileTransTableModel", parent), chineseUi(State::instance()->isChineseUi())
{
    connect(State::instance(), &State::fileTransHistoryChange, this,
            qOverload<int>(&FileTransTableModel::updateModel));
}

int FileTransTableModel::rowCount(const QModelIndex&) const
{
    return State::instance()->fileTransHistory.size();
}

QHash<int, QByteArray> FileTransTableModel::roleNames() const
{
    return {{FileId, "fileId"},
            {Display, "display"},
            {TimeStr, "timeStr"},
            {Logo, "logo"},
            {Source, "source"},
            {ProcessStatus, "processStatus"},
            {ProcessText, "processText"},
            {CharCount, "charCount"},
            {ProgressNum, "progressNum"}};
}

QString FileTransTableModel::logoOf(const QString& fileType)
{
    static const QHash<QString, QString> logos{{"doc", "doc"},    {"docx", "doc"}, {"xls", "excel"},
                                               {"xlsx", "excel"}, {"jpg", "image"}, {"png", "image"},
                                               {"md", "md"},      {"ppt", "ppt"},   {"pptx", "ppt"},
                                               {"pdf", "pdf"}};
    return logos.value(fileType, QStringLiteral("txt"));
}

QVariant FileTransTableModel::rowData(int row, int role) const
{
    const FileTaskRecord& task = State::instance()->fileTransHistory.at(row);
    switch (role) {
    case FileId: return task.file_id;
    case Display: return task.file_name;
    case TimeStr: return task.timeText;
    case Logo: return logoOf(task.fileType);
    case Source: return QStringLiteral("%1→%2").arg(languageName(task.source_lang), languageName(task.target_lang));
    case ProcessStatus: return task.progressState;
    case ProcessText: return task.statusText;
    case CharCount: return task.char_count;
    case ProgressNum: return task.progress;
    default: return QVariant();
    }
}

QString FileTransTableModel::languageName(const QString& code) const
{
    const QVariantMap& table = State::instance()->fileTransLangData();
    if (!table.contains(code))
        return QString();
    return table.value(code).toMap().value(chineseUi ? "name" : "enName").toString();
}
