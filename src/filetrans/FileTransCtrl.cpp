#include "filetrans/FileTransCtrl.h"

#include "core/Constant.h"
#include "core/FileTaskStatus.h"
#include "core/Hud.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/State.h"
#include "core/Util.h"
#include "core/WeakOwner.h"
#include "filetrans/FileTransService.h"
#include "network/NetworkFailure.h"
#include "platform/FileDialogs.h"
#include "shell/GlobalCtrl.h"
#include "update/VexilService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <QRegularExpression>
#include <QSaveFile>
#include <QTimer>
#include <QUrl>

namespace {

const QString Main = QStringLiteral("main");

QString str(const QVariantMap& map, const char* key)
{
    return map.value(QLatin1String(key)).toString();
}

int rowOf(const QString& fileId)
{
    const QList<FileTaskRecord>& history = State::instance()->fileTransHistory;
    for (int row = 0; row < history.size(); ++row) {
        if (history.at(row).file_id == fileId)
            return row;
    }
    return -1;
}

int failedRowOf(const QString& fileId)
{
    const int row = rowOf(fileId);
    return row >= 0 && State::instance()->fileTransHistory.at(row).isFailedUpload() ? row : -1;
}

bool validType(const QString& type)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9]{1,10}$"));
    return pattern.match(type).hasMatch();
}

void onLangTableLoaded(bool ok, const QVariantMap& table)
{
    if (!ok)
        return;
    State* state = State::instance();
    state->setFileTransLangData(table);
    emit state->fileTransHistoryChange(0); // the rows show language names
    state->setFileTransSourceLang(QString());
    state->setFileTransTargetLang(QString());
}

} // namespace

FileTransCtrl::FileTransCtrl(QObject* parent)
    : QObject(parent)
    , service(new FileTransService)
{
    for (const QString& type : Constant::instance()->suffixList())
        fileFilter += QStringLiteral("*.") + type + QLatin1Char(' ');
    fileFilter = QStringLiteral("Any files (%1)").arg(fileFilter);
    startCheckRuntime(true);
    connect(State::instance(), &State::windowActiveChange, this, &FileTransCtrl::onWindowActiveChanged);
}

FileTransCtrl::~FileTransCtrl()
{
    delete checkTimer;
}

void FileTransCtrl::init()
{
    State* state = State::instance();
    state->setFileTransSourceLang(QString());
    state->setFileTransTargetLang(QString());
    updateTransList();
    loadSupportLang(false);
    VexilService::instance()->reportPv(QStringLiteral("parlavine_file_trans"));
}

void FileTransCtrl::loadSupportLang(bool force)
{
    if (!force && State::instance()->fileTransLangData().size() > 3)
        return;
    service->supportLang(onLangTableLoaded, false);
}

bool FileTransCtrl::checkLangSupport(const QString& feature, const QString& sourceLang,
                                     const QString& targetLang) const
{
    return TextTransService::pairRefused(State::instance()->fileTransLangData(), feature, sourceLang, targetLang);
}

// ---- Submission ---------------------------------------------------------------------------

void FileTransCtrl::translation(const QString& path, const QString& sourceLang, const QString& targetLang,
                                const QString& domain)
{
    // A drop hands over file URLs, encoded: spaces, "#", "%" and other scripts come back here.
    const QString local = path.startsWith(QLatin1String("file:")) ? QUrl(path).toLocalFile() : path;
    checkAndSubmit(local, sourceLang, targetLang, domain, false);
}

