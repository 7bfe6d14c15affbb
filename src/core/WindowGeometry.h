#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The main window's size and place from the screen it starts on.
struct MainWindowGeometry
{
    double widthScale = 1.0;
    double heightScale = 1.0;
    int width = 0;
    int height = 0;
    int minWidth = 0;
    int minHeight = 0;
};

class WindowGeometry
{
public:
    // Logical dots per inch against 96, times the device pixel ratio.
    static double dpiScale(double logicalDpi, double devicePixelRatio);

    // The size for a work area of availWidth x availHeight at dpiScale: scaled down on small or
    // dense screens, never below the minimum.
    static MainWindowGeometry mainWindowSize(int availWidth, int availHeight, double dpiScale);

    // The size the user left the window at ("winFrameTemp": work-area width|height|scale|width|height),
    // when it was taken on this very screen, fits its work area and is smaller in some dimension;
    // else computed.
    static QSize restoredSize(const QString& winFrameTemp, int availWidth, int availHeight, double dpiScale,
                              QSize computed);

    // Top-left corner that centres a window of this size on the work area.
    static QPoint centredOrigin(const QRect& workArea, QSize size);

    WindowGeometry() = delete;
};
