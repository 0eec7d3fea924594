#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

// The window design is given in twips (15 to a pixel at 96 dpi), RGB colours and point sizes.
namespace DesignLook {

constexpr int pixels(int twips) {
    return (twips * 2 + 15) / 30; // nearest whole pixel
}

inline QRect rect(int left, int top, int width, int height) {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QFont font(const QString& family, qreal pointSize, bool bold = false);

// Makes the design's font families resolve to faces the package installs, the same on every
// machine: Arial and MS Sans Serif to the metric-compatible Liberation Sans, Comic Sans MS to
// Comic Neue. MS Sans Serif 8.25 pt becomes the program's default font, and a style that fills
// buttons and boxes with their flat palette colour replaces one that shades them.
void useDesignFaces();

// Places a control by its design position and size in twips.
void place(QWidget* widget, int left, int top, int width, int height);

// Sets a widget's background (and optionally its text) colour through its palette.
void paint(QWidget* widget, const QColor& background);
void paint(QWidget* widget, const QColor& background, const QColor& text);

} // namespace DesignLook