void FileTransCtrl::checkAndSubmit(const QString& path, const QString& sourceLang, const QString& targetLang,
                                   const QString& domain, bool queued)
{
    if (checkLangSupport(QStringLiteral("trans_file"), sourceLang, targetLang)) {
        Hud::warningInWindow(tr("当前语种对不支持文件翻译, 请重新选择"), QString(), {}, Main);
        stopped(queued);
        return;
    }
    const QFileInfo info(path);
    if (info.isDir()) {
        Hud::warningInWindow(tr("不能翻译文件夹"), QDir(path).dirName(), {}, Main);
        stopped(queued);
        return;
    }
    if (!info.isFile()) {
        log(QStringLiteral("fileTrans-not exist:%1"), path);
        Hud::warningInWindow(tr("文件不存在"), QString(), {}, Main);
        stopped(queued);
        return;
    }
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    const QString type = name.mid(name.lastIndexOf(QLatin1Char('.')) + 1).toLower();
    log(QStringLiteral("fileTrans-name:%1, %2"), name, type);
    if (!Constant::instance()->suffixList().contains(type)) {
        Hud::warningInWindow(tr("文件翻译不支持该类型") + QStringLiteral(":") + type, QString(), {}, Main);
        stopped(queued);
        return;
    }
    if (submittedNames.contains(name)) {
        askRepetition(path, name, sourceLang, targetLang, domain, queued);
        return;
    }
    submit({path, name, type, sourceLang, targetLang, domain}, queued);
}

void FileTransCtrl::stopped(bool queued)
{
    if (queued)
        translateNext();
}

void FileTransCtrl::askRepetition(const QString& path, const QString& name, const QString& sourceLang,
                                  const QString& targetLang, const QString& domain, bool queued)
{
    // Weak: a question nobody answers must not keep a released controller polling.
    const Weak weak = sharedFromThis();
    Hud::askStatic(
        tr("重复提交翻译任务，是否继续？"), tr("翻译文件：%1").arg(name),
        WeakOwner::ifAlive(weak,
                           [path, name, sourceLang, targetLang, domain, queued](FileTransCtrl& self) {
                               self.submittedNames.removeOne(name);
                               self.checkAndSubmit(path, sourceLang, targetLang, domain, queued);
                           }),
        WeakOwner::ifAlive(weak, [queued](FileTransCtrl& self) { self.stopped(queued); }),
        Main);
}

void FileTransCtrl::submit(const Upload& upload, bool queued)
{
    QFile probe(upload.path);
    if (!probe.open(QIODevice::ReadOnly)) {
        log(QStringLiteral("fileTrans-cant open io:%1"), upload.path);
        Hud::warning(tr("文件读取失败"), upload.path, Main);
        stopped(queued);
        return;
    }
    probe.close();
    // Before encoding starts: a second drop meanwhile is a repetition.
    submittedNames.append(upload.name);
    // The reply is awaited even when the page is left: it moves the queue on and lists the task.
    const QSharedPointer<FileTransCtrl> self = sharedFromThis();
    service->submitFile(upload.path, upload.name, upload.type, upload.sourceLang, upload.targetLang, upload.domain,
                        [self, upload](bool ok, const QVariantMap& reply) { self->onSubmitted(ok, reply, upload); });
}

void FileTransCtrl::transWithBrowser(const QString& sourceLang, const QString& targetLang)
{
    // The dialog's loop may release this controller (a Session-Out, for one).
    const QSharedPointer<FileTransCtrl> keep = sharedFromThis();
    const QString folder = QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/Downloads/"));
    log(QStringLiteral("transWithBrowser-open:%1"), fileFilter);
    GlobalCtrl::instance()->fileDialogOpen = true;
    const QStringList files = FileDialogs::current().openFiles(QString(), folder, fileFilter);
    if (GlobalCtrl* shell = GlobalCtrl::instance())
        shell->fileDialogOpen = false;
    log(QStringLiteral("transWithBrowser-close"));
    if (files.isEmpty())
        return;
    for (const QString& file : files) {
        log(QStringLiteral("transWithBrowser-select: %1"), file);
        pendingFiles.append({{QStringLiteral("path"), file},
                             {QStringLiteral("sourceLang"), sourceLang},
                             {QStringLiteral("targetLang"), targetLang}});
    }
    translateNext();
}

void FileTransCtrl::translateNext()
{
    if (pendingFiles.isEmpty()) {
        State::instance()->setFileTransStatus(0);
        return;
    }
    State::instance()->setFileTransStatus(4);
    const QVariantMap file = pendingFiles.takeFirst();
    checkAndSubmit(str(file, "path"), str(file, "sourceLang"), str(file, "targetLang"), QString(), true);
}

