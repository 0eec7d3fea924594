#include "OpenLog.h"

#include "clock/Form1.h"
#include "log/DataControl.h"
#include "log/FrmLog1.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"
#include "platform/SecondTimer.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

OpenLog::OpenLog(const QStringList& contacts) {
    test.writeDifferenceFile("01.00.00");
    test.createLog();
    file = std::make_unique<LogFile>(test.logPath());
    for (const QString& contact : contacts) {
        const QStringList parts = contact.split(QLatin1Char('|'));
        file->add(parts.value(0), parts.value(1), parts.value(2));
    }
}

void OpenLog::open(bool viaClock) {
    if (viaClock) {
        Form1* clock = windows.form1().show();
        QTest::mouseClick(clock->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        window = windows.frmLog1().instance();
    } else {
        window = windows.frmLog1().show();
    }
    QVERIFY2(window && QTest::qWaitForWindowActive(window), "the log window did not open");
}

Form1* OpenLog::showClock() {
    return windows.form1().show();
}

void OpenLog::tick(int seconds) {
    test.clock.advance(seconds);
    for (SecondTimer* timer : windows.form1().instance()->findChildren<SecondTimer*>()) {
        if (timer->isActive())
            emit timer->timeout();
    }
}

LogGridView* OpenLog::view() const {
    return window->findChild<LogGridView*>();
}

LogTableModel* OpenLog::model() const {
    return qobject_cast<LogTableModel*>(view()->model());
}

DataControl* OpenLog::dataControl() const {
    return window->findChild<DataControl*>(QStringLiteral("datPrimaryRS"));
}

QString OpenLog::text(const char* boxName) const {
    return window->findChild<QLineEdit*>(QLatin1String(boxName))->text();
}

QString OpenLog::cell(int row, int column) const {
    return model()->index(row, column).data().toString();
}

int OpenLog::currentRow() const {
    return view()->currentIndex().row();
}

void OpenLog::click(const char* buttonName) const {
    auto* button = window->findChild<QPushButton*>(QLatin1String(buttonName));
    QVERIFY2(button, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

QPoint OpenLog::cellCentre(int row, int column) const {
    view()->scrollTo(model()->index(row, column));
    const QRect cell = view()->visualRect(model()->index(row, column));
    return view()->viewport()->mapTo(window, cell.center());
}

void OpenLog::clickCell(int row, int column) const {
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, cellCentre(row, column));
}

void OpenLog::doubleClickCell(int row, int column) const {
    QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {}, cellCentre(row, column));
}

void OpenLog::type(const QString& text) const {
    for (const QChar character : text)
        QTest::keyClick(QApplication::focusWidget(), character.toLatin1());
}

void OpenLog::key(Qt::Key key) const {
    QTest::keyClick(QApplication::focusWidget(), key);
    settle(); // an editor closes on Return only once its queued commit has run
}

void OpenLog::settle() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QStringList OpenLog::stored() {
    return file->rows(QStringLiteral(
        "SELECT [QSO Date], [Time Init], [Time End], OM_Call, Name FROM Log1 ORDER BY rowid"));
}
