// The text translation page drawing a long result: the time from a 20,000-character result with
// 200 sentence spans written into State until the page has shown it with a highlighted sentence,
// the time for the hover mark to follow the mouse to the next sentence, and the time of one
// keystroke in the source editor while that result is shown. Each step is timed until the window
// has swapped the frame that shows it. Run on an X display (scripts/bench-texttrans-page).
#include "BenchQml.h"
#include "core/State.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QQuickItem>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Sentences = 200;
constexpr int SentenceLength = 100; // 99 characters and a separator

struct Result
{
    QString text;
    QVariantList spans;
};

// Sentences of mixed words with a full stop; a line break after every tenth.
Result makeResult()
{
    Result r;
    static const QStringList words{"translation", "of", "a", "long", "text", "with", "many", "sentences", "in", "it"};
    for (int i = 0; i < Sentences; ++i) {
        QString sentence;
        for (int w = i; sentence.size() < SentenceLength - 2; ++w)
            sentence += words.at(w % words.size()) + QLatin1Char(' ');
        sentence = sentence.left(SentenceLength - 2) + QLatin1Char('.');
        r.spans.append(QVariantMap{{"start", r.text.size()}, {"len", sentence.size()}});
        r.text += sentence + (i % 10 == 9 ? QLatin1Char('\n') : QLatin1Char(' '));
    }
    return r;
}

QQuickItem* find(QObject* under, const char* name)
{
    return under->findChild<QQuickItem*>(QLatin1String(name));
}

} // namespace

using namespace BenchQml;

int main(int argc, char** argv)
{
    App app(argc, argv);
    State* state = State::instance();
    const std::unique_ptr<QQuickWindow> window =
        app.load(PageHostQml, QUrl(QString::fromLatin1(PageHostUrl)));
    if (!window)
        return 1;
    settle(500);
    QQuickItem* resultView = find(window.get(), "resultView");
    QQuickItem* resultEdit = find(resultView, "edit");
    QQuickItem* sourceEdit = find(find(window.get(), "inputView"), "edit");

    const Result result = makeResult();
    QVector<double> layouts;
    for (int round = 0; round < 10; ++round) {
        // a different text each round, so that nothing is reused from the round before
        const QString text = result.text + QString::number(round);
        layouts.append(timedUntilFrame(window.get(), [&] {
            state->setTextTransResult(text);
            state->setTextTransResultIndexes(result.spans);
            QMetaObject::invokeMethod(resultView, "highlightRangeByIndex", Q_ARG(QVariant, 0));
        }));
        settle(50);
    }

    // the mouse from one sentence to the next, through the window's own hover delivery
    QVector<double> hovers;
    int missedHovers = 0;
    for (int i = 0; i < Sentences; i += 2) {
        const QVariantMap span = result.spans.at(i).toMap();
        QRectF r;
        QMetaObject::invokeMethod(resultEdit, "positionToRectangle", Q_RETURN_ARG(QRectF, r),
                                  Q_ARG(int, span.value("start").toInt() + 1));
        // the sentence is scrolled into view first, as the user would
        QQuickItem* flick = find(window.get(), "flickArea");
        const double top = resultEdit->mapToScene(r.center()).y() + flick->property("contentY").toDouble();
        flick->setProperty("contentY", std::max(0.0, top - 400));
        settle(5);
        const QPointF at = resultEdit->mapToScene(r.center());
        const double ms = timedUntilFrame(window.get(), [&] {
            QMouseEvent move(QEvent::MouseMove, at, at, window->mapToGlobal(at.toPoint()), Qt::NoButton, Qt::NoButton,
                             Qt::NoModifier);
            QGuiApplication::sendEvent(window.get(), &move);
        });
        // a move that did not reach the sentence drew nothing new: it is not a sample
        if (resultView->property("lastHoverIndex").toInt() == i)
            hovers.append(ms);
        else
            ++missedHovers;
    }

    // keystrokes in the source while the long result is shown (instant translation off, so no
    // request is made and nothing but the source changes)
    state->setTextTransStreamed(false);
    find(window.get(), "flickArea")->setProperty("contentY", 0);
    sourceEdit->forceActiveFocus();
    settle(50);
    QVector<double> keys;
    for (int i = 0; i < 50; ++i) {
        keys.append(timedUntilFrame(window.get(), [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
            QGuiApplication::sendEvent(window.get(), &press);
            QGuiApplication::sendEvent(window.get(), &release);
        }));
    }

    std::printf("result of %d characters, %d sentence spans; %s\n", int(result.text.size()), Sentences,
                qPrintable(QGuiApplication::platformName()));
    report("first layout with a highlighted sentence", layouts);
    report("hover to the next sentence", hovers);
    report("keystroke in the source", keys);
    const bool hoverWorked = missedHovers == 0;
    const bool typed = sourceEdit->property("length").toInt() == 50;
    if (!hoverWorked || !typed) {
        std::fprintf(stderr, "the measured input did not arrive (hovers missed %d, typed %d)\n", missedHovers, typed);
        return 1;
    }
    return 0;
}
