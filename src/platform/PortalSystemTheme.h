#pragma once

#include "platform/SystemTheme.h"

#include <QVariant>

class QDBusVariant;

// Reads the desktop portal's "color-scheme" setting on the session bus and follows its changes.
// Without a bus or a portal the desktop counts as light.
class PortalSystemTheme : public SystemTheme
{
    Q_OBJECT
public:
    // override "light" or "dark" fixes the answer and leaves D-Bus alone; empty asks the portal.
    explicit PortalSystemTheme(const QString& override = QString(), QObject* parent = nullptr);

    bool prefersDark() const override { return m_dark; }

    // The portal's scheme value (possibly wrapped in D-Bus variants): 1 means dark,
    // 0 (no preference), 2 (light) or anything unreadable means light.
    static bool isDarkScheme(const QVariant& value);

private slots:
    void onSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    bool readFromPortal() const;
    void setDark(bool dark);

    bool m_dark = false;
};