void FileTransCtrl::onSubmitted(bool ok, const QVariantMap& reply, const Upload& upload)
{
    translateNext();
    if (!ok) {
        if (reply.value(QStringLiteral("readFailed")).toBool()) {
            submittedNames.removeOne(upload.name);
            Hud::warning(tr("文件读取失败"), upload.name, Main);
        } else if (reply.value(QStringLiteral("exception")).toBool()) {
            submittedNames.removeOne(upload.name);
            Hud::error(tr("文件翻译异常"), QString(), {}, Main);
        } else {
            // The service has told the user already.
            keepFailedUpload(upload, NetworkFailure::describe(reply));
        }
        return;
    }
    const QString id = str(reply, "file_id");
    if (id.isEmpty()) {
        // No task to follow: polling "" would go on for ever.
        const QString reason = tr("服务器未返回任务编号");
        Hud::warningInWindow(tr("文件上传失败"), reason, {}, Main);
        keepFailedUpload(upload, reason);
        return;
    }
    setPollState(id, Waiting);
    if (!checkTimer)
        startCheckRuntime(true);
    FileTaskRecord record = Constant::fileTaskFromMap(reply);
    if (record.file_name.isEmpty()) {
        record.file_name = upload.name;
        record.fileType = upload.type;
    }
    record.source_lang = upload.sourceLang;
    record.target_lang = upload.targetLang;
    record.progress = 0;
    Constant::fileTaskStatus(record, QStringLiteral("preparing"), QString());
    State* state = State::instance();
    state->fileTransHistory.prepend(record);
    emit state->fileTransHistoryChange(0);
}

void FileTransCtrl::keepFailedUpload(const Upload& upload, const QString& reason)
{
    static int lastLocalId = 0;
    // Not a server id: no check, download or removal is ever sent for it.
    FileTaskRecord record(QStringLiteral("upload-failed:%1").arg(++lastLocalId), upload.name);
    record.fileType = upload.type;
    record.source_lang = upload.sourceLang;
    record.target_lang = upload.targetLang;
    record.progress = -1;
    record.progressState = FileTaskStatus::UploadFailed;
    record.statusText = reason.isEmpty() ? tr("服务器异常，请稍后重试") : reason;
    record.error_message = record.statusText;
    record.localPath = upload.path;
    record.text_domain = upload.domain;
    State* state = State::instance();
    state->fileTransHistory.prepend(record);
    emit state->fileTransHistoryChange(0);
}

void FileTransCtrl::retryUpload(const QString& fileId)
{
    const int row = failedRowOf(fileId);
    if (row < 0)
        return;
    State* state = State::instance();
    const FileTaskRecord failed = state->fileTransHistory.takeAt(row);
    emit state->fileTransHistoryChange(0);
    // Asked for by the user: the earlier attempt is no repetition.
    submittedNames.removeOne(failed.file_name);
    checkAndSubmit(failed.localPath, failed.source_lang, failed.target_lang, failed.text_domain, false);
}

// ---- Polling ------------------------------------------------------------------------------

void FileTransCtrl::setPollState(const QString& fileId, int state)
{
    QMutexLocker lock(&pollMutex);
    pollStates.insert(fileId, state);
}

void FileTransCtrl::dropPoll(const QString& fileId)
{
    QMutexLocker lock(&pollMutex);
    pollStates.remove(fileId);
}

QMap<QString, int> FileTransCtrl::pollSnapshot()
{
    QMutexLocker lock(&pollMutex);
    return pollStates;
}

int FileTransCtrl::pollInterval() const
{
    return checkTimer ? checkTimer->interval() : 0;
}

void FileTransCtrl::startCheckRuntime(bool quick)
{
    log(QStringLiteral("~~~~startCheckRuntime~~~~: %1"), quick ? QStringLiteral("quick") : QStringLiteral("slow"));
    stopCheckRuntime();
    checkTimer = new QTimer(this);
    checkTimer->setInterval(quick ? QuickPollMs : SlowPollMs);
    connect(checkTimer, &QTimer::timeout, this, &FileTransCtrl::checkTransProcess);
    checkTimer->start();
}

