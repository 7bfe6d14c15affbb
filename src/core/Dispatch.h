#pragma once

#include <QObject>

// The one door from QML into native code, "$dispatch".
class Dispatch : public QObject
{
    Q_OBJECT
public:
    static Dispatch* instance();
    ~Dispatch() override;

private:
    explicit Dispatch(QObject* parent = nullptr);
};
