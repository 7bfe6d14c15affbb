#include "platform/PortalSystemTheme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {

const char kService[] = "org.freedesktop.portal.Desktop";
const char kPath[] = "/org/freedesktop/portal/desktop";
const char kInterface[] = "org.freedesktop.portal.Settings";
const char kGroup[] = "org.freedesktop.appearance";
const char kKey[] = "color-scheme";
// Start-up must not wait on a slow or absent portal.
const int kReadTimeoutMs = 300;

QVariant unwrapped(QVariant value)
{
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    return value;
}

} // namespace

PortalSystemTheme::PortalSystemTheme(const QString& override, QObject* parent) : SystemTheme(parent)
{
    if (!override.isEmpty()) {
        m_dark = override == QLatin1String("dark");
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    bus.connect(QLatin1String(kService), QLatin1String(kPath), QLatin1String(kInterface),
                QStringLiteral("SettingChanged"), this, SLOT(onSettingChanged(QString, QString, QDBusVariant)));
    m_dark = readFromPortal();
}

bool PortalSystemTheme::isDarkScheme(const QVariant& value)
{
    bool ok = false;
    const uint scheme = unwrapped(value).toUInt(&ok);
    return ok && scheme == 1;
}

bool PortalSystemTheme::readFromPortal() const
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QVariantList args{QLatin1String(kGroup), QLatin1String(kKey)};
    // Older portals only have Read, which wraps the value once more.
    for (const char* method : {"ReadOne", "Read"}) {
        QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                                           QLatin1String(kInterface), QLatin1String(method));
        call.setArguments(args);
        const QDBusMessage reply = bus.call(call, QDBus::Block, kReadTimeoutMs);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            return isDarkScheme(reply.arguments().constFirst());
        if (reply.errorName() != QLatin1String("org.freedesktop.DBus.Error.UnknownMethod"))
            return false;
    }
    return false;
}

void PortalSystemTheme::onSettingChanged(const QString& group, const QString& key, const QDBusVariant& value)
{
    if (group == QLatin1String(kGroup) && key == QLatin1String(kKey))
        setDark(isDarkScheme(value.variant()));
}

void PortalSystemTheme::setDark(bool dark)
{
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit changed();
}
