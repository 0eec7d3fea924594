#include "clock/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

WindowDragger::WindowDragger(QWidget* handle) : QObject(handle), m_handle(handle) {
    handle->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject*, QEvent* event) {
    QWidget* window = m_handle->window();
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton)
            return false;
        if (window->windowHandle() && window->windowHandle()->startSystemMove())
            return true;
        m_grab = press->globalPosition().toPoint() - window->pos();
        return true;
    }
    case QEvent::MouseMove:
        if (!m_grab)
            return false;
        window->move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - *m_grab);
        return true;
    case QEvent::MouseButtonRelease:
        if (!m_grab)
            return false;
        m_grab.reset();
        return true;
    default:
        return false;
    }
}
