#include "texttrans/TextTransHistoryList.h"

#include "core/Debounce.h"
#include "core/Log.h"
#include "core/State.h"
#include "core/TimeUtil.h"
#include "core/WeakOwner.h"
#include "network/RequestService.h"
#include "texttrans/TextTransHistory.h"
#include "texttrans/TextTransService.h"
#include "texttrans/TextTransStorage.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>

using namespace TextTrans;

namespace {

constexpr int HistoryDebounceMs = 10000;
// How long quitting waits for a last history save to be answered.
constexpr int QuitSaveWaitMs = 3000;
constexpr int RefreshAfterSaves = 6;
constexpr int KeptHistoryEntries = 20;

} // namespace

TextTransHistoryList::TextTransHistoryList(QSharedPointer<TextTransService> service,
                                           std::function<void(const QString&)> copyToClipboard)
    : service(std::move(service)), copyToClipboard(std::move(copyToClipboard))
{
    historyDebounce = std::make_unique<Debounce>(HistoryDebounceMs);
    lastSavedKey = QStringList{QString(), QString(), QString()};
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &TextTransHistoryList::sendHistorySaveBeforeQuit);
}

TextTransHistoryList::~TextTransHistoryList()
{
    historyDebounce.reset();
    // A translation finished just before the page closed still belongs in the history.
    sendHistorySave();
    if (State* state = State::instance()) {
        // Cut quietly: the list's views are gone or about to be.
        QVariantList& history = state->textTransHistory;
        while (history.size() > KeptHistoryEntries)
            history.removeLast();
    }
}

bool TextTransHistoryList::addTransHistory(const QString& text, const QString& sourceLang, const QString& result,
                                    const QString& targetLang, const QVariantList& sourceSpans,
                                    const QVariantList& resultSpans)
{
    // The program's clock may say the interval has passed before the timer does.
    if (pendingSave && TimeUtil::currentMSecsSinceEpoch() >= pendingSaveDueMSecs) {
        historyDebounce->stop();
        sendHistorySave();
    }
    if (text.isEmpty() || lastSavedKey == QStringList{text, sourceLang, targetLang})
        return false;
    pendingSave = HistorySave{text,        sourceLang,  result, targetLang,
                              sourceSpans, resultSpans, State::instance()->textTransResultHumanModified()};
    pendingSaveDueMSecs = TimeUtil::currentMSecsSinceEpoch() + HistoryDebounceMs;
    const WeakSelf weak = sharedFromThis();
    historyDebounce->run(WeakOwner::ifAlive(weak, [](TextTransHistoryList& self) { self.sendHistorySave(); }));
    return true;
}

void TextTransHistoryList::sendHistorySave(const std::function<void()>& answered)
{
    // At exit the request service may already be gone; the quit handler has sent the save by then.
    if (!pendingSave || !RequestService::instance())
        return;
    const HistorySave save = *pendingSave;
    pendingSave.reset();
    lastSavedKey = QStringList{save.text, save.sourceLang, save.targetLang};
    // Null while the controller is being destroyed: the reply then only ends the wait.
    const auto saved = WeakOwner::ifAlive(WeakSelf(sharedFromThis()),
                                          [save](TextTransHistoryList& self, bool ok, const QVariantMap& data) {
                                              if (ok)
                                                  self.onHistorySaved(save, data);
                                          });
    service->addTransHistory(save.text, save.result, save.sourceSpans, save.resultSpans, save.sourceLang,
                             save.targetLang, save.humanModified,
                             [saved, answered](bool ok, const QVariantMap& data) {
                                 if (answered)
                                     answered();
                                 saved(ok, data);
                             });
}

void TextTransHistoryList::sendHistorySaveBeforeQuit()
{
    if (!pendingSave)
        return;
    historyDebounce->stop();
    // The event loop has ended: the request leaves only while a loop of our own runs.
    QEventLoop loop;
    const QPointer<QEventLoop> waiting(&loop);
    sendHistorySave([waiting] {
        if (waiting)
            waiting->quit();
    });
    QTimer::singleShot(QuitSaveWaitMs, &loop, &QEventLoop::quit);
    loop.exec();
}

