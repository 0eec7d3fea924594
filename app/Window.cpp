#include "app/Window.h"

#include <QCloseEvent>

Window::Window(Services& services, Windows& windows, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), m_services(services), m_windows(windows) {
    setAttribute(Qt::WA_DeleteOnClose);
}

bool Window::unload() {
    if (m_unloaded)
        return true;
    return close();
}

void Window::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (!queryUnload()) {
        event->ignore();
        return;
    }
    event->accept();
    m_unloaded = true;
    emit unloaded();
}
