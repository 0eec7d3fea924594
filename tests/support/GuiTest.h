#pragma once

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <type_traits>

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

// The control of that name; a missing one fails the test, which goes on with a stand-in.
template <class W> W* child(const QWidget* window, const QString& name) {
    if (W* found = window->findChild<W*>(name))
        return found;
    QTest::qFail(qPrintable(QStringLiteral("no control %1 in %2").arg(name, window->objectName())),
                 __FILE__, __LINE__);
    if constexpr (std::is_constructible_v<W, QWidget*>)
        return new W(const_cast<QWidget*>(window));
    else
        qFatal("no stand-in for a missing %s", qPrintable(name));
}

} // namespace GuiTest
