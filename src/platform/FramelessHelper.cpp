#include "platform/FramelessHelper.h"

#include <QtMath>

namespace {
enum Band { Start, Middle, End };

Band bandOf(int value, int low, int high, bool startExclusive)
{
    const int b = FramelessHelper::BandWidth;
    const bool inStart = startExclusive ? (low < value && value < low + b) : (low <= value && value < low + b);
    if (inStart)
        return Start;
    if (high - b <= value && value < high)
        return End;
    return Middle;
}
} // namespace

int FramelessHelper::hitTest(const Frame& frame, const QPoint& point, double scale, int captionHeight,
                             int captionRightInset, bool resizable)
{
    const int h = qRound(captionHeight * scale);
    const int w = qRound(captionRightInset * scale);
    const int x = point.x();
    const int y = point.y();
    if (frame.left <= x && x <= frame.right - w && frame.top + BandWidth <= y && y <= frame.top + h)
        return HitCaption;
    if (!resizable)
        return HitNone;
    // The top row starts one pixel below the top edge.
    static const int table[3][3] = {{HitTopLeft, HitTop, HitTopRight},
                                    {HitLeft, HitNone, HitRight},
                                    {HitBottomLeft, HitBottom, HitBottomRight}};
    const Band row = bandOf(y, frame.top, frame.bottom, true);
    const Band column = bandOf(x, frame.left, frame.right, false);
    return table[row][column];
}

Qt::Edges FramelessHelper::edgesOf(int hitCode)
{
    switch (hitCode) {
    case HitLeft: return Qt::LeftEdge;
    case HitRight: return Qt::RightEdge;
    case HitTop: return Qt::TopEdge;
    case HitBottom: return Qt::BottomEdge;
    case HitTopLeft: return Qt::TopEdge | Qt::LeftEdge;
    case HitTopRight: return Qt::TopEdge | Qt::RightEdge;
    case HitBottomLeft: return Qt::BottomEdge | Qt::LeftEdge;
    case HitBottomRight: return Qt::BottomEdge | Qt::RightEdge;
    default: return Qt::Edges();
    }
}

Qt::CursorShape FramelessHelper::cursorOf(int hitCode)
{
    switch (hitCode) {
    case HitLeft:
    case HitRight: return Qt::SizeHorCursor;
    case HitTop:
    case HitBottom: return Qt::SizeVerCursor;
    case HitTopLeft:
    case HitBottomRight: return Qt::SizeFDiagCursor;
    case HitTopRight:
    case HitBottomLeft: return Qt::SizeBDiagCursor;
    default: return Qt::ArrowCursor;
    }
}

FramelessHelper::Frame FramelessHelper::frameOf(const QRect& geometry)
{
    return {geometry.left(), geometry.top(), geometry.left() + geometry.width(), geometry.top() + geometry.height()};
}

QRect FramelessHelper::resized(const QRect& start, Qt::Edges edges, const QPoint& delta, const QSize& minimumSize)
{
    QRect r = start;
    if (edges & Qt::LeftEdge)
        r.setLeft(qMin(start.left() + delta.x(), start.right() + 1 - minimumSize.width()));
    if (edges & Qt::RightEdge)
        r.setWidth(qMax(start.width() + delta.x(), minimumSize.width()));
    if (edges & Qt::TopEdge)
        r.setTop(qMin(start.top() + delta.y(), start.bottom() + 1 - minimumSize.height()));
    if (edges & Qt::BottomEdge)
        r.setHeight(qMax(start.height() + delta.y(), minimumSize.height()));
    return r;
}
