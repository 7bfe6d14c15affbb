#include "core/State.h"

#include "core/AppConfig.h"
#include "core/Constant.h"
#include "core/FontSizeTable.h"
#include "core/Log.h"
#include "core/QuickStorage.h"
#include "core/ThemeColorTable.h"
#include "core/User.h"

#include <QFileInfo>
#include <QSysInfo>
#include <QSystemTrayIcon>

#include <algorithm>

static State* s_state = nullptr;
static bool s_stateDestroyed = false;

namespace {

QVariantMap langEntry(const QString& name, bool space, int prio, const QString& target = QString())
{
    QVariantMap entry{{"name", name}, {"space", space}, {"prio", prio}};
    if (!target.isEmpty()) {
        entry.insert("target", QStringList{target});
        entry.insert("targetPrf", QStringList{target});
    }
    return entry;
}

QString subPlatformFrom(const QString& productVersion)
{
    if (productVersion.startsWith(QLatin1String("7")))
        return QStringLiteral("7");
    if (productVersion.startsWith(QLatin1String("xp")))
        return QStringLiteral("xp");
    return productVersion;
}

// The row of the first sentence on a page whose "id" reads as the given text, or -1.
int sentenceRow(const QVariantList& page, const QString& id)
{
    for (int row = 0; row < page.size(); ++row) {
        if (page.at(row).toMap().value("id").toString() == id)
            return row;
    }
    return -1;
}

// A field of the signed-in user, or the fallback once User is gone at exit.
template <class T>
T fromUser(T User::*field, T fallback = T())
{
    const User* user = User::instance();
    return user ? user->*field : fallback;
}

} // namespace

// The term and memory repositories are twins: one description of which members and signals
// belong to a kind lets every page operation serve both.
struct State::RepoKind
{
    QVariantMap& map;
    int& sentIndex;
    void (State::*listChange)(int);
    void (State::*mapChange)();
    void (State::*detailChange)(int);
    void (State::*sentIndexChange)();
};

State* State::instance()
{
    if (!s_state && !s_stateDestroyed)
        s_state = new State;
    return s_state;
}

State::State(QObject* parent) : QObject(parent)
{
    m_version = QString("%1%2(%3)").arg("Alpha", "0.11.0", "20240229");
    m_subPlatform = subPlatformFrom(QSysInfo::productVersion());
    m_mainWindowSize = {{"width", 1600}, {"height", 900}, {"minHeight", 600}, {"minWidth", 960}};
    m_updateInfo = {{"version", m_version}, {"desc", QString()},  {"url", QString()},
                    {"support", QString()}, {"pkg", QString()},   {"type", platform()},
                    {"state", 0},           {"force", false},     {"progress", 0}};
    m_copyTransData = {{"source", QString()}, {"target", QString()}, {"sourceLang", "auto"},
                       {"targetLang", "en"},  {"autoLang", true},    {"stayOn", false},
                       {"x", 0},              {"y", 0},              {"scale", 1},
                       {"alpha", 255},        {"state", 0},          {"posi", "righttop"},
                       {"posiXoff", 8},       {"posiYoff", 8},       {"from", QString()}};
    m_screenshotTransData = {{"source", QString()}, {"target", QString()}, {"sourceLang", "auto"},
                             {"targetLang", "en"},  {"autoLang", true},    {"state", 0}};
    m_quickTransfileData = {{"path", QString()}, {"name", QString()}, {"type", QString()}, {"typeValid", false}};

    const QVariantMap zh = langEntry(QStringLiteral("中文"), false, 2, QStringLiteral("en"));
    const QVariantMap en = langEntry(QStringLiteral("英语"), true, 1, QStringLiteral("zh"));
    m_textTransLangData = {{"auto", langEntry(QStringLiteral("自动选择"), true, 3)}, {"zh", zh}, {"en", en}};
    m_fileTransLangData = {{"zh", zh}, {"en", en}};

    // An absent key reads as "", which is not "0": those switches start on.
    const QuickStorage* settings = QuickStorage::instance();
    const auto notOff = [settings](const char* key) { return settings->getValue(key) != QLatin1String("0"); };
    m_transAutoMergeBreak = notOff("textTrans_autoMergeBreak");
    m_copyTransBySelect = settings->getValue("copy_trans") == QLatin1String("1");
    m_copyTransAutoDetail = notOff("copy_trans_auto_detail");
    m_copyTransAutoMergeBreak = notOff("copy_trans_auto_merge_break");
    m_copyTransQuickOpen = notOff("copy_trans_quick");
    m_copyTransCCOpen = notOff("copy_trans_cc");

    setWindowFontSize(0);
    setThemeColor(0);
}

