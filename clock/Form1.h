#pragma once

#include "app/Window.h"
#include "clock/CaptureState.h"
#include "clock/CapturedTimes.h"

#include <QFont>
#include <QPalette>
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
    void tickDate();
    void tickMinusStart();
    void tickMinusStop();
    void tickPlusStart();
    void tickPlusStop();
    void tickTime();

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
    static qint64 hourOf(const QDateTime& now);
    void checkStationTime(const QDateTime& now);
    void showStationTime(const QString& warning);
    void showDate(const QDate& date);

    void showClockText(QLabel* label, const QString& text);
    void tickShifted(ShiftedClock& clock);
    void warnDeletedDifference();
    void reportUnreadable(const QString& text, const QString& description);

    void capture(ShiftedClock& clock);
    void choosePair(CaptureState::Pair pair);
    void restartClocks();
    void mirrorCaptureState();
    const ShiftedClock& transferredClock(CaptureState::Column column) const;

    void chooseCity(int index);
    void showDifferenceBox();
    void confirmExit();

    QLabel* m_pcDate = nullptr;
    QLabel* m_pcTime = nullptr;
    QLabel* m_cityOffset = nullptr;
    QWidget* m_startRunning = nullptr;
    QWidget* m_startStopped = nullptr;
    QWidget* m_stopRunning = nullptr;
    QWidget* m_stopStopped = nullptr;
    QLineEdit* m_differenceBox = nullptr;
    QComboBox* m_cityList = nullptr;
    SecondTimer* m_dateTimer = nullptr;
    SecondTimer* m_timeTimer = nullptr;
    // Timer2 to Timer5 in order: Label7, Label8 (minus pair), Label2, Label4 (plus pair).
    std::array<ShiftedClock, 4> m_shifted;

    QFont m_clockFont;
    QPalette m_differenceBoxPalette; // without the station-time warning
    qint64 m_checkedHour = -1;
    CaptureState m_capture;
    bool m_warningOpen = false;
    QSet<QString> m_reportedTexts;
};