void FileTransCtrl::stopCheckRuntime()
{
    if (!checkTimer)
        return;
    log(QStringLiteral("~~~~stopCheckRuntime~~~~"));
    checkTimer->stop();
    checkTimer->disconnect();
    checkTimer->deleteLater(); // may be the timer whose tick is running
    checkTimer = nullptr;
}

void FileTransCtrl::onWindowActiveChanged()
{
    startCheckRuntime(State::instance()->windowActive());
}

void FileTransCtrl::checkTransProcess()
{
    QMap<QString, int> states = pollSnapshot();
    if (states.isEmpty()) {
        log(QStringLiteral("~~~~checkTransProcess: stop"));
        stopCheckRuntime();
        return;
    }
    log(QStringLiteral("~~~~checkTransProcess: check"));
    QStringList first;
    QStringList waiting;
    for (auto it = states.cbegin(); it != states.cend(); ++it) {
        if (it.value() == First)
            first.append(it.key());
        else if (it.value() != InFlight)
            waiting.append(it.key());
    }
    int started = 0;
    for (const QString& id : qAsConst(first)) {
        if (started == ChecksPerTick)
            break;
        setPollState(id, InFlight);
        transProcess(id);
        ++started;
    }
    for (const QString& id : qAsConst(waiting)) {
        if (started < ChecksPerTick) {
            setPollState(id, InFlight);
            transProcess(id);
            ++started;
        } else {
            setPollState(id, First);
        }
    }
}

void FileTransCtrl::transProcess(const QString& fileId)
{
    log(QStringLiteral("transProcess: %1"), fileId);
    if (fileId.isEmpty())
        return;
    const Weak weak = sharedFromThis();
    service->checkProcess(fileId, [weak, fileId](bool ok, const QVariantMap& reply) {
        if (const QSharedPointer<FileTransCtrl> self = weak.toStrongRef())
            self->onProcessChecked(fileId, ok, reply);
    });
}

void FileTransCtrl::onProcessChecked(const QString& keptId, bool ok, const QVariantMap& reply)
{
    if (!ok) {
        QMutexLocker lock(&pollMutex);
        // A task dropped meanwhile (removed, cancelled) is not brought back.
        if (pollStates.contains(keptId))
            pollStates.insert(keptId, Waiting);
        lock.unlock();
        onCheckFailed(reply);
        return;
    }
    checkFailureShown = false;
    QString id = str(reply, "file_id");
    log(QStringLiteral("checkProcess-success:%1, %2"), id, QString::number(reply.value("progress").toInt()));
    int row = rowOf(id);
    if (row < 0) {
        id = keptId;
        row = rowOf(id);
    }
    if (row < 0) {
        dropPoll(keptId); // nothing to show it in; the next list load brings it back if it runs on
        return;
    }
    applyProgress(row, id, reply);
    QMutexLocker lock(&pollMutex);
    if (id != keptId && pollStates.value(keptId, -1) == InFlight)
        pollStates.insert(keptId, Waiting);
}

void FileTransCtrl::applyProgress(int row, const QString& fileId, const QVariantMap& reply)
{
    State* state = State::instance();
    FileTaskRecord& record = state->fileTransHistory[row];
    const int progress = FileTaskRecord::boundedProgress(reply.value(QStringLiteral("progress")).toInt());
    log(QStringLiteral("checkProcess-update[%2]:%1, %3"), fileId, QString::number(row), QString::number(progress));
    const FileTaskRecord before = record;
    const QString stage = str(reply, "trans_status");
    const QString errorMessage = str(reply, "error_message");
    record.progress = progress;
    Constant::fileTaskStatus(record, stage, errorMessage);
    const bool ended = stage == QLatin1String("aborted") || stage == QLatin1String("canceled");
    if (progress < 100 && errorMessage.isEmpty() && !ended) {
        setPollState(fileId, Waiting);
    } else if (progress < 100 && !errorMessage.isEmpty()) {
        dropPoll(fileId);
        record.error_message = errorMessage;
        Hud::warning(tr("文件翻译失败"), errorMessage, Main);
    } else if (progress >= 100) {
        dropPoll(fileId);
        record.completed_time = str(reply, "completed_time");
    } else {
        dropPoll(fileId); // stopped by the server without a word
    }
    if (record.progress != before.progress || record.progressState != before.progressState ||
        record.statusText != before.statusText || record.error_message != before.error_message ||
        record.completed_time != before.completed_time)
        emit state->fileTransHistoryChange(row);
}