void TextTransHistoryList::onHistorySaved(const HistorySave& save, const QVariantMap& data)
{
    ++addedCount;
    const QString id = data.value(QStringLiteral("id")).toString();
    listedIds.insert(id);
    QVariantMap entry{{QStringLiteral("id"), id},
                      {QStringLiteral("text"), save.text},
                      {QStringLiteral("result"), save.result},
                      {QStringLiteral("cloud"), false},
                      {QStringLiteral("clip"), false}};
    // Server pages name the languages in lower-case English; saved entries do the same.
    const QVariantMap langs = State::instance()->textTransLangData();
    const auto nameOf = [&langs](const QString& code) {
        return langs.value(code).toMap().value(QStringLiteral("enName")).toString().toLower();
    };
    if (langs.contains(save.sourceLang))
        entry.insert(QStringLiteral("sourceLang"), nameOf(save.sourceLang));
    if (langs.contains(save.targetLang))
        entry.insert(QStringLiteral("targetLang"), nameOf(save.targetLang));
    State* state = State::instance();
    state->textTransHistory.prepend(entry);
    emit state->textTransHistoryChange(0);
    log(QStringLiteral("TextTransHistoryList::addTransHistory: success"), entry);
}

void TextTransHistoryList::refreshTransHistory(bool refresh, bool force)
{
    if (refresh && !force) {
        if (addedCount < RefreshAfterSaves) {
            log(QStringLiteral("TextTransHistoryList::refreshTransHistory: ignore refresh"));
            return;
        }
        addedCount = 0;
    }
    if (refresh) {
        // A forced refresh supersedes one on its way, which may predate what was saved since.
        if (historyLoadState == 2 && !force)
            return;
        historyLoadState = 2;
        ++historyGeneration;
        listedIds.clear();
    } else {
        if (historyLoadState == -1 || historyLoadState == 1)
            return;
        historyLoadState = 1;
    }
    const int listed = State::instance()->textTransHistory.size();
    const int page = refresh ? 0 : nextHistoryPage(listed);
    const WeakSelf weak = sharedFromThis();
    const int generation = historyGeneration;
    service->findTransHistoryByPage(
        page, HistoryPageSize,
        WeakOwner::ifAlive(weak, [refresh, listed, generation](TextTransHistoryList& self, bool ok, const QVariantMap& data) {
            if (generation != self.historyGeneration)
                return;
            self.historyLoadState = 0;
            if (ok)
                self.onHistoryPage(refresh, listed, data);
        }));
}

void TextTransHistoryList::onHistoryPage(bool refresh, int listed, const QVariantMap& data)
{
    // A refresh lists anew: what was listed meanwhile (pages, saves) is in the list it replaces.
    QSet<QString> refreshed;
    QSet<QString>& seen = refresh ? refreshed : listedIds;
    const QVariantList content = data.value(QStringLiteral("content")).toList();
    QVariantList entries;
    for (const QVariant& value : content) {
        const QVariantMap item = value.toMap();
        const QString id = item.value(QStringLiteral("id")).toString();
        if (seen.contains(id))
            continue;
        entries.append(pageEntry(item, refresh));
        seen.insert(id);
    }
    if (data.value(QStringLiteral("last")).toBool() && (!entries.isEmpty() || content.isEmpty())) {
        if (!seen.contains(HistoryEndId)) {
            entries.append(QVariantMap{{QStringLiteral("id"), HistoryEndId}});
            seen.insert(HistoryEndId);
        }
        historyLoadState = -1;
    }
    if (refresh) {
        listedIds = refreshed;
        // A next page asked for meanwhile continues the list just replaced.
        ++historyGeneration;
    }
    State* state = State::instance();
    state->addTextTransHistory(entries, !refresh);
    emit state->textTransHistoryChange(refresh ? 0 : listed - 1);
    log(QStringLiteral("refreshTransHistory %1, %2"), QString::number(listed), QString::number(entries.size()));
}

QVariantMap TextTransHistoryList::pageEntry(const QVariantMap& item, bool refresh) const
{
    QVariantMap entry = historyEntry(item, !refresh);
    if (!entry.value(QStringLiteral("clip")).toBool())
        return entry;
    const bool stored = TextTransStorage::insert(
        entry.value(QStringLiteral("id")).toString(), item.value(QStringLiteral("src_text")).toString(),
        item.value(QStringLiteral("tgt_text")).toString(), item.value(QStringLiteral("src_lang")).toString(),
        item.value(QStringLiteral("tgt_lang")).toString(), QString());
    entry.insert(QStringLiteral("cloud"), !stored);
    return entry;
}

