#pragma once

#include <QObject>

// The observable UI state that QML binds to as "$state".
class State : public QObject
{
    Q_OBJECT
public:
    static State* instance();
    ~State() override;

private:
    explicit State(QObject* parent = nullptr);
};