void FileTransCtrl::onCheckFailed(const QVariantMap& error)
{
    // Offline, every tick fails again: one toast until a check gets through.
    if (checkFailureShown)
        return;
    checkFailureShown = true;
    const QString title =
        error.contains(QStringLiteral("errorCode")) ? tr("网络异常，请检查网络") : tr("服务器异常，请稍后重试");
    Hud::warningInWindow(title, NetworkFailure::describe(error), {}, Main);
}

// ---- Task list and removal -----------------------------------------------------------------

void FileTransCtrl::updateTransList()
{
    State::instance()->setFileTransStatus(1);
    {
        QMutexLocker lock(&pollMutex);
        pollStates.clear();
    }
    const Weak weak = sharedFromThis();
    service->getList([weak](bool ok, const QVariantMap& reply) {
        const QSharedPointer<FileTransCtrl> self = weak.toStrongRef();
        if (!self || !ok) {
            log(QStringLiteral("updateTransList--strongSelf null"));
            State::instance()->setFileTransStatus(0);
            return;
        }
        self->onTransListLoaded(ok, reply);
    });
}

void FileTransCtrl::onTransListLoaded(bool, const QVariantMap& reply)
{
    // The server knows nothing of failed uploads: they stay on top until retried or deleted.
    QList<FileTaskRecord> records;
    for (const FileTaskRecord& record : qAsConst(State::instance()->fileTransHistory)) {
        if (record.isFailedUpload())
            records.append(record);
    }
    for (const QVariant& item : reply.value(QStringLiteral("file_list")).toList()) {
        const FileTaskRecord record = Constant::fileTaskFromMap(item.toMap());
        if (Constant::isUnfinished(record)) {
            QMutexLocker lock(&pollMutex);
            if (!pollStates.contains(record.file_id))
                pollStates.insert(record.file_id, Waiting);
        }
        records.append(record);
    }
    State* state = State::instance();
    state->fileTransHistory = records;
    emit state->fileTransHistoryChange(0);
    state->setFileTransStatus(0);
    if (pollSnapshot().isEmpty())
        return;
    // The timer has usually stopped by now: the running tasks are checked at once.
    if (!checkTimer)
        startCheckRuntime(state->windowActive());
    checkTransProcess();
}

void FileTransCtrl::removeTransHistory(const QVariantMap& task)
{
    const QString id = str(task, "id");
    const QString name = str(task, "name");
    if (!task.value(QStringLiteral("cancel")).toBool()) {
        const Weak weak = sharedFromThis();
        Hud::askStatic(
            tr("确认删除该文件吗？"),
            tr("文件：%1（%2）").arg(name, str(task, "time")) + QLatin1Char('\n') + tr("删除后不可恢复"),
            [weak, id] {
                if (const QSharedPointer<FileTransCtrl> self = weak.toStrongRef())
                    self->onRemoveConfirmed(id);
            },
            [] {}, Main);
        return;
    }
    dropPoll(id);
    submittedNames.removeOne(name);
    onRemoveConfirmed(id);
}

void FileTransCtrl::onRemoveConfirmed(const QString& fileId)
{
    State* state = State::instance();
    const int failedRow = failedRowOf(fileId);
    if (failedRow >= 0) {
        state->fileTransHistory.removeAt(failedRow);
        emit state->fileTransHistoryChange(0);
        return;
    }
    state->setFileTransStatus(3);
    const Weak weak = sharedFromThis();
    service->removeHis(fileId, [weak](bool ok, const QVariantMap& reply) {
        const QSharedPointer<FileTransCtrl> self = weak.toStrongRef();
        if (!self) {
            State::instance()->setFileTransStatus(0);
            return;
        }
        if (!ok)
            self->onRemoveFailed(reply);
        self->updateTransList();
    });
}

