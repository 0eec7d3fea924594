#include "platform/FocusKeystroke.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

void FocusKeystroke::sendDown() {
    // Queued, so the key reaches the control that has the focus once the handler has returned.
    QTimer::singleShot(0, qApp, [] {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            return;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
    });
}
