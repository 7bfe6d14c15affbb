// How long a translation takes once the user stops typing, against the in-process stand-in
// (which answers at once): from the last keystroke in the text page's source until the window has
// swapped the frame with the result (and until the result is in State), less the 300 ms the page waits for more typing; for a short
// text and for one of 5000 characters. Beside it, a request made three times on one kept-alive
// connection, by the program's request layer and by a bare QNetworkAccessManager in the same run:
// the later requests show whether a request's body waits for the server's acknowledgement of its
// header. Run on an X display (scripts/bench-translation-latency).
#include "BenchQml.h"
#include "StandinServer.h"
#include "core/State.h"
#include "core/User.h"
#include "network/Request.h"

#include <QKeyEvent>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QQuickItem>

namespace {

constexpr int DebounceMs = 300;
constexpr int Rounds = 9;

QQuickItem* find(QObject* under, const char* name)
{
    return under->findChild<QQuickItem*>(QLatin1String(name));
}

// Milliseconds of each of three posts of the same 481 bytes, one after the other.
QVector<double> threePosts(const std::function<void(const std::function<void()>&)>& post)
{
    QVector<double> times;
    for (int i = 0; i < 3; ++i) {
        QEventLoop loop;
        QElapsedTimer clock;
        clock.start();
        post([&loop] { loop.quit(); });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        times.append(clock.nsecsElapsed() / 1e6);
    }
    return times;
}

void compareTransports(const QString& url)
{
    const QByteArray body = "{\"text\":\"" + QByteArray(470, 'a') + "\"}";
    QVector<double> bareLater;
    QVector<double> ownLater;
    Request own;
    for (int round = 0; round < Rounds; ++round) {
        // A fresh manager each round: its connection is new, as the program's is at first.
        QNetworkAccessManager bare;
        const QVector<double> b = threePosts([&](const std::function<void()>& done) {
            QNetworkRequest request{QUrl(url)};
            request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
            QNetworkReply* reply = bare.post(request, body);
            QObject::connect(reply, &QNetworkReply::finished, reply, [reply, done] {
                reply->deleteLater();
                done();
            });
        });
        const QVector<double> o = threePosts([&](const std::function<void()>& done) {
            own.asyncPostJson(
                url, body, QStringLiteral("application/json"), 5000,
                [done](QVariantMap&, QSharedPointer<QNetworkReply>) { done(); },
                [done](Request::RequestErrorType, int, QSharedPointer<QNetworkReply>) { done(); });
        });
        bareLater << b.at(1) << b.at(2);
        ownLater << o.at(1) << o.at(2);
        // the stand-in closes idle connections after a second: the next round starts afresh
        BenchQml::settle(1500);
    }
    BenchQml::report("bare QNetworkAccessManager, 2nd and 3rd request", bareLater);
    BenchQml::report("the program's requests, 2nd and 3rd request", ownLater);
}

// A text of about `length` characters in sentences, different for every round.
QString makeText(int length, int round)
{
    QString text;
    for (int i = 0; text.size() < length; ++i)
        text += QStringLiteral("Sentence %1 of round %2 says little. ").arg(i).arg(round);
    return text.left(length - 1);
}

} // namespace

using namespace BenchQml;

int main(int argc, char** argv)
{
    App app(argc, argv);
    StandinServer standin;
    if (!standin.start()) {
        std::fprintf(stderr, "the stand-in did not start\n");
        return 1;
    }
    qputenv("PARLAVINE_API_URL", standin.apiUrl().toUtf8());
    qputenv("PARLAVINE_COLLECTOR_URL", standin.collectorUrl().toUtf8());
    compareTransports(standin.apiUrl() + QStringLiteral("/bench"));

    User* user = User::instance();
    user->userName = QStringLiteral("bench");
    user->userId = QStringLiteral("u-1");
    user->clientKey = QStringLiteral("desktop-bench");
    user->session = QStringLiteral("session-1");
    user->profileLoaded = true;
    State* state = State::instance();
    state->setTextTransStreamed(true);
    const std::unique_ptr<QQuickWindow> window =
        app.load(PageHostQml, QUrl(QString::fromLatin1(PageHostUrl)));
    if (!window)
        return 1;
    settle(1500); // the language tables and the history arrive
    QQuickItem* edit = find(find(window.get(), "inputView"), "edit");
    edit->forceActiveFocus();

    int failed = 0;
    for (const int length : {40, 5000}) {
        QVector<double> samples;
        QVector<double> inState;
        for (int round = 0; round < Rounds; ++round) {
            edit->setProperty("text", QString());
            settle(DebounceMs + 200);
            // The text but its last character, then that character typed: one request after it.
            edit->setProperty("text", makeText(length, round));
            edit->setProperty("cursorPosition", edit->property("length"));
            QElapsedTimer typed;
            double stored = -1;
            const QMetaObject::Connection storing = QObject::connect(state, &State::textTransResultChange, [&] {
                if (stored < 0 && !state->textTransResult().isEmpty())
                    stored = typed.nsecsElapsed() / 1e6;
            });
            typed.start();
            const double ms = timedUntilFrame(
                window.get(),
                [&] {
                    QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
                    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
                    QGuiApplication::sendEvent(window.get(), &press);
                    QGuiApplication::sendEvent(window.get(), &release);
                },
                [state] { return !state->textTransResult().isEmpty() && state->textTransStatus() == 0; });
            QObject::disconnect(storing);
            if (ms < 0 || stored < 0) {
                ++failed;
            } else {
                samples.append(ms - DebounceMs);
                inState.append(stored - DebounceMs);
            }
        }
        if (samples.isEmpty())
            continue;
        report(qPrintable(QStringLiteral("%1 characters: last keystroke -> result in State").arg(length)), inState);
        report(qPrintable(QStringLiteral("%1 characters: last keystroke -> result frame").arg(length)), samples);
    }
    edit->setProperty("text", QString());
    settle(DebounceMs + 200);
    standin.stop();
    if (failed > 0) {
        std::fprintf(stderr, "%d translations showed no result\n", failed);
        return 1;
    }
    return 0;
}
