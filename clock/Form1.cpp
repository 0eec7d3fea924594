#include "clock/Form1.h"

#include "app/Windows.h"
#include "backup/Form2.h"
#include "clock/CityTable.h"
#include "clock/ClockLabel.h"
#include "clock/ClockText.h"
#include "clock/DifferenceText.h"
#include "clock/ShiftedTime.h"
#include "clock/StationTime.h"
#include "clock/WindowDragger.h"
#include "log/FrmLog1.h"
#include "platform/Clock.h"
#include "platform/DesignLook.h"
#include "platform/Dialogs.h"
#include "platform/ErrorPath.h"
#include "platform/Paths.h"
#include "platform/RegionalFormats.h"
#include "platform/SecondTimer.h"
#include "platform/Services.h"
#include "platform/TextFileReader.h"
#include "startup/FrmTip.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kDifferenceFile = QStringLiteral("C:\\Programmi\\Tempora\\Savetime.TXT");
const QString kDefaultDifference = QStringLiteral("00.00.00");
const QString kDifferenceTip = QStringLiteral("hh.mm.ss difference");

const QColor kDarkGrey(64, 64, 64);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kLightCyan(192, 255, 255);
const QColor kCyan(0, 255, 255);
const QColor kGreen(0, 192, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kGreyText(96, 96, 96);
const QColor kButtonFace(192, 192, 192);
const QColor kWarningAmber(255, 192, 0);
const QString kArial = QStringLiteral("Arial");
constexpr qreal kDatePoints = 18;

struct Twips {
    int left, top, width, height;
};

struct LabelLook {
    QColor text;
    QColor background;
    QFont font;
    Qt::Alignment alignment;
};

QWidget* addShape(QWidget* client, const char* name, Twips at, const QColor& colour) {
    auto* shape = new QFrame(client);
    shape->setObjectName(QLatin1String(name));
    DesignLook::place(shape, at.left, at.top, at.width, at.height);
    DesignLook::paint(shape, colour);
    return shape;
}

template <class L>
L* addLabel(QWidget* client, const char* name, Twips at, const LabelLook& look,
            const QString& caption = QString(), const QString& toolTip = QString()) {
    auto* label = new L(client);
    label->setObjectName(QLatin1String(name));
    DesignLook::place(label, at.left, at.top, at.width, at.height);
    DesignLook::paint(label, look.background, look.text);
    label->setFont(look.font);
    label->setAlignment(look.alignment | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(caption);
    label->setToolTip(toolTip);
    return label;
}

// Shows a text whole on one line: in the given font where it fits the label, else in the largest
// smaller size that does (the locale's time text of the load, "2:05:09 PM", is wider than a clock).
void showWhole(QLabel* label, const QString& text, QFont font) {
    while (font.pointSizeF() > 6 &&
           QFontMetricsF(font).horizontalAdvance(text) > label->contentsRect().width())
        font.setPointSizeF(font.pointSizeF() - 0.75);
    if (label->font() != font)
        label->setFont(font);
    label->setText(text);
}

} // namespace

Form1::Form1(Services& services, Windows& windows)
    : Window(services, windows, Qt::Tool | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tempora by Q0ZZZ"));

    // No title bar: the menu bar sits on top of the strip as an ordinary child, the client
    // area of the design below it, and dragging the client area's background moves the window.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* menuBar = new QMenuBar(this);
    menuBar->setNativeMenuBar(false);
    layout->setMenuBar(menuBar);
    auto* client = new QWidget(this);
    client->setFixedSize(DesignLook::pixels(9585), DesignLook::pixels(1140));
    DesignLook::paint(client, kDarkGrey);
    client->setFont(DesignLook::font(kArial, 8.25, true));
    layout->addWidget(client);
    new WindowDragger(client);
    move(DesignLook::pixels(2145), DesignLook::pixels(825));

    buildClientArea(client);
    buildMenuBar(menuBar);

    m_dateTimer = addTimer("Timer1", &Form1::tickDate);
    m_shifted[0].timer = addTimer("Timer2", &Form1::tickMinusStart);
    m_shifted[1].timer = addTimer("Timer3", &Form1::tickMinusStop);
    m_shifted[2].timer = addTimer("Timer4", &Form1::tickPlusStart);
    m_shifted[3].timer = addTimer("Timer5", &Form1::tickPlusStop);
    m_timeTimer = addTimer("Timer6", &Form1::tickTime);
}

void Form1::buildClientArea(QWidget* client) {
    const QColor heading = palette().color(QPalette::HighlightedText);
    const QFont headingFont = DesignLook::font(kArial, 9.75, true);
    m_clockFont = DesignLook::font(kArial, 15.75);
    const LabelLook headingOnGrey{heading, kDarkGrey, headingFont, Qt::AlignHCenter};
    const LabelLook whiteHeading{kWhite, kDarkGrey, headingFont, Qt::AlignHCenter};
    const LabelLook headingOnBlack{heading, kBlack, headingFont, Qt::AlignHCenter};
    const LabelLook plusClock{kYellow, kDarkGrey, m_clockFont, Qt::AlignHCenter};
    const LabelLook minusClock{kYellow, kDarkGrey, m_clockFont, Qt::AlignRight};
    const QString stopTip = QStringLiteral("Click here for to stop the clock");

    // Created back to front: a later sibling is drawn above an earlier one.
    m_startStopped = addShape(client, "Shape3", {1680, 360, 1575, 615}, kRed);
    m_stopStopped = addShape(client, "Shape5", {3240, 360, 1455, 615}, kRed);
    m_startRunning = addShape(client, "Shape2", {1680, 360, 1575, 615}, kGreen);
    addShape(client, "Shape6", {4680, 360, 1575, 615}, kCyan);
    m_stopRunning = addShape(client, "Shape4", {3240, 360, 1455, 615}, kGreen);
    addShape(client, "Shape1", {120, 360, 1575, 615}, kCyan);
    for (QWidget* indicator : {m_startRunning, m_startStopped, m_stopRunning, m_stopStopped})
        indicator->hide();

    m_pcDate = addLabel<QLabel>(
        client, "Label1", {240, 480, 1335, 375},
        {kYellow, kDarkGrey, DesignLook::font(kArial, kDatePoints, true), Qt::AlignHCenter},
        QString(), QStringLiteral("Local Date"));
    addLabel<QLabel>(client, "Label3", {1800, 0, 1335, 255}, whiteHeading,
                     QStringLiteral("Start QSO"));
    addLabel<QLabel>(client, "Label5", {3360, 0, 1215, 255}, whiteHeading,
                     QStringLiteral("Stop QSO"));
    m_pcTime = addLabel<QLabel>(client, "Label6", {4800, 480, 1335, 375},
                                {kWhite, kDarkGrey, m_clockFont, Qt::AlignHCenter}, QString(),
                                QStringLiteral("Local Time"));
    auto* minusStart = addLabel<ClockLabel>(client, "Label7", {1800, 480, 1335, 375}, minusClock,
                                            QString(), stopTip);
    auto* plusStart = addLabel<ClockLabel>(client, "Label2", {1800, 480, 1335, 375}, plusClock,
                                           QString(), QStringLiteral("Click when starts QSO"));
    // As wide as the start clocks, a little left inside their frames: "hh:mm:ss " needs it.
    auto* minusStop = addLabel<ClockLabel>(client, "Label8", {3300, 480, 1335, 375}, minusClock,
                                           QString(), stopTip);
    auto* plusStop = addLabel<ClockLabel>(client, "Label4", {3300, 480, 1335, 375}, plusClock,
                                          QString(), QStringLiteral("Click when stops QSO"));
    m_cityOffset = addLabel<QLabel>(client, "Label10", {6720, 600, 375, 375},
                                    {palette().color(QPalette::WindowText), kLightCyan,
                                     DesignLook::font(kArial, 11.25, true), Qt::AlignRight},
                                    QString(), QStringLiteral("+ or - the Legal Time"));
    m_cityOffset->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_cityOffset->hide();
    addLabel<QLabel>(client, "Label11", {4800, 0, 1335, 255}, headingOnGrey,
                     QStringLiteral("PC Time"));
    addLabel<QLabel>(client, "Label12", {240, 0, 1335, 255}, headingOnGrey,
                     QStringLiteral("PC Date"));
    addLabel<QLabel>(client, "Label9", {6480, 0, 975, 615}, headingOnBlack,
                     QStringLiteral("Time Difference"));
    addLabel<QLabel>(client, "Label13", {7680, 0, 1215, 495}, headingOnBlack,
                     QStringLiteral("Fused schedules"));

    m_shifted[0] = {minusStart, nullptr, CaptureState::Pair::Minus, CaptureState::Column::Start,
                    QDate()};
    m_shifted[1] = {minusStop, nullptr, CaptureState::Pair::Minus, CaptureState::Column::Stop,
                    QDate()};
    m_shifted[2] = {plusStart, nullptr, CaptureState::Pair::Plus, CaptureState::Column::Start,
                    QDate()};
    m_shifted[3] = {plusStop, nullptr, CaptureState::Pair::Plus, CaptureState::Column::Stop,
                    QDate()};
    m_pcDate->setWordWrap(false);
    m_pcTime->setWordWrap(false);
    for (std::size_t i = 0; i < m_shifted.size(); ++i) {
        m_shifted[i].label->setWordWrap(false);
        m_shifted[i].label->hide();
        connect(m_shifted[i].label, &ClockLabel::clicked, this,
                [this, i] { capture(m_shifted[i]); });
    }

    m_differenceBox = new QLineEdit(client);
    m_differenceBox->setObjectName(QStringLiteral("Text1"));
    DesignLook::place(m_differenceBox, 6360, 600, 1215, 360);
    DesignLook::paint(m_differenceBox, kLightCyan);
    m_differenceBox->setFont(DesignLook::font(kArial, 14.25, true));
    m_differenceBox->setToolTip(kDifferenceTip);
    m_differenceBox->setEnabled(false);
    // A disabled box greys its text; Qt's own grey all but vanishes on light cyan.
    QPalette boxPalette = m_differenceBox->palette();
    boxPalette.setColor(QPalette::Disabled, QPalette::Text, kGreyText);
    m_differenceBox->setPalette(boxPalette);
    m_differenceBoxPalette = boxPalette;
    m_differenceBox->setText(kDefaultDifference);

    m_cityList = new QComboBox(client);
    m_cityList->setObjectName(QStringLiteral("Combo1"));
    // Six pixels wider than designed, up to the "Log" button, so that every city name shows.
    DesignLook::place(m_cityList, 7680, 600, 1305, 315);
    DesignLook::paint(m_cityList, kLightCyan);
    m_cityList->setFont(DesignLook::font(QStringLiteral("MS Sans Serif"), 8.25));
    m_cityList->setToolTip(QStringLiteral("Fused schedules"));
    for (const CityTable::City& city : CityTable::cities())
        m_cityList->addItem(city.name, city.offset);
    m_cityList->setCurrentIndex(-1);
    connect(m_cityList, &QComboBox::activated, this, &Form1::chooseCity);

    auto* logButton = new QPushButton(QStringLiteral("Log"), client);
    logButton->setObjectName(QStringLiteral("Command1"));
    DesignLook::place(logButton, 9000, 600, 495, 375);
    // The strip's dark grey would leave the caption black on dark grey: a plain button face.
    DesignLook::paint(logButton, kButtonFace, Qt::black);
    connect(logButton, &QPushButton::clicked, this, [this] { windows().frmLog1().show(); });
}

void Form1::buildMenuBar(QMenuBar* menuBar) {
    const auto name = [](QObject* object, const char* objectName) {
        object->setObjectName(QLatin1String(objectName));
    };

    QMenu* close = menuBar->addMenu(QStringLiteral("Close"));
    name(close, "close");
    QAction* confirm = close->addAction(QStringLiteral("Confirm Exit"));
    name(confirm, "confirm");
    connect(confirm, &QAction::triggered, this, &Form1::confirmExit);

    QAction* info = menuBar->addAction(QStringLiteral("Info"));
    name(info, "info");
    connect(info, &QAction::triggered, this, [this] { windows().frmTip().show(); });

    QAction* set = menuBar->addAction(QStringLiteral("Time Difference"));
    name(set, "set");
    connect(set, &QAction::triggered, this, &Form1::showDifferenceBox);

    QMenu* plusOrMinus = menuBar->addMenu(QStringLiteral("Time + / -"));
    name(plusOrMinus, "timepiuomeno");
    QAction* piu = plusOrMinus->addAction(QStringLiteral("+"));
    name(piu, "piu");
    connect(piu, &QAction::triggered, this, [this] { choosePair(CaptureState::Pair::Plus); });
    QAction* meno = plusOrMinus->addAction(QStringLiteral("_"));
    name(meno, "meno");
    connect(meno, &QAction::triggered, this, [this] { choosePair(CaptureState::Pair::Minus); });

    QAction* restart = menuBar->addAction(QStringLiteral("Restart Clocks"));
    name(restart, "restart");
    connect(restart, &QAction::triggered, this, &Form1::restartClocks);

    QAction* copyLog = menuBar->addAction(QStringLiteral("Copy Log"));
    name(copyLog, "Copy_log");
    connect(copyLog, &QAction::triggered, this, [this] { windows().form2().show(); });
}

SecondTimer* Form1::addTimer(const char* name, void (Form1::*tick)()) {
    auto* timer = new SecondTimer(services().clock, this);
    timer->setObjectName(QLatin1String(name));
    connect(timer, &SecondTimer::timeout, this, tick);
    return timer;
}

void Form1::load() {
    m_dateTimer->start();
    m_timeTimer->start();
    mirrorCaptureState();

    const QDateTime now = services().clock.now();
    showDate(now.date());
    show();
    m_differenceBox->setText(kDefaultDifference);
    const QString placeholder = services().formats.systemTimeText(now.time());
    // Label8 keeps its empty caption until its first tick.
    for (QLabel* label :
         {static_cast<QLabel*>(m_shifted[2].label), static_cast<QLabel*>(m_shifted[3].label),
          m_pcTime, static_cast<QLabel*>(m_shifted[0].label)})
        showWhole(label, placeholder, m_clockFont);
    readDifferenceFile();
}

void Form1::readDifferenceFile() {
    TextFileReader reader;
    QString content;
    if (!reader.read(services().paths.resolve(kDifferenceFile), &content)) {
        services().errors.fail(
            QStringLiteral("%1\nThe file %2 must hold the local time's difference from UTC as "
                           "hh.mm.ss, for example 01.00.00.")
                .arg(reader.lastError(), kDifferenceFile));
        return;
    }
    m_differenceBox->setText(content);
    // Show the start of the text, not the line break at its end.
    m_differenceBox->setCursorPosition(0);
    checkStationTime(services().clock.now());
}

qint64 Form1::hourOf(const QDateTime& now) {
    return now.date().toJulianDay() * 24 + now.time().hour();
}

void Form1::checkStationTime(const QDateTime& now) {
    m_checkedHour = hourOf(now);
    const QString text = m_differenceBox->text();
    std::optional<int> seconds;
    if (DifferenceText::check(text) == DifferenceText::Check::Convert)
        seconds = DifferenceText().seconds(text);
    showStationTime(seconds ? StationTime::disagreement(now, *seconds, text, m_capture.shownPair())
                            : QString());
}

void Form1::showStationTime(const QString& warning) {
    if (warning.isEmpty()) {
        m_differenceBox->setPalette(m_differenceBoxPalette);
        m_differenceBox->setToolTip(kDifferenceTip);
        return;
    }
    // Black on amber in every state: the disabled box's grey would not read on amber.
    QPalette palette = m_differenceBoxPalette;
    palette.setColor(QPalette::Base, kWarningAmber);
    palette.setColor(QPalette::Window, kWarningAmber);
    palette.setColor(QPalette::Text, kBlack);
    m_differenceBox->setPalette(palette);
    m_differenceBox->setToolTip(warning);
}

QString Form1::startText() const {
    return transferredClock(CaptureState::Column::Start).label->text();
}

QString Form1::stopText() const {
    return transferredClock(CaptureState::Column::Stop).label->text();
}

QDate Form1::startDate() const {
    return transferredClock(CaptureState::Column::Start).date;
}

const Form1::ShiftedClock& Form1::transferredClock(CaptureState::Column column) const {
    // m_shifted holds the minus pair's start and stop, then the plus pair's.
    return m_shifted[int(m_capture.transferredPair()) * 2 + int(column)];
}

void Form1::tickDate() {
    showDate(services().clock.now().date());
}

void Form1::showDate(const QDate& date) {
    const QString text = services().formats.dateText(date);
    // With a four-digit year the date is wider than its field at the design's size.
    showWhole(m_pcDate, text, DesignLook::font(kArial, kDatePoints, true));
}

void Form1::tickMinusStart() {
    tickShifted(m_shifted[0]);
}

void Form1::tickMinusStop() {
    tickShifted(m_shifted[1]);
}

void Form1::tickPlusStart() {
    tickShifted(m_shifted[2]);
}

void Form1::tickPlusStop() {
    tickShifted(m_shifted[3]);
}

void Form1::tickTime() {
    const QDateTime now = services().clock.now();
    showClockText(m_pcTime, ClockText::of(now.time(), services().formats.timeSeparator()));
    // Every whole hour, so that a change to or from summer time while the strip runs shows.
    if (hourOf(now) != m_checkedHour)
        checkStationTime(now);
}

void Form1::showClockText(QLabel* label, const QString& text) {
    // The placeholder of the load may have left a smaller size; a clock text fits the design's.
    if (label->font() != m_clockFont)
        label->setFont(m_clockFont);
    label->setText(text);
}

void Form1::tickShifted(ShiftedClock& clock) {
    // While the warning is open the clocks wait for it rather than warn again.
    if (m_warningOpen)
        return;
    const QString text = m_differenceBox->text();
    switch (DifferenceText::check(text)) {
    case DifferenceText::Check::Skip:
        return;
    case DifferenceText::Check::Warn:
        warnDeletedDifference();
        return;
    case DifferenceText::Check::Convert:
        break;
    }
    DifferenceText difference;
    const std::optional<int> seconds = difference.seconds(text);
    if (!seconds) {
        reportUnreadable(text, difference.lastError());
        return;
    }
    const int sign = clock.pair == CaptureState::Pair::Minus ? -1 : 1;
    const ShiftedTime shifted(services().clock.now(), sign * *seconds);
    showClockText(clock.label, ClockText::of(shifted.time(), services().formats.timeSeparator()));
    clock.date = shifted.date();
}

void Form1::warnDeletedDifference() {
    m_warningOpen = true;
    const QPointer<Form1> alive(this);
    services().dialogs.message(QStringLiteral("Attenzione, modificare ma non cancellare!"),
                               Dialogs::Icon::Critical);
    if (!alive)
        return; // unloaded while the box was open
    m_warningOpen = false;
    m_differenceBox->setText(kDefaultDifference);
}

void Form1::reportUnreadable(const QString& text, const QString& description) {
    // Once per text: the clocks hold, and a box every second would make the strip unusable.
    if (m_reportedTexts.contains(text))
        return;
    m_reportedTexts.insert(text);
    services().dialogs.message(description, Dialogs::Icon::Critical);
}

void Form1::capture(ShiftedClock& clock) {
    for (int beep = 1; beep <= 3; ++beep)
        services().dialogs.beep();
    // A click in the first milliseconds of a second can come before that second's tick: freeze
    // the second in which the operator clicked, not the one before.
    if (m_capture.isRunning(clock.pair, clock.column))
        tickShifted(clock);
    m_capture.capture(clock.pair, clock.column);
    mirrorCaptureState();
}

void Form1::choosePair(CaptureState::Pair pair) {
    m_capture.choose(pair);
    mirrorCaptureState();
    checkStationTime(services().clock.now());
}

void Form1::restartClocks() {
    m_capture.restart();
    mirrorCaptureState();
}

void Form1::mirrorCaptureState() {
    for (const ShiftedClock& clock : m_shifted) {
        clock.label->setVisible(m_capture.shownPair() == clock.pair);
        const bool running = m_capture.isRunning(clock.pair, clock.column);
        if (running && !clock.timer->isActive())
            clock.timer->start();
        else if (!running && clock.timer->isActive())
            clock.timer->stop();
    }
    m_startRunning->setVisible(m_capture.runningIndicator(CaptureState::Column::Start));
    m_startStopped->setVisible(m_capture.stoppedIndicator(CaptureState::Column::Start));
    m_stopRunning->setVisible(m_capture.runningIndicator(CaptureState::Column::Stop));
    m_stopStopped->setVisible(m_capture.stoppedIndicator(CaptureState::Column::Stop));
}

void Form1::chooseCity(int index) {
    m_cityOffset->setText(QString::number(m_cityList->itemData(index).toInt()));
    m_differenceBox->hide();
    m_cityOffset->show();
}

void Form1::showDifferenceBox() {
    m_differenceBox->show();
    m_cityOffset->hide();
}

void Form1::confirmExit() {
    // The log window goes first: when the operator goes back to changes it could not save, the
    // clock strip stays too. Unloading this window schedules its deletion: keep the registry.
    Windows& registry = windows();
    if (registry.frmLog1().unload())
        registry.form1().unload();
}
