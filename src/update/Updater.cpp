#include "update/Updater.h"

#include "core/AppConfig.h"
#include "core/Hud.h"
#include "core/SimpleStorage.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/Util.h"
#include "update/DebArchiveCheck.h"
#include "update/FileDownloader.h"
#include "update/GlobalService.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QUrl>

namespace {

const QString UpdateWindow = QStringLiteral("update");
const QString BlockKey = QStringLiteral("versionBlock");
const QString BlockTimeKey = QStringLiteral("versionBlockTime");
constexpr quint32 RecheckSeconds = 86400;

// A package comes over https; plain http only from the service's own host (the stand-in's case).
bool isTrustedSource(const QUrl& source)
{
    if (source.scheme() == QLatin1String("https"))
        return true;
    return source.scheme() == QLatin1String("http")
           && source.host().compare(QUrl(AppConfig::apiUrl()).host(), Qt::CaseInsensitive) == 0;
}

// Earlier versions kept packages they had not checked: only a whole one is offered again.
bool isWholePackage(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    DebArchiveCheck check;
    while (!file.atEnd())
        check.feed(file.read(1 << 20));
    return check.isWhole();
}

// Unsigned 32-bit like the stored times: a stored time in the future counts as long ago.
quint32 secondsSince(quint32 then)
{
    return TimeUtil::currentTimestamp() - then;
}

} // namespace

Updater::Updater(QObject* parent)
    : QObject(parent)
    , m_downloader(new FileDownloader)
{
    connect(m_downloader, &FileDownloader::downloadProgress, this, &Updater::downloadProgress);
    connect(m_downloader, &FileDownloader::downloadFinished, this, &Updater::downloadFinished);
    connect(m_downloader, &FileDownloader::downloadError, this, &Updater::downloadError);
    m_retryTimer.setSingleShot(true);
    connect(&m_retryTimer, &QTimer::timeout, this, [this] { checkVersion(false, true); });
}

Updater::~Updater()
{
    m_downloader->disconnect(this);
    delete m_downloader;
}

QString Updater::packageFolder()
{
    return AppConfig::dataDir() + QStringLiteral("/UpdatePkg");
}

QString Updater::packageFileName(const QString& url)
{
    // Split before decoding, so an encoded "/" cannot hide a folder in the name.
    const QString path = QUrl(url, QUrl::TolerantMode).path(QUrl::FullyEncoded);
    const QString name = QUrl::fromPercentEncoding(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1).toLatin1());
    if (name == QLatin1String(".") || name == QLatin1String("..") || name.contains(QLatin1Char('/'))
        || name.contains(QLatin1Char('\\')))
        return QString();
    // A NUL would cut the name the file gets on disk short of the ".deb" checked here.
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QString();
    }
    return name;
}

QString Updater::installFailureText(const QString& reason)
{
    // The reasons the install script gives.
    static const struct
    {
        const char* reason;
        const char* words;
    } reasons[] = {
        {"timeout", QT_TRANSLATE_NOOP("Updater", "程序没有及时退出，更新未安装。")},
        {"not-deb", QT_TRANSLATE_NOOP("Updater", "安装包不是 Debian 软件包。")},
        {"no-pkexec", QT_TRANSLATE_NOOP("Updater", "系统中没有 pkexec，无法取得安装所需的权限。")},
        {"cancelled", QT_TRANSLATE_NOOP("Updater", "授权已取消，更新未安装。")},
        {"not-authorized", QT_TRANSLATE_NOOP("Updater", "没有获得安装权限（授权被拒绝，或没有认证代理）。")},
        {"copy-failed", QT_TRANSLATE_NOOP("Updater", "无法读取安装包。")},
        {"install-failed", QT_TRANSLATE_NOOP("Updater", "软件包管理器没有安装此安装包。")},
    };
    QString why = tr("更新未能安装。");
    for (const auto& known : reasons) {
        if (reason == QLatin1String(known.reason))
            why = tr(known.words);
    }
    return why + QLatin1Char('\n') + tr("详情见日志：%1").arg(AppConfig::dataDir() + QStringLiteral("/update-install.log"));
}