void TextTransHistoryList::transHistoryMakeCopy(int index, bool copyResult)
{
    const auto copy = copyToClipboard;
    withFullHistoryText(index, [copy, copyResult](const QString& text, const QString& result) {
        copy(copyResult ? result : text);
    });
}

void TextTransHistoryList::transHistoryTranslate(int index)
{
    // The page translates whatever lands in the source editor this way.
    withFullHistoryText(index, [](const QString& text, const QString&) {
        State::instance()->setTextTransSource(text, true);
    });
}

void TextTransHistoryList::withFullHistoryText(int index, const HistoryTextUse& use)
{
    const QVariantList& history = State::instance()->textTransHistory;
    if (index < 0 || index >= history.size())
        return;
    const QVariantMap entry = history.at(index).toMap();
    if (!entry.value(QStringLiteral("clip")).toBool()) {
        use(entry.value(QStringLiteral("text")).toString(), entry.value(QStringLiteral("result")).toString());
        return;
    }
    if (entry.value(QStringLiteral("cloud")).toBool()) {
        log(QStringLiteral("transHistoryMakeCopy-clip-cloud: %1"), QString::number(index));
        getTransHistoryDetail(index, entry, use);
        return;
    }
    QList<QVariantMap> rows;
    TextTransStorage::select(rows, entry.value(QStringLiteral("id")).toString());
    if (rows.isEmpty()) {
        getTransHistoryDetail(index, entry, use);
        return;
    }
    log(QStringLiteral("transHistoryMakeCopy-clip-sql: %1"), QString::number(index));
    use(rows.first().value(QStringLiteral("text")).toString(), rows.first().value(QStringLiteral("result")).toString());
}

void TextTransHistoryList::getTransHistoryDetail(int index, const QVariantMap& entry, const HistoryTextUse& use)
{
    State::instance()->setRetcode(1001);
    const auto show = WeakOwner::ifAlive(WeakSelf(sharedFromThis()), [index, entry, use](
                                                                          TextTransHistoryList& self, bool ok,
                                                                          const QVariantMap& data) {
        if (ok)
            self.onHistoryDetail(index, entry, data, use);
    });
    service->fetchTransHistory(entry.value(QStringLiteral("id")).toString(),
                               [show](bool ok, const QVariantMap& data) {
                                   State::instance()->setRetcode(1000);
                                   show(ok, data);
                               });
}

void TextTransHistoryList::onHistoryDetail(int index, QVariantMap entry, const QVariantMap& data,
                                           const HistoryTextUse& use)
{
    const QString source = data.value(QStringLiteral("src_text")).toString();
    const QString target = data.value(QStringLiteral("tgt_text")).toString();
    const QString id = data.value(QStringLiteral("id")).toString();
    use(source, target);
    QVariantList& history = State::instance()->textTransHistory;
    // The entry may have moved while the text was on its way.
    if (index >= history.size() || history.at(index).toMap().value(QStringLiteral("id")).toString() != id)
        return;
    entry.insert(QStringLiteral("text"), source);
    entry.insert(QStringLiteral("result"), target);
    entry.insert(QStringLiteral("cloud"), false);
    entry.insert(QStringLiteral("clip"), false);
    history[index] = entry;
    log(QStringLiteral("getTransHistoryDetail update: %1"), id);
}

void TextTransHistoryList::transHistoryMakeDelete(int index)
{
    State* state = State::instance();
    if (index < 0 || index >= state->textTransHistory.size())
        return;
    const QString id = state->textTransHistory.at(index).toMap().value(QStringLiteral("id")).toString();
    state->removeTextTransHistory(index);
    emit state->textTransHistoryChange(index);
    const WeakSelf weak = sharedFromThis();
    service->deleteTransHistory(id, WeakOwner::ifAlive(weak, [](TextTransHistoryList& self, bool ok, const QVariantMap&) {
        if (ok && State::instance()->textTransHistory.isEmpty())
            self.refreshTransHistory(true, true);
    }));
}
