#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM and SIGINT into an orderly QCoreApplication::quit() on the GUI thread
// (a signal handler may only write to a pipe; the notifier does the rest).
class TerminationSignals : public QObject
{
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

private:
    void onSignalled();

    QSocketNotifier* m_notifier = nullptr;
};
