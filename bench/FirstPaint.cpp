#include "FirstPaint.h"

#include <QEvent>
#include <QWidget>

FirstPaint::FirstPaint(QWidget* widget, std::function<void()> painted)
    : QObject(widget), m_painted(std::move(painted)) {
    widget->installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && m_painted) {
        watched->removeEventFilter(this);
        auto painted = std::move(m_painted);
        m_painted = nullptr;
        // After the paint itself, so the window has really been drawn.
        QMetaObject::invokeMethod(this, painted, Qt::QueuedConnection);
    }
    return false;
}