State::~State()
{
    log("State delete");
    s_state = nullptr;
    s_stateDestroyed = true;
}

bool State::isRelease() const
{
    return true;
}

QVariantMap State::webLinks() const
{
    return {{"site", AppConfig::productSiteUrl()},
            {"testSite", AppConfig::testSiteUrl()},
            {"feedback", AppConfig::feedbackUrl()},
            {"chatGroup", AppConfig::chatGroupUrl()},
            {"loginWeb", AppConfig::webUrl()}};
}

QString State::platform() const
{
    return QStringLiteral("linux");
}

bool State::systemTrayAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

// The user properties read User at every read; whoever changes User emits their signals.
QString State::userName() const
{
    return fromUser(&User::userName);
}

QString State::userEmail() const
{
    return fromUser(&User::userEmail);
}

QString State::userLogo() const
{
    return fromUser(&User::userLogo);
}

double State::userBalance() const
{
    return fromUser(&User::userBalance, -1.0);
}

QString State::userApiToken() const
{
    return fromUser(&User::userApiToken);
}

QString State::userDefaultWorkgroup() const
{
    return fromUser(&User::userDefaultWorkgroup);
}

QString State::userChargeType() const
{
    return fromUser(&User::userChargeType);
}

int State::userLoginType() const
{
    return fromUser(&User::userLoginType);
}

bool State::userLogined() const
{
    const User* user = User::instance();
    return user && !user->isLoggedOut();
}

bool State::userSessionUpdating() const
{
    return fromUser(&User::userSessionUpdating);
}

bool State::isUserAutoLogin() const
{
    return fromUser(&User::isUserAutoLogin);
}

bool State::isChineseUi() const
{
    return m_language == QLatin1String("zh") || m_language == QLatin1String("zh-Hant");
}

void State::notifyUserInfo()
{
    emit userNameChange();
    emit userEmailChange();
    emit userApiTokenChange();
    emit userLogoChange();
}

void State::setShowCopyTransTrigger(bool show)
{
    if (m_showCopyTransTrigger != show) {
        m_showCopyTransTrigger = show;
        emit showCopyTransTriggerChange();
    }
    if (m_windowStayBottom != show) {
        m_windowStayBottom = show;
        emit windowStayBottomChange();
    }
}

void State::setShowCopyTransDetail(bool show)
{
    if (m_showCopyTransDetail == show)
        return;
    // A pinned detail window is not hidden this way.
    if (!show && m_copyTransData.value("stayOn").toBool())
        return;
    m_showCopyTransDetail = show;
    emit showCopyTransDetailChange();
}

void State::setTextTransSource(const QString& text, bool requestTranslation)
{
    if (!requestTranslation) {
        m_textTransSourceRequestBlock = 2;
        emit textTransSourceRequestBlockChange();
    }
    m_textTransSource = text;
    emit textTransSourceChange();
    // The toggle lets QML react even when the same text is set again.
    m_textTransSourceTrigger = !m_textTransSourceTrigger;
    emit textTransSourceTriggerChange();
}

void State::setTextTransResult(const QString& value)
{
    m_textTransResult = value;
    m_textTransResultHumanModified = false;
    emit textTransResultChange();
}

void State::setCopyTransData(int state)
{
    m_copyTransData.insert("state", state);
    emit copyTransDataChange();
}

