#include "clock/Form1.h"

#include "app/Windows.h"
#include "backup/Form2.h"
#include "clock/CityTable.h"
#include "clock/ClockLabel.h"
#include "clock/ClockText.h"
#include "clock/DifferenceText.h"
#include "clock/ShiftedTime.h"
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

const QColor kDarkGrey(64, 64, 64);
const QColor kYellow(255, 255, 0);
const QColor kWhite(255, 255, 255);
const QColor kLightCyan(192, 255, 255);
const QColor kCyan(0, 255, 255);
const QColor kGreen(0, 192, 0);
const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QColor kGreyText(128, 128, 128);
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

    m_timer1 = addTimer("Timer1", &Form1::tickTimer1);
    m_shifted[0].timer = addTimer("Timer2", &Form1::tickTimer2);
    m_shifted[1].timer = addTimer("Timer3", &Form1::tickTimer3);
    m_shifted[2].timer = addTimer("Timer4", &Form1::tickTimer4);
    m_shifted[3].timer = addTimer("Timer5", &Form1::tickTimer5);
    m_timer6 = addTimer("Timer6", &Form1::tickTimer6);
}

void Form1::buildClientArea(QWidget* client) {
    const QColor heading = palette().color(QPalette::HighlightedText);
    const QFont headingFont = DesignLook::font(kArial, 9.75, true);
    const QFont clockFont = DesignLook::font(kArial, 15.75);
    const LabelLook headingOnGrey{heading, kDarkGrey, headingFont, Qt::AlignHCenter};
    const LabelLook whiteHeading{kWhite, kDarkGrey, headingFont, Qt::AlignHCenter};
    const LabelLook headingOnBlack{heading, kBlack, headingFont, Qt::AlignHCenter};
    const LabelLook plusClock{kYellow, kDarkGrey, clockFont, Qt::AlignHCenter};
    const LabelLook minusClock{kYellow, kDarkGrey, clockFont, Qt::AlignRight};
    const QString stopTip = QStringLiteral("Click here for to stop the clock");

    // Created back to front: a later sibling is drawn above an earlier one.
    m_shape3 = addShape(client, "Shape3", {1680, 360, 1575, 615}, kRed);
    m_shape5 = addShape(client, "Shape5", {3240, 360, 1455, 615}, kRed);
    m_shape2 = addShape(client, "Shape2", {1680, 360, 1575, 615}, kGreen);
    addShape(client, "Shape6", {4680, 360, 1575, 615}, kCyan);
    m_shape4 = addShape(client, "Shape4", {3240, 360, 1455, 615}, kGreen);
    addShape(client, "Shape1", {120, 360, 1575, 615}, kCyan);
    for (QWidget* indicator : {m_shape2, m_shape3, m_shape4, m_shape5})
        indicator->hide();

    m_label1 = addLabel<QLabel>(
        client, "Label1", {240, 480, 1335, 375},
        {kYellow, kDarkGrey, DesignLook::font(kArial, kDatePoints, true), Qt::AlignHCenter},
        QString(), QStringLiteral("Local Date"));
    addLabel<QLabel>(client, "Label3", {1800, 0, 1335, 255}, whiteHeading,
                     QStringLiteral("Start QSO"));
    addLabel<QLabel>(client, "Label5", {3360, 0, 1215, 255}, whiteHeading,
                     QStringLiteral("Stop QSO"));
    m_label6 = addLabel<QLabel>(client, "Label6", {4800, 480, 1335, 375},
                                {kWhite, kDarkGrey, clockFont, Qt::AlignHCenter}, QString(),
                                QStringLiteral("Local Time"));
    auto* label7 = addLabel<ClockLabel>(client, "Label7", {1800, 480, 1335, 375}, minusClock,
                                        QString(), stopTip);
    auto* label2 = addLabel<ClockLabel>(client, "Label2", {1800, 480, 1335, 375}, plusClock,
                                        QString(), QStringLiteral("Click when starts QSO"));
    auto* label8 = addLabel<ClockLabel>(client, "Label8", {3360, 480, 1215, 375}, minusClock,
                                        QString(), stopTip);
    auto* label4 = addLabel<ClockLabel>(client, "Label4", {3360, 480, 1215, 375}, plusClock,
                                        QString(), QStringLiteral("Click when stops QSO"));
    m_label10 = addLabel<QLabel>(client, "Label10", {6720, 600, 375, 375},
                                 {palette().color(QPalette::WindowText), kLightCyan,
                                  DesignLook::font(kArial, 11.25, true), Qt::AlignRight},
                                 QString(), QStringLiteral("+ or - the Legal Time"));
    m_label10->setFrameStyle(QFrame::Box | QFrame::Plain);
    m_label10->hide();
    addLabel<QLabel>(client, "Label11", {4800, 0, 1335, 255}, headingOnGrey,
                     QStringLiteral("PC Time"));
    addLabel<QLabel>(client, "Label12", {240, 0, 1335, 255}, headingOnGrey,
                     QStringLiteral("PC Date"));
    addLabel<QLabel>(client, "Label9", {6480, 0, 975, 615}, headingOnBlack,
                     QStringLiteral("Time Difference"));
    addLabel<QLabel>(client, "Label13", {7680, 0, 1215, 495}, headingOnBlack,
                     QStringLiteral("Fused schedules"));

    m_shifted[0] = {label7, nullptr, CaptureState::Pair::Minus, CaptureState::Column::Start,
                    QDate()};
    m_shifted[1] = {label8, nullptr, CaptureState::Pair::Minus, CaptureState::Column::Stop,
                    QDate()};
    m_shifted[2] = {label2, nullptr, CaptureState::Pair::Plus, CaptureState::Column::Start,
                    QDate()};
    m_shifted[3] = {label4, nullptr, CaptureState::Pair::Plus, CaptureState::Column::Stop, QDate()};
    for (std::size_t i = 0; i < m_shifted.size(); ++i) {
        m_shifted[i].label->hide();
        connect(m_shifted[i].label, &ClockLabel::clicked, this,
                [this, i] { capture(m_shifted[i]); });
    }

    m_text1 = new QLineEdit(client);
    m_text1->setObjectName(QStringLiteral("Text1"));
    DesignLook::place(m_text1, 6360, 600, 1215, 360);
    DesignLook::paint(m_text1, kLightCyan);
    m_text1->setFont(DesignLook::font(kArial, 14.25, true));
    m_text1->setToolTip(QStringLiteral("hh.mm.ss difference"));
    m_text1->setEnabled(false);
    // A disabled box greys its text; Qt's own grey all but vanishes on light cyan.
    QPalette boxPalette = m_text1->palette();
    boxPalette.setColor(QPalette::Disabled, QPalette::Text, kGreyText);
    m_text1->setPalette(boxPalette);
    m_text1->setText(kDefaultDifference);

    m_combo1 = new QComboBox(client);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    DesignLook::place(m_combo1, 7680, 600, 1215, 315);
    DesignLook::paint(m_combo1, kLightCyan);
    m_combo1->setFont(DesignLook::font(QStringLiteral("MS Sans Serif"), 8.25));
    m_combo1->setToolTip(QStringLiteral("Fused schedules"));
    for (const CityTable::City& city : CityTable::cities())
        m_combo1->addItem(city.name, city.offset);
    m_combo1->setCurrentIndex(-1);
    connect(m_combo1, &QComboBox::activated, this, &Form1::chooseCity);

    auto* command1 = new QPushButton(QStringLiteral("Log"), client);
    command1->setObjectName(QStringLiteral("Command1"));
    DesignLook::place(command1, 9000, 600, 495, 375);
    connect(command1, &QPushButton::clicked, this, [this] { windows().frmLog1().show(); });
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
    m_timer1->start();
    m_timer6->start();
    mirrorCaptureState();

    const QDateTime now = services().clock.now();
    showDate(now.date());
    show();
    m_text1->setText(kDefaultDifference);
    const QString placeholder = services().formats.systemTimeText(now.time());
    // Label8 keeps its empty caption until its first tick.
    for (QLabel* label :
         {static_cast<QLabel*>(m_shifted[2].label), static_cast<QLabel*>(m_shifted[3].label),
          m_label6, static_cast<QLabel*>(m_shifted[0].label)})
        label->setText(placeholder);
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
    m_text1->setText(content);
    m_text1->setCursorPosition(0); // show the start of the text, not the line break at its end
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

void Form1::tickTimer1() {
    showDate(services().clock.now().date());
}

void Form1::showDate(const QDate& date) {
    const QString text = services().formats.dateText(date);
    // With a four-digit year the date is wider than its field at the design's size: shrink the
    // font until the whole date shows rather than clip its first and last digits.
    QFont font = DesignLook::font(kArial, kDatePoints, true);
    while (font.pointSizeF() > 6 && QFontMetricsF(font).horizontalAdvance(text) > m_label1->width())
        font.setPointSizeF(font.pointSizeF() - 0.75);
    m_label1->setFont(font);
    m_label1->setText(text);
}

void Form1::tickTimer2() {
    tickShifted(m_shifted[0]);
}

void Form1::tickTimer3() {
    tickShifted(m_shifted[1]);
}

void Form1::tickTimer4() {
    tickShifted(m_shifted[2]);
}

void Form1::tickTimer5() {
    tickShifted(m_shifted[3]);
}

void Form1::tickTimer6() {
    m_label6->setText(
        ClockText::of(services().clock.now().time(), services().formats.timeSeparator()));
}

void Form1::tickShifted(ShiftedClock& clock) {
    // While the warning is open the clocks wait for it rather than warn again.
    if (m_warningOpen)
        return;
    const QString text = m_text1->text();
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
    clock.label->setText(ClockText::of(shifted.time(), services().formats.timeSeparator()));
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
    m_text1->setText(kDefaultDifference);
}

void Form1::reportUnreadable(const QString& text, const QString& description) {
    // Once per text: the clocks hold, and a box every second would make the strip unusable.
    if (m_reportedTexts.contains(text))
        return;
    m_reportedTexts.insert(text);
    services().dialogs.message(description, Dialogs::Icon::Critical);
}

void Form1::capture(const ShiftedClock& clock) {
    for (int beep = 1; beep <= 3; ++beep)
        services().dialogs.beep();
    m_capture.capture(clock.pair, clock.column);
    mirrorCaptureState();
}

void Form1::choosePair(CaptureState::Pair pair) {
    m_capture.choose(pair);
    mirrorCaptureState();
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
    m_shape2->setVisible(m_capture.runningIndicator(CaptureState::Column::Start));
    m_shape3->setVisible(m_capture.stoppedIndicator(CaptureState::Column::Start));
    m_shape4->setVisible(m_capture.runningIndicator(CaptureState::Column::Stop));
    m_shape5->setVisible(m_capture.stoppedIndicator(CaptureState::Column::Stop));
}

void Form1::chooseCity(int index) {
    m_label10->setText(QString::number(m_combo1->itemData(index).toInt()));
    m_text1->hide();
    m_label10->show();
}

void Form1::showDifferenceBox() {
    m_text1->show();
    m_label10->hide();
}

void Form1::confirmExit() {
    // The log window goes first: when the operator goes back to changes it could not save, the
    // clock strip stays too. Unloading this window schedules its deletion: keep the registry.
    Windows& registry = windows();
    if (registry.frmLog1().unload())
        registry.form1().unload();
}
