#pragma once

#include "core/State.h"

#include <QColor>
#include <QFont>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStringList>
#include <QTest>
#include <QtMath>

#include <functional>

// Checks over the drawn texts of a window: labels cut short, and text too faint on what lies
// behind it. Each finding is one line naming the text, for a test to print.
namespace LabelChecks {

// Whether a text shows what the user typed or the server sent: such a text may be cut.
using IsForeign = std::function<bool(const QString& text)>;

inline bool isText(const QQuickItem* item)
{
    return item->inherits("QQuickText");
}

inline bool shown(const QQuickItem* item)
{
    for (const QQuickItem* at = item; at; at = at->parentItem()) {
        if (!at->isVisible() || at->opacity() <= 0.01)
            return false;
    }
    return item->width() > 0 && item->height() > 0;
}

// Our controls say "not now" in their own property; a disabled control may be faint.
inline bool disabled(const QQuickItem* item)
{
    for (const QQuickItem* at = item; at; at = at->parentItem()) {
        if (!at->isEnabled())
            return true;
        const QVariant enable = at->property("enable");
        if (enable.isValid() && !enable.toBool())
            return true;
        for (const char* name : {"disabled", "disable"}) {
            if (at->property(name).toBool())
                return true;
        }
    }
    return false;
}

inline void visit(QQuickItem* item, const std::function<void(QQuickItem*)>& each)
{
    each(item);
    for (QQuickItem* child : item->childItems())
        visit(child, each);
}

// Whether an item belongs to an object of one of these names (a pop-up's items are children of
// its item, whose QObject parent is the pop-up).
inline bool inside(const QQuickItem* item, const QStringList& names)
{
    for (const QQuickItem* at = item; at; at = at->parentItem()) {
        if (names.contains(at->objectName()) || (at->parent() && names.contains(at->parent()->objectName())))
            return true;
    }
    return false;
}

inline QString describe(const QQuickItem* text)
{
    QString path;
    for (const QQuickItem* at = text; at && path.count('/') < 3; at = at->parentItem()) {
        if (!at->objectName().isEmpty())
            path.prepend('/' + at->objectName());
    }
    return QStringLiteral("\"%1\" (%2)").arg(text->property("text").toString(), path);
}

// Texts the program wrote that show elided, cut to fewer lines or wider than their box.
inline QStringList cutLabels(QQuickWindow* window, const IsForeign& foreign)
{
    QStringList found;
    visit(window->contentItem(), [&](QQuickItem* item) {
        if (!isText(item) || !shown(item))
            return;
        const QString text = item->property("text").toString();
        if (text.trimmed().isEmpty() || foreign(text))
            return;
        const bool noWrap = item->property("wrapMode").toInt() == 0;
        if (item->property("truncated").toBool())
            found << QStringLiteral("cut: %1").arg(describe(item));
        else if (noWrap && item->implicitWidth() > item->width() + 1)
            found << QStringLiteral("wider than its box (%1 > %2): %3")
                         .arg(item->implicitWidth()).arg(item->width()).arg(describe(item));
    });
    return found;
}

inline double luminance(const QColor& colour)
{
    auto channel = [](double c) { return c <= 0.03928 ? c / 12.92 : qPow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) + 0.0722 * channel(colour.blueF());
}

inline double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

inline QColor over(const QColor& top, const QColor& below)
{
    const double a = top.alphaF();
    return QColor::fromRgbF(top.redF() * a + below.redF() * (1 - a), top.greenF() * a + below.greenF() * (1 - a),
                            top.blueF() * a + below.blueF() * (1 - a));
}

// The colour a rectangle, or a control's rectangle background, paints under its children.
inline QColor fillOf(const QQuickItem* item)
{
    if (item->inherits("QQuickRectangle"))
        return item->property("color").value<QColor>();
    const auto* background = item->property("background").value<QQuickItem*>();
    if (background && background->inherits("QQuickRectangle") && background->isVisible())
        return background->property("color").value<QColor>();
    return Qt::transparent;
}

// The topmost fill an item or its descendants paint at a point of the scene (transparent: none).
inline QColor topFillAt(const QQuickItem* item, const QPointF& point)
{
    if (!shown(item))
        return Qt::transparent;
    const QList<QQuickItem*> children = item->childItems();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        const QColor fill = topFillAt(*it, point);
        if (fill.alpha() > 0)
            return fill;
    }
    return item->contains(item->mapFromScene(point)) ? fillOf(item) : QColor(Qt::transparent);
}