void State::setScreenshotTransData(int state)
{
    m_screenshotTransData.insert("state", state);
    emit screenshotTransDataChange();
}

void State::setTermRepoCurId(const QString& id)
{
    const bool changed = m_termRepoCurId != id;
    m_termRepoCurId = id;
    if (changed) {
        emit termRepoCurIdChange();
        emit termRepoDetailChange(0);
    }
}

void State::setTermSentRepoCurId(const QString& id)
{
    const bool changed = m_termSentRepoCurId != id;
    m_termSentRepoCurId = id;
    if (changed) {
        emit termSentRepoCurIdChange();
        emit termSentRepoDetailChange(0);
    }
}

void State::setThemeColor(int type)
{
    m_windowColor = ThemeColorTable::forType(type);
    emit windowColorChange();
}

void State::setWindowFontSize(int level)
{
    m_windowFontSize = FontSizeTable::forLevel(level, startScreenScale);
    emit windowFontSizeChange();
}

void State::addTextTransHistory(const QVariantList& entries, bool append)
{
    if (append)
        textTransHistory.append(entries);
    else
        textTransHistory = entries;
}

void State::removeTextTransHistory(int index)
{
    if (index >= 0 && index < textTransHistory.size())
        textTransHistory.removeAt(index);
}

void State::addWindowHud(const QVariantMap& request)
{
    m_windowHud.append(request);
    emit windowHudChange();
}

void State::removeWindowHud(int tag)
{
    for (int i = 0; i < m_windowHud.size(); ++i) {
        if (m_windowHud.at(i).toMap().value("tag").toInt() == tag) {
            m_windowHud.removeAt(i);
            emit windowHudChange();
            return;
        }
    }
}

void State::indexEnglishNames(const QVariantMap& table)
{
    // QVariantMap iterates in ascending code order: a later code wins a shared name.
    for (auto it = table.cbegin(); it != table.cend(); ++it)
        langCodeByEnName.insert(it.value().toMap().value("enName").toString().toLower(), it.key());
}

void State::setTextTransLangData(const QVariantMap& value)
{
    m_textTransLangData = value;
    indexEnglishNames(value);
    emit textTransLangDataChange();
}

void State::setFileTransLangData(const QVariantMap& table)
{
    m_fileTransLangData = table;
    indexEnglishNames(table);
    emit fileTransLangDataChange();
}

void State::setQuickTransfileData(const QString& path)
{
    QStringList parts = path.split('/');
    if (parts.size() == 1)
        parts = path.split('\\');
    const QString name = parts.last();
    const QString type = name.mid(name.lastIndexOf('.') + 1).toLower();
    // A folder named like a document is no document.
    const bool typeValid = Constant::instance()->suffixList().contains(type) && !QFileInfo(path).isDir();
    m_quickTransfileData = {{"path", path}, {"name", name}, {"type", type}, {"typeValid", typeValid}};
    emit quickTransfileDataChange();
}

State::RepoKind State::termRepos()
{
    return {m_termRepoMap,
            m_termRepoSentIndex,
            &State::termRepoListChange,
            &State::termRepoMapChange,
            &State::termRepoDetailChange,
            &State::termRepoSentIndexChange};
}

State::RepoKind State::termSentRepos()
{
    return {m_termSentRepoMap,
            m_termSentRepoSentIndex,
            &State::termSentRepoListChange,
            &State::termSentRepoMapChange,
            &State::termSentRepoDetailChange,
            &State::termSentRepoSentIndexChange};
}

void State::setRepoList(const RepoKind& kind, const QVariantMap& repositories, bool append)
{
    int start = 0;
    if (append) {
        start = kind.map.size();
        for (auto it = repositories.cbegin(); it != repositories.cend(); ++it)
            kind.map.insert(it.key(), it.value());
    } else {
        kind.map = repositories;
    }
    emit(this->*kind.listChange)(start);
    emit(this->*kind.mapChange)();
}