void FileTransCtrl::onRemoveFailed(const QVariantMap& error)
{
    // A dialog, not a toast: the reason stays until read. The list reload that follows drops
    // the tasks the server no longer has.
    const QString detail = NetworkFailure::describe(error);
    Hud::warning(tr("文件删除失败"), detail.isEmpty() ? tr("服务器异常，请稍后重试") : detail, Main);
}

// ---- Download -----------------------------------------------------------------------------

bool FileTransCtrl::decodeBase64(const QByteArray& text, QByteArray& out)
{
    if (text.isEmpty() || text.size() % 4 != 0)
        return false;
    const QByteArray::FromBase64Result result =
        QByteArray::fromBase64Encoding(text, QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!result)
        return false;
    out = result.decoded;
    return true;
}

QString FileTransCtrl::suggestedName(const QString& fileName, const QString& type)
{
    if (!validType(type))
        return QString();
    QString base = fileName;
    if (base.endsWith(QLatin1Char('.') + type))
        base.chop(type.size() + 1);
    base.remove(QLatin1Char('/')).remove(QLatin1Char('\\'));
    base = base.trimmed();
    static const QRegularExpression onlyDots(QStringLiteral("^\\.*$"));
    if (onlyDots.match(base).hasMatch())
        return QString();
    return base + QStringLiteral("_trans.") + type;
}

QString FileTransCtrl::downloadTarget(const QString& chosen, const QString& type)
{
    if (!validType(type) || chosen.isEmpty())
        return QString();
    QString target = chosen;
    if (target.startsWith(QLatin1String("file://")))
        target.remove(0, 7);
    if (!target.endsWith(QLatin1Char('.') + type, Qt::CaseInsensitive))
        target += QLatin1Char('.') + type;
    return target;
}

void FileTransCtrl::downloadTransHistory(const QString& fileId)
{
    State::instance()->setFileTransStatus(2);
    service->loadHis(fileId, &FileTransCtrl::onHistoryLoaded);
}

void FileTransCtrl::onHistoryLoaded(bool ok, const QVariantMap& reply)
{
    State::instance()->setFileTransStatus(0);
    if (!ok) {
        Hud::warningInWindow(tr("文件下载失败，请稍后重试"), NetworkFailure::describe(reply), {}, Main);
        return;
    }
    const QString type = str(reply, "content_type");
    const QString name = suggestedName(str(reply, "file_name"), type);
    QByteArray bytes;
    if (name.isEmpty() || !decodeBase64(reply.value(QStringLiteral("target_base64")).toString().toUtf8(), bytes)) {
        Hud::warning(tr("保存翻译文件失败"), QString(), Main);
        return;
    }
    QString folder = QuickStorage::instance()->getValue(QStringLiteral("fileTrans_download_dir"));
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/Downloads"));
    const QString suggested = folder + QDir::separator() + name;
    log(QStringLiteral("downloadTransHistory-open:%1"), suggested);
    const QString chosen = FileDialogs::current().saveFile(tr("保存翻译文件"), suggested, QString());
    if (chosen.isEmpty())
        return;
    const QString target = downloadTarget(chosen, type);
    QuickStorage::instance()->setValue(QStringLiteral("fileTrans_download_dir"), splitPath(target));
    // The dialog asked about the path it returned, not about one with the type added.
    if (target != chosen && QFileInfo::exists(target)) {
        Hud::askStatic(
            tr("文件已存在，是否替换？"), target, [target, bytes] { saveDownload(target, bytes); }, [] {}, Main);
        return;
    }
    saveDownload(target, bytes);
}

void FileTransCtrl::saveDownload(const QString& target, const QByteArray& bytes)
{
    // Written aside and moved into place, so a failure leaves no file and no damaged old one.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        file.cancelWriting();
        Hud::warning(tr("保存翻译文件失败"), QString(), Main);
        return;
    }
    Hud::info(tr("翻译文件保存成功"), target, Main);
}
