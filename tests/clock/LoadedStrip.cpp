#include "LoadedStrip.h"

#include "clock/Form1.h"
#include "platform/SecondTimer.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {
const QStringList kTimers{"Timer1", "Timer2", "Timer3", "Timer4", "Timer5", "Timer6"};
}

LoadedStrip::LoadedStrip(std::optional<QByteArray> difference, const QDateTime& now) {
    if (difference)
        test.writeDifferenceFile(*difference);
    if (now.isValid())
        test.clock.set(now);
    test.createLog();
    form = windows.form1().show();
}

QWidget* LoadedStrip::widget(const QString& name) const {
    auto* found = form->findChild<QWidget*>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

QLabel* LoadedStrip::label(const QString& name) const {
    return qobject_cast<QLabel*>(widget(name));
}

QString LoadedStrip::text(const QString& labelName) const {
    return label(labelName)->text();
}

QString LoadedStrip::differenceBox() const {
    return qobject_cast<QLineEdit*>(widget(QStringLiteral("Text1")))->text();
}

SecondTimer* LoadedStrip::timer(const QString& name) const {
    return form->findChild<SecondTimer*>(name);
}

QAction* LoadedStrip::action(const QString& name) const {
    return form->findChild<QAction*>(name);
}

QWidget* LoadedStrip::clientArea() const {
    return widget(QStringLiteral("Label1"))->parentWidget();
}

void LoadedStrip::fireRunningTimers() const {
    for (const QString& name : kTimers) {
        if (timer(name)->isActive())
            emit timer(name)->timeout();
    }
}

void LoadedStrip::runSeconds(int seconds) {
    for (int i = 0; i < seconds; ++i) {
        test.clock.advance(1);
        fireRunningTimers();
    }
}

void LoadedStrip::play(const QString& steps) const {
    for (const QString& step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step.startsWith(QStringLiteral("Label")) || step == QStringLiteral("Command1"))
            QTest::mouseClick(widget(step), Qt::LeftButton);
        else
            action(step)->trigger();
    }
}

QString LoadedStrip::visibleOf(const QString& names) const {
    QStringList visible;
    for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (widget(name)->isVisible())
            visible.append(name);
    }
    return visible.join(QLatin1Char(' '));
}

QString LoadedStrip::runningTimers() const {
    QStringList running;
    for (const QString& name : kTimers) {
        if (timer(name)->isActive())
            running.append(name);
    }
    return running.join(QLatin1Char(' '));
}

QString LoadedStrip::leakedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QStringList leaked;
    for (const QWidget* widget : QApplication::topLevelWidgets())
        leaked << widget->objectName();
    return leaked.join(QLatin1Char(' '));
}
