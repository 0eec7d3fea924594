#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace GuiTest {

// A click as the window system delivers it: to whatever widget lies at that point of the window.
inline void clickAt(QWidget* widget, QPoint local) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

inline void clickCentre(QWidget* widget) {
    clickAt(widget, widget->rect().center());
}

// Top-level widgets still alive once every closed window has been deleted.
inline QWidgetList remainingWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return QApplication::topLevelWidgets();
}

template <class W> W* child(QWidget* window, const char* name) {
    W* found = window->findChild<W*>(QLatin1String(name));
    if (!found)
        qFatal("no control %s in %s", name, qPrintable(window->objectName()));
    return found;
}

} // namespace GuiTest
