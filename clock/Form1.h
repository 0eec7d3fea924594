#pragma once

#include "app/Window.h"
#include "clock/CaptureState.h"
#include "clock/CapturedTimes.h"

#include <QSet>

#include <array>

class ClockLabel;
class QComboBox;
class QDate;
class QLabel;
class QLineEdit;
class QMenuBar;
class SecondTimer;

// The clock strip, the program's main window: PC date and time, the four clocks shifted by the
// local-time difference with their capture frames, the difference box, the world-time list, and
// the commands that open the other windows and end the work. Each of its six timers only
// triggers: the tick slots read the clock service and show what the pure time functions give.
class Form1 : public Window, public CapturedTimes {
    Q_OBJECT
public:
    Form1(Services& services, Windows& windows);

    void load() override;

    // The shown pair's start and stop clocks (Label7 and Label8 while no pair is shown).
    QString startText() const override;
    QString stopText() const override;
    QDate startDate() const override;

public slots:
    void tickTimer1(); // PC date
    void tickTimer2(); // start clock of the minus pair
    void tickTimer3(); // stop clock of the minus pair
    void tickTimer4(); // start clock of the plus pair
    void tickTimer5(); // stop clock of the plus pair
    void tickTimer6(); // PC time

private:
    struct ShiftedClock {
        ClockLabel* label = nullptr;
        SecondTimer* timer = nullptr;
        CaptureState::Pair pair = CaptureState::Pair::Minus;
        CaptureState::Column column = CaptureState::Column::Start;
        QDate date; // of the caption's last tick
    };

    void buildClientArea(QWidget* client);
    void buildMenuBar(QMenuBar* menuBar);
    SecondTimer* addTimer(const char* name, void (Form1::*tick)());
    void readDifferenceFile();
    void showDate(const QDate& date);

    void tickShifted(ShiftedClock& clock);
    void warnDeletedDifference();
    void reportUnreadable(const QString& text, const QString& description);

    void capture(const ShiftedClock& clock);
    void choosePair(CaptureState::Pair pair);
    void restartClocks();
    void mirrorCaptureState();
    const ShiftedClock& transferredClock(CaptureState::Column column) const;

    void chooseCity(int index);
    void showDifferenceBox();
    void confirmExit();

    QLabel* m_label1 = nullptr;
    QLabel* m_label6 = nullptr;
    QLabel* m_label10 = nullptr;
    QWidget* m_shape2 = nullptr;
    QWidget* m_shape3 = nullptr;
    QWidget* m_shape4 = nullptr;
    QWidget* m_shape5 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QComboBox* m_combo1 = nullptr;
    SecondTimer* m_timer1 = nullptr;
    SecondTimer* m_timer6 = nullptr;
    // Timer2 to Timer5 in order: Label7, Label8 (minus pair), Label2, Label4 (plus pair).
    std::array<ShiftedClock, 4> m_shifted;

    CaptureState m_capture;
    bool m_warningOpen = false;
    QSet<QString> m_reportedTexts;
};
