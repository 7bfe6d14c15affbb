#include "core/WindowGeometry.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

// A screen factor cut down to a multiple of 1/200.
double screenFactor(int avail, double reference)
{
    return std::trunc(avail / reference * 200.0) / 200.0;
}

int truncated(double value)
{
    return static_cast<int>(std::trunc(value));
}

// Held in single precision like the stored scale, then widened for the products.
float preferredFactor(double dpiScale, int avail)
{
    return (dpiScale < 1.25 || avail > 2000) ? 0.8f : 1.0f;
}

} // namespace

double WindowGeometry::dpiScale(double logicalDpi, double devicePixelRatio)
{
    return logicalDpi / 96.0 * devicePixelRatio;
}

MainWindowGeometry WindowGeometry::mainWindowSize(int availWidth, int availHeight, double dpiScale)
{
    MainWindowGeometry g;
    g.widthScale = g.heightScale = dpiScale > 1.25 ? 1.0 / dpiScale : 1.0;
    if (availWidth < 1600)
        g.widthScale *= screenFactor(availWidth, 1600.0);
    if (availHeight < 900)
        g.heightScale *= screenFactor(availHeight, 900.0);

    g.minWidth = truncated(240.0 * g.widthScale) + 760;
    g.minHeight = truncated(200.0 * g.heightScale) + 400;
    if (g.minWidth > availWidth)
        g.minWidth = availWidth - 80;

    double f = preferredFactor(dpiScale, availWidth);
    int preferredWidth = truncated(availWidth * 0.75 * f);
    int preferredHeight = truncated(availWidth * 0.5 * f);
    if (preferredHeight >= availHeight) {
        f = preferredFactor(dpiScale, availHeight);
        preferredWidth = truncated(availHeight * 1.2 * f);
        preferredHeight = truncated(availHeight * 0.8 * f);
    }
    g.width = std::max(std::min(preferredWidth, 1200), g.minWidth);
    g.height = std::max(std::min(preferredHeight, 800), g.minHeight);
    return g;
}

QSize WindowGeometry::restoredSize(const QString& winFrameTemp, int availWidth, int availHeight, double dpiScale,
                                   QSize computed)
{
    const QStringList parts = winFrameTemp.split(QLatin1Char('|'));
    if (parts.size() != 5)
        return computed;
    bool widthOk = false;
    bool heightOk = false;
    const QSize stored(parts[3].toInt(&widthOk), parts[4].toInt(&heightOk));
    // The scale was stored with six significant digits: 128/96 comes back as 1.33333.
    const bool sameScreen = parts[0].toInt() == availWidth && parts[1].toInt() == availHeight
                         && std::abs(parts[2].toDouble() - dpiScale) < 1e-4;
    const bool fits = stored.width() > 0 && stored.height() > 0 && stored.width() <= availWidth
                   && stored.height() <= availHeight;
    if (!sameScreen || !widthOk || !heightOk || !fits)
        return computed;
    if (stored.width() >= computed.width() && stored.height() >= computed.height())
        return computed;
    return stored;
}

QPoint WindowGeometry::centredOrigin(const QRect& workArea, QSize size)
{
    return {truncated(workArea.left() + (workArea.width() - size.width()) / 2.0),
            truncated(workArea.top() + (workArea.height() - size.height()) / 2.0)};
}