// What lies under a text: its ancestors' fills and what was drawn before it, under its middle.
inline QColor behind(const QQuickItem* text, const QColor& windowColour)
{
    QList<QColor> layers; // topmost first
    auto add = [&layers](const QColor& fill) {
        if (fill.alpha() > 0)
            layers << fill;
        return fill.alpha() == 255;
    };
    const QPointF middle = text->mapToScene(QPointF(text->width() / 2, text->height() / 2));
    bool opaque = false;
    for (const QQuickItem* at = text; at->parentItem() && !opaque; at = at->parentItem()) {
        const QQuickItem* parent = at->parentItem();
        const QList<QQuickItem*> siblings = parent->childItems();
        for (int i = siblings.indexOf(const_cast<QQuickItem*>(at)) - 1; i >= 0 && !opaque; --i) {
            opaque = add(topFillAt(siblings.at(i), middle));
        }
        if (!opaque)
            opaque = add(fillOf(parent));
    }
    QColor colour = windowColour;
    for (auto it = layers.crbegin(); it != layers.crend(); ++it)
        colour = over(*it, colour);
    return colour;
}

// Texts and glyphs whose colour stands out less than 4.5:1 from what is behind them (3:1 for
// large text and for the icon font's glyphs); disabled controls may be fainter. `base` lies under
// a window that draws its background itself; texts inside an object named in `exempt` are left out.
inline QStringList faintTexts(QQuickWindow* window, const QString& iconFamily, const QColor& base,
                              const QStringList& exempt = {})
{
    QStringList found;
    const QColor windowColour = window->color().alpha() == 255 ? window->color() : base;
    visit(window->contentItem(), [&](QQuickItem* item) {
        if (!isText(item) || !shown(item) || disabled(item) || item->property("text").toString().trimmed().isEmpty()
            || inside(item, exempt))
            return;
        const QFont font = item->property("font").value<QFont>();
        const bool icon = font.family() == iconFamily;
        const int px = font.pixelSize();
        const bool large = px >= 24 || (px >= 19 && font.bold());
        const QColor back = behind(item, windowColour);
        const QColor colour = over(item->property("color").value<QColor>(), back);
        const double ratio = contrast(colour, back);
        if (ratio < (icon || large ? 3.0 : 4.5))
            found << QStringLiteral("%1 on %2, %3:1: %4")
                         .arg(colour.name(), back.name())
                         .arg(ratio, 0, 'f', 1)
                         .arg(describe(item));
    });
    return found;
}

// Both checks for a window drawn in the current theme: cut labels always, faint texts in the dark
// theme (the light one keeps the design's own colours). The toasts keep the design's coloured
// pills in both themes.
inline QStringList findings(QQuickWindow* window, const QString& iconFamily, const IsForeign& foreign)
{
    QStringList found = cutLabels(window, foreign);
    const QVariantMap colours = State::instance()->windowColor();
    const QColor base(colours.value(QStringLiteral("contentBG")).toString());
    if (colours.value(QStringLiteral("type")).toInt() == 1)
        found << faintTexts(window, iconFamily, base, {QStringLiteral("questionWindowLite")});
    return found;
}

// The data table of a test drawn in each language and theme: "language" and "theme" columns.
inline void languageThemeRows()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("theme");
    QTest::newRow("zh-light") << "zh" << 0;
    QTest::newRow("zh-dark") << "zh" << 1;
    QTest::newRow("en-light") << "en" << 0;
    QTest::newRow("en-dark") << "en" << 1;
}

} // namespace LabelChecks
