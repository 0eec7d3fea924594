#pragma once

#include "LogFile.h"
#include "TestServices.h"
#include "app/Windows.h"

#include <QPoint>

#include <memory>

class DataControl;
class Form1;
class FrmLog1;
class LogGridView;
class LogTableModel;

// A log file with some contacts and its log window, loaded through the window registry on fake
// services, with the controls reached by their design names and the operator's gestures on the
// grid: clicks and keys go where the window system would send them.
class OpenLog {
public:
    // Contacts as "date|call|name" with an ISO date; an empty part stores no value.
    explicit OpenLog(const QStringList& contacts = {});

    // Shows the window (through the clock window's "Log" button with viaClock) as `window`, and
    // waits until it is active.
    void open(bool viaClock = false);

    // Shows the clock window; tick() moves the fake clock on and fires its running timers.
    Form1* showClock();
    void tick(int seconds);

    LogGridView* view() const;
    LogTableModel* model() const;
    DataControl* dataControl() const;
    QString text(const char* boxName) const;
    QString cell(int row, int column) const;
    int currentRow() const;

    void click(const char* buttonName) const;
    void clickCell(int row, int column) const;
    void doubleClickCell(int row, int column) const;
    // Types into the focused control; on the grid the first key opens the cell's editor.
    void type(const QString& text) const;
    void key(Qt::Key key) const;
    // Delivers what the program queued (the add command's keystroke, deferred messages).
    static void settle();

    // The stored contacts in table order, as "date|start|end|call|name", "-" for no value.
    QStringList stored();

    TestServices test;
    std::unique_ptr<LogFile> file;
    Windows windows{test.services};
    FrmLog1* window = nullptr;

private:
    QPoint cellCentre(int row, int column) const;
};