void State::updateRepoSentences(const RepoKind& kind, const QString& repoId, int page, const QVariantList& sentences,
                                int sentenceCount, int pageCount)
{
    if (!kind.map.contains(repoId))
        return;
    QVariantMap entry = kind.map.value(repoId).toMap();
    QVariantMap pages = entry.value("sentences").toMap();
    pages.insert(QString::number(page), sentences);
    entry.insert("sentences", pages);
    // A server's negative count would show as "-1" entries and pages.
    entry.insert("sentenceCount", std::max(sentenceCount, 0));
    entry.insert("pageCount", std::max(pageCount, 0));
    kind.map.insert(repoId, entry);
    kind.sentIndex = sentences.isEmpty() ? -1 : 0;
    emit(this->*kind.detailChange)(0);
    emit(this->*kind.sentIndexChange)();
    emit(this->*kind.mapChange)();
}

void State::updateRepoSentence(const RepoKind& kind, const QString& repoId, int page, const QString& id,
                               const QString& source, const QString& target)
{
    if (!kind.map.contains(repoId))
        return;
    QVariantMap entry = kind.map.value(repoId).toMap();
    QVariantMap pages = entry.value("sentences").toMap();
    const QString pageKey = QString::number(page);
    QVariantList sentences = pages.value(pageKey).toList();
    const int row = sentenceRow(sentences, id);
    if (row < 0)
        return;
    QVariantMap sentence = sentences.at(row).toMap();
    sentence.insert("source", source);
    sentence.insert("target", target);
    sentences[row] = sentence;
    pages.insert(pageKey, sentences);
    entry.insert("sentences", pages);
    kind.map.insert(repoId, entry);
    emit(this->*kind.mapChange)();
    emit(this->*kind.detailChange)(row);
}

int State::removeRepoSentence(const RepoKind& kind, const QString& repoId, int page, const QString& id)
{
    if (!kind.map.contains(repoId))
        return -1;
    QVariantMap entry = kind.map.value(repoId).toMap();
    QVariantMap pages = entry.value("sentences").toMap();
    const QString pageKey = QString::number(page);
    QVariantList sentences = pages.value(pageKey).toList();
    const int row = sentenceRow(sentences, id);
    if (row < 0)
        return -1;
    sentences.removeAt(row);
    pages.insert(pageKey, sentences);
    entry.insert("sentences", pages);
    entry.insert("sentenceCount", std::max(entry.value("sentenceCount").toInt() - 1, 0));
    kind.map.insert(repoId, entry);
    emit(this->*kind.mapChange)();
    emit(this->*kind.detailChange)(row);
    return sentences.size();
}

void State::setTermRepoList(const QVariantMap& repositories, bool append)
{
    setRepoList(termRepos(), repositories, append);
}

void State::setTermSentRepoList(const QVariantMap& repositories, bool append)
{
    setRepoList(termSentRepos(), repositories, append);
}

void State::updateTermRepoSentences(const QString& repoId, int page, const QVariantList& sentences,
                                    int sentenceCount, int pageCount)
{
    updateRepoSentences(termRepos(), repoId, page, sentences, sentenceCount, pageCount);
}

void State::updateTermSentRepoSentences(const QString& repoId, int page, const QVariantList& sentences,
                                        int sentenceCount, int pageCount)
{
    updateRepoSentences(termSentRepos(), repoId, page, sentences, sentenceCount, pageCount);
}

void State::updateTermRepoSentence(const QString& repoId, int page, const QString& id, const QString& source,
                                   const QString& target)
{
    updateRepoSentence(termRepos(), repoId, page, id, source, target);
}

void State::updateTermSentRepoSentence(const QString& repoId, int page, const QString& id, const QString& source,
                                       const QString& target)
{
    updateRepoSentence(termSentRepos(), repoId, page, id, source, target);
}

int State::removeTermRepoSentences(const QString& repoId, int page, const QString& id)
{
    return removeRepoSentence(termRepos(), repoId, page, id);
}

int State::removeTermSentRepoSentences(const QString& repoId, int page, const QString& id)
{
    return removeRepoSentence(termSentRepos(), repoId, page, id);
}
