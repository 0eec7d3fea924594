#pragma once

#include <QWidget>

struct Services;
class Windows;

// A window of the program: one shared instance, loaded (created and its load handler run) by
// its slot in Windows, unloaded by closing it. A closed window is destroyed; the next showing
// loads it afresh.
class Window : public QWidget {
    Q_OBJECT
public:
    Window(Services& services, Windows& windows, Qt::WindowFlags flags = {});

    // The load handler, run once right after the window is created.
    virtual void load() {}
    // Closes and destroys the window; false when the window refused to close.
    bool unload();

signals:
    void unloaded();

protected:
    // Asked before the window closes; a window that must not close yet returns false.
    virtual bool queryUnload() { return true; }
    void closeEvent(QCloseEvent* event) override;

    Services& services() const { return m_services; }
    Windows& windows() const { return m_windows; }

private:
    Services& m_services;
    Windows& m_windows;
    bool m_unloaded = false;
};
