#include "platform/DesignLook.h"

#include <QApplication>
#include <QPalette>
#include <QStyleFactory>
#include <QWidget>

namespace DesignLook {

QFont font(const QString& family, qreal pointSize, bool bold) {
    QFont result(family);
    result.setPointSizeF(pointSize);
    result.setBold(bold);
    return result;
}

void useDesignFaces() {
    const QString sans = QStringLiteral("Liberation Sans");
    QFont::insertSubstitution(QStringLiteral("Arial"), sans);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), sans);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QApplication::setFont(font(QStringLiteral("MS Sans Serif"), 8.25));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Windows")));
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(rect(left, top, width, height));
}

void paint(QWidget* widget, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Button, background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void paint(QWidget* widget, const QColor& background, const QColor& text) {
    paint(widget, background);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::ButtonText, text);
    widget->setPalette(palette);
}

} // namespace DesignLook
