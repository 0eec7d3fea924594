#include "clock/ClockLabel.h"

#include <QMouseEvent>

void ClockLabel::mousePressEvent(QMouseEvent* event) {
    event->setAccepted(event->button() == Qt::LeftButton);
}

void ClockLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (m_releaseEndsDoubleClick) {
        m_releaseEndsDoubleClick = false;
        return;
    }
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClockLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    m_releaseEndsDoubleClick = event->button() == Qt::LeftButton;
    event->setAccepted(m_releaseEndsDoubleClick);
}
