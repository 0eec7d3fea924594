#pragma once

#include "TestServices.h"
#include "platform/Windows.h"

#include <QDateTime>
#include <QString>

#include <optional>

class Form1;
class QAction;
class QLabel;
class QWidget;
class SecondTimer;

// A clock strip loaded through the window registry on fake services, with its controls reached
// by their design names. Plays the operator's commands and lets time pass on the fake clock.
class LoadedStrip {
public:
    // Writes the difference file (none when absent), sets the clock and shows the strip.
    explicit LoadedStrip(std::optional<QByteArray> difference = QByteArray("01.00.00"),
                         const QDateTime& now = QDateTime());

    QWidget* widget(const QString& name) const;
    QLabel* label(const QString& name) const;
    QString text(const QString& labelName) const;
    QString differenceBox() const;
    SecondTimer* timer(const QString& name) const;
    QAction* action(const QString& name) const;
    QWidget* clientArea() const;

    // Emits the timeout of every running timer, as a second boundary does.
    void fireRunningTimers() const;
    // Moves the clock on by whole seconds, firing the running timers at each.
    void runSeconds(int seconds);
    // Space-separated steps: a menu entry's name ("meno", "piu", "restart", "set") or a label or
    // button to click ("Label7", "Command1").
    void play(const QString& steps) const;
    // Those of the named controls that are visible, space-separated in the given order.
    QString visibleOf(const QString& names) const;
    QString runningTimers() const;

    // Names of the top-level windows still alive once deferred deletions have run.
    static QString leakedWindows();

    TestServices test;
    Windows windows{test.services};
    Form1* form = nullptr;
};
