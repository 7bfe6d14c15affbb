#pragma once

#include <QObject>

// The desktop's light/dark preference, for the theme mode that follows the system.
class SystemTheme : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual bool prefersDark() const = 0;

signals:
    // The preference flipped; read prefersDark() again.
    void changed();
};
