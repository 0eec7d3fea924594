#pragma once

#include <QApplication>
#include <QStringList>
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

// Names of the top-level widgets still alive once every closed window has been deleted.
inline QStringList remainingWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        names << widget->objectName();
    return names;
}

// Names of the top-level widgets shown, sorted.
inline QStringList shownWindows() {
    QStringList names;
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible())
            names << widget->objectName();
    }
    names.sort();
    return names;
}

template <class W> W* child(const QWidget* window, const QString& name) {
    W* found = window->findChild<W*>(name);
    if (!found)
        qFatal("no control %s in %s", qPrintable(name), qPrintable(window->objectName()));
    return found;
}

} // namespace GuiTest
