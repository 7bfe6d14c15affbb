#pragma once

#include <QPoint>
#include <QRect>
#include <QWindow>
#include <Qt>

// The frame behaviour of windows that draw their own caption: which part of the window a point
// is in, and moving or resizing through the window manager, by hand where none answers.
class FramelessHelper
{
public:
    // The codes of the classic non-client hit test.
    enum HitCode {
        HitNone = 0, // client area: the window handles the point itself
        HitCaption = 2,
        HitLeft = 10,
        HitRight = 11,
        HitTop = 12,
        HitTopLeft = 13,
        HitTopRight = 14,
        HitBottom = 15,
        HitBottomLeft = 16,
        HitBottomRight = 17
    };

    // The window's outer edges; right and bottom lie one past the last pixel.
    struct Frame
    {
        int left;
        int top;
        int right;
        int bottom;
    };

    static constexpr int BandWidth = 8; // resize band, unscaled

    // captionHeight and captionRightInset are logical pixels, multiplied by scale.
    static int hitTest(const Frame& frame, const QPoint& point, double scale, int captionHeight,
                       int captionRightInset, bool resizable);
    static Qt::Edges edgesOf(int hitCode);
    static Qt::CursorShape cursorOf(int hitCode);
    static Frame frameOf(const QRect& geometry);

    // The geometry after dragging the given edges by delta, kept at least minimumSize.
    static QRect resized(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimumSize);
};