void Updater::reportInstallFailure()
{
    const QString reason = AppConfig::takeUpdateFailure();
    if (!reason.isEmpty())
        Hud::warning(tr("安装异常"), installFailureText(reason));
}

void Updater::publish(const QVariantMap& changes)
{
    State* state = State::instance();
    QVariantMap info = state->updateInfo();
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        info.insert(it.key(), it.value());
    state->setUpdateInfo(info);
}

bool Updater::holdsPackage() const
{
    return m_downloader->isRunning() || m_installQuestionOpen;
}

void Updater::checkVersion(bool show, bool force)
{
    m_retryTimer.stop();
    if (!holdsPackage())
        publish({{QStringLiteral("state"), 0}});
    QPointer<Updater> self(this);
    GlobalService::checkVersion([self, show, force](bool ok, const QVariantMap& data) {
        if (self)
            self->onCheckVersion(show, force, ok, data);
    });
}

void Updater::onCheckVersion(bool show, bool force, bool ok, const QVariantMap& data)
{
    if (holdsPackage()) {
        // The package being fetched or awaiting its install answer stays the one shown; a user's
        // check brings its window back, with the question the user may have closed it on.
        if (show)
            openWindow();
        return;
    }
    if (!ok && force && !data.contains(QStringLiteral("version")))
        m_retryTimer.start(AppConfig::updateRetryMs());
    bool showWindow = show;
    if (ok && data.value(QStringLiteral("isLastest")).toBool()) {
        publish({{QStringLiteral("state"), 1}});
        removePkgDir();
    } else if (ok) {
        writeOffer(force, data);
        const QString version = data.value(QStringLiteral("version")).toString();
        if (data.value(QStringLiteral("url")).toString().isEmpty()) {
            showWindow = false;
            publish({{QStringLiteral("state"), -1}, {QStringLiteral("desc"), tr("检查异常")}});
        } else if (version == SimpleStorage::instance()->get(BlockKey).toString()) {
            const quint32 blockedAt = SimpleStorage::instance()->get(BlockTimeKey).toUInt();
            showWindow = showWindow || secondsSince(blockedAt) > RecheckSeconds;
        } else {
            showWindow = true;
        }
    } else {
        const QString desc = data.contains(QStringLiteral("version")) ? tr("版本信息校验失败") : tr("检查异常");
        publish({{QStringLiteral("state"), -1}, {QStringLiteral("desc"), desc}});
    }
    if (showWindow)
        openWindow();
}

void Updater::openWindow()
{
    State::instance()->setShowUpdateWindow(false);
    State::instance()->setShowUpdateWindow(true);
}

void Updater::writeOffer(bool force, const QVariantMap& data)
{
    publish({{QStringLiteral("state"), 2},
             {QStringLiteral("progress"), 0},
             {QStringLiteral("version"), data.value(QStringLiteral("version")).toString()},
             {QStringLiteral("desc"), data.value(QStringLiteral("desc")).toString()},
             {QStringLiteral("url"), data.value(QStringLiteral("url")).toString()},
             {QStringLiteral("force"), force},
             {QStringLiteral("pkg"), QString()}});
}

void Updater::findConfig()
{
    QPointer<Updater> self(this);
    GlobalService::findConfig(QStringLiteral("desktop"), [self](bool, const QVariantMap& data) {
        if (self)
            self->onFindConfig(data);
    });
}

void Updater::onFindConfig(const QVariantMap& data)
{
    const QVariantMap config = mapFromStr(data.value(QStringLiteral("text")).toString());
    if (!config.value(QStringLiteral("blackwhite")).toBool())
        return;
    State::instance()->setAppThemeStyle(QStringLiteral("blackwhite"));
}

void Updater::onWindowReActive()
{
    if (m_lastCheckTime == 0) {
        m_lastCheckTime = TimeUtil::currentTimestamp();
        return;
    }
    if (secondsSince(m_lastCheckTime) <= RecheckSeconds)
        return;
    checkVersion(false, true);
    findConfig();
    m_lastCheckTime = TimeUtil::currentTimestamp();
}

