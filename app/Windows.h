#pragma once

#include "app/Window.h"

#include <QObject>

struct Services;
class Windows;
class CapturedTimes;
class Form1;
class Form2;
class FrmLog1;
class FrmSplash;
class FrmTip;

// Holds the one instance of a window kind while it is loaded.
class WindowSlotBase {
public:
    explicit WindowSlotBase(Windows& windows) : m_windows(windows) {}
    bool isLoaded() const { return m_window != nullptr; }
    // Unloads the window if it is loaded; false when it refused to close.
    bool unload();

protected:
    void adopt(Window* window);

    Windows& m_windows;
    Window* m_window = nullptr;
};

template <class W> class WindowSlot : public WindowSlotBase {
public:
    using WindowSlotBase::WindowSlotBase;

    // The loaded instance, or nullptr.
    W* instance() const { return static_cast<W*>(m_window); }

    // Loads the window if needed (running its load handler). Returns nullptr when the load
    // handler unloaded the window again.
    W* load();

    // Loads the window if needed, shows it modeless and brings it forward.
    W* show() {
        W* window = load();
        if (window) {
            window->show();
            window->raise();
            window->activateWindow();
        }
        return window;
    }
};

// The program's windows, one shared instance of each. The program ends when the last loaded
// window has been unloaded: lastWindowUnloaded() is emitted then.
class Windows : public QObject {
    Q_OBJECT
public:
    explicit Windows(Services& services, QObject* parent = nullptr);
    ~Windows() override;

    Services& services() const { return m_services; }

    WindowSlot<FrmSplash>& frmSplash() { return m_frmSplash; }
    WindowSlot<FrmTip>& frmTip() { return m_frmTip; }
    WindowSlot<Form1>& form1() { return m_form1; }
    WindowSlot<FrmLog1>& frmLog1() { return m_frmLog1; }
    WindowSlot<Form2>& form2() { return m_form2; }

    // The clock strip's captured times, loading the strip if needed; null when its load failed.
    CapturedTimes* capturedTimes();

    int loadedCount() const { return m_loaded.size(); }

signals:
    void lastWindowUnloaded();

private:
    friend class WindowSlotBase;
    void windowLoaded(Window* window);
    void windowUnloaded(Window* window);

    Services& m_services;
    QList<Window*> m_loaded;
    WindowSlot<FrmSplash> m_frmSplash{*this};
    WindowSlot<FrmTip> m_frmTip{*this};
    WindowSlot<Form1> m_form1{*this};
    WindowSlot<FrmLog1> m_frmLog1{*this};
    WindowSlot<Form2> m_form2{*this};
};

template <class W> W* WindowSlot<W>::load() {
    if (!m_window) {
        auto* window = new W(m_windows.services(), m_windows);
        adopt(window);
        window->load();
    }
    return instance();
}
