#include "app/Windows.h"

#include "clock/Form1.h"

bool WindowSlotBase::unload() {
    return m_window ? m_window->unload() : true;
}

void WindowSlotBase::adopt(Window* window) {
    m_window = window;
    QObject::connect(window, &Window::unloaded, &m_windows, [this, window] {
        if (m_window == window)
            m_window = nullptr;
        m_windows.windowUnloaded(window);
    });
    m_windows.windowLoaded(window);
}

Windows::Windows(Services& services, QObject* parent) : QObject(parent), m_services(services) {}

Windows::~Windows() {
    // Windows still loaded when the program ends are discarded without their unload handlers.
    const QList<Window*> remaining = m_loaded;
    for (Window* window : remaining) {
        window->disconnect(this);
        delete window;
    }
}

CapturedTimes* Windows::capturedTimes() {
    return m_form1.load();
}

void Windows::windowLoaded(Window* window) {
    m_loaded.append(window);
}

void Windows::windowUnloaded(Window* window) {
    m_loaded.removeOne(window);
    if (m_loaded.isEmpty())
        emit lastWindowUnloaded();
}