void Updater::blockVersion(const QString& version)
{
    SimpleStorage::instance()->set(BlockKey, version);
    SimpleStorage::instance()->set(BlockTimeKey, TimeUtil::currentTimestamp());
}

void Updater::cancelDownload()
{
    m_downloader->cancel();
}

int Updater::downloadPkg(const QString& url)
{
    if (url.isEmpty())
        return -100;
    const QString folder = packageFolder();
    if (!QDir().mkpath(folder))
        return -200;
    const QString name = packageFileName(url);
    if (name.isEmpty())
        return -300;
    const QUrl source(url, QUrl::TolerantMode);
    if (!isTrustedSource(source))
        return -400;
    const QString path = folder + QLatin1Char('/') + name;
    const bool present = QFileInfo(path).isFile() && isWholePackage(path);
    publish({{QStringLiteral("state"), 3},
             {QStringLiteral("progress"), present ? 1.0f : 0.0f},
             {QStringLiteral("pkg"), path}});
    if (present) {
        QPointer<Updater> self(this);
        askToInstall([self, source, path](const Hud::Callback& onSure, const Hud::Callback& onCancel) {
            Hud::ask(tr("检测到已下载安装包，是否直接安装？"), QString(), tr("安装"), tr("重新下载"), onSure,
                     [self, source, path, onCancel] {
                         onCancel();
                         if (self)
                             self->m_downloader->download(source, path);
                     },
                     UpdateWindow);
        });
    } else {
        m_downloader->download(source, path);
    }
    return 0;
}

void Updater::askToInstall(const Question& question)
{
    m_installQuestionOpen = true;
    QPointer<Updater> self(this);
    question(
        [self] {
            if (!self)
                return;
            self->m_installQuestionOpen = false;
            self->runInstallScript();
        },
        [self] {
            if (self)
                self->m_installQuestionOpen = false;
        });
}

void Updater::removePkgDir()
{
    QDir folder(packageFolder());
    if (folder.exists())
        folder.removeRecursively();
}

void Updater::downloadProgress(qlonglong bytesRead, qlonglong totalBytes)
{
    // An unknown or empty total shows an indeterminate bar, never a fraction.
    const QVariant progress = totalBytes > 0 ? QVariant(float(bytesRead) / float(totalBytes)) : QVariant(-1);
    publish({{QStringLiteral("progress"), progress}});
}

void Updater::downloadFinished()
{
    publish({{QStringLiteral("progress"), 1.0f}});
    QPointer<Updater> self(this);
    askToInstall([self](const Hud::Callback& onSure, const Hud::Callback& onCancel) {
        Hud::askStatic(tr("更新下载完成"), tr("需重启应用, 重启时会自动安装更新"), onSure,
                       [self, onCancel] {
                           onCancel();
                           if (self)
                               self->resetDownloadState();
                       },
                       UpdateWindow);
    });
}

void Updater::downloadError(QString errorString)
{
    publish({{QStringLiteral("progress"), -100}});
    Hud::warningInWindow(tr("更新下载失败"), errorString, {}, UpdateWindow);
}

void Updater::resetDownloadState()
{
    publish({{QStringLiteral("state"), 2}, {QStringLiteral("progress"), 0}});
}

void Updater::setExitHandler(std::function<void(int)> handler)
{
    m_exitHandler = std::move(handler);
}

void Updater::runInstallScript()
{
    const QString script = AppConfig::updateInstallScript();
    const QString package = State::instance()->updateInfo().value(QStringLiteral("pkg")).toString();
    if (script.isEmpty() || package.isEmpty())
        return;
    if (package.endsWith(QLatin1String(".deb"), Qt::CaseInsensitive)) {
        QProcess installer;
        installer.setProgram(script);
        installer.setArguments({package, QCoreApplication::applicationFilePath()});
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("PARLAVINE_UPDATE_PID"), QString::number(QCoreApplication::applicationPid()));
        installer.setProcessEnvironment(environment);
        if (installer.startDetached()) {
            if (m_exitHandler)
                m_exitHandler(0);
            else
                QCoreApplication::exit(0);
            return;
        }
    }
    Hud::warningInWindow(tr("安装异常"), QString(), {}, UpdateWindow);
    resetDownloadState();
}
