#include "startup/FrmSplash.h"

#include "app/Windows.h"
#include "clock/Form1.h"
#include "platform/DesignLook.h"
#include "startup/ClickWatcher.h"
#include "startup/FrmTip.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <qdrawutil.h>

namespace {

// The window has no title bar but keeps a raised dialog border of this width around its client
// area, drawn by the window itself because the window manager draws none on a frameless window.
constexpr int border = 3;

QLabel* caption(QWidget* parent, const char* name, const QString& text, const QFont& font,
                const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setFont(font);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    // A click on a caption does nothing, and must not reach the frame beneath it.
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

QLabel* picture(QWidget* parent, const char* name, const QString& resource) {
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setPixmap(QPixmap(resource));
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text) {
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

} // namespace

// Outside any namespace: the macro declares the resource's registration function.
static void registerPictures() {
    Q_INIT_RESOURCE(startup);
}

FrmSplash::FrmSplash(Services& services, Windows& windows)
    : Window(services, windows, Qt::Tool | Qt::FramelessWindowHint) {
    static const bool picturesRegistered = (registerPictures(), true);
    Q_UNUSED(picturesRegistered)

    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QString());
    setFont(DesignLook::font(QStringLiteral("MS Sans Serif"), 8.25));

    auto* client = new QWidget(this);
    client->setGeometry(border, border, DesignLook::pixels(6435), DesignLook::pixels(4410));
    setFixedSize(client->width() + 2 * border, client->height() + 2 * border);

    auto* frame = new QFrame(client);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    DesignLook::place(frame, 120, 0, 6225, 4275);

    const QFont arialBold = DesignLook::font(QStringLiteral("Arial"), 11.25, true);

    auto* productName =
        caption(frame, "lblProductName", QStringLiteral("Tempora Log"),
                DesignLook::font(QStringLiteral("Comic Sans MS"), 26.25, true), QColor(0, 0, 192));
    DesignLook::place(productName, 1800, 360, 4215, 855);
    productName->adjustSize();

    auto* author = caption(frame, "lblCompanyProduct", QStringLiteral("by Q0ZZZ"),
                           DesignLook::font(QStringLiteral("Arial"), 18, true), QColor(192, 0, 0));
    DesignLook::place(author, 3000, 1200, 1620, 435);
    author->adjustSize();

    // Made in drawing order: the clock picture lies above the antenna picture and hides it.
    m_antennaPicture = picture(frame, "Image2", QStringLiteral(":/startup/splash-antenna.gif"));
    DesignLook::place(m_antennaPicture, 600, 960, 675, 705);
    m_clockPicture = picture(frame, "Image1", QStringLiteral(":/startup/splash-clock.jpg"));
    DesignLook::place(m_clockPicture, 360, 720, 1125, 1125);

    auto* openButton = button(frame, "Command1", QStringLiteral("Apri"));
    openButton->setFont(arialBold);
    DesignLook::paint(openButton, QColor(192, 255, 192));
    DesignLook::place(openButton, 2640, 2400, 1095, 495);

    auto* exitButton = button(frame, "Command2", QStringLiteral("Esci"));
    exitButton->setFont(arialBold);
    DesignLook::paint(exitButton, QColor(255, 128, 128));
    DesignLook::place(exitButton, 3960, 2400, 1095, 495);

    auto* infoButton = button(frame, "Command3", QStringLiteral("INFO"));
    DesignLook::place(infoButton, 480, 2400, 855, 495);

    setTabOrder(openButton, exitButton);
    setTabOrder(exitButton, infoButton);
    openButton->setFocus();

    connect(openButton, &QPushButton::clicked, this, &FrmSplash::openClicked);
    connect(exitButton, &QPushButton::clicked, this, &FrmSplash::exitClicked);
    connect(infoButton, &QPushButton::clicked, this, &FrmSplash::infoClicked);
    connect(new ClickWatcher(frame), &ClickWatcher::clicked, this, &FrmSplash::frameClicked);
    connect(new ClickWatcher(m_clockPicture), &ClickWatcher::clicked, this,
            &FrmSplash::clockPictureClicked);
    connect(new ClickWatcher(m_antennaPicture), &ClickWatcher::clicked, this,
            &FrmSplash::antennaPictureClicked);

    // Key preview: the window sees a key before the button that has the focus.
    for (QPushButton* command : {openButton, exitButton, infoButton})
        command->installEventFilter(this);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

bool FrmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && previewKey(static_cast<QKeyEvent*>(event)))
        return true;
    return Window::eventFilter(watched, event);
}

void FrmSplash::keyPressEvent(QKeyEvent* event) {
    if (!previewKey(event))
        Window::keyPressEvent(event);
}

void FrmSplash::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette());
}

bool FrmSplash::previewKey(const QKeyEvent* event) {
    // Only a key that types a character closes the window: letters, digits, punctuation, the
    // space bar, Enter and Escape. Tab keeps moving the focus; Delete, the arrows and shortcuts
    // held with Alt or Ctrl type nothing, even where the window system gives them a text.
    const bool shortcut =
        event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier);
    const bool entersOrEscapes = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
                                 event->key() == Qt::Key_Escape;
    const QString text = event->text();
    if (shortcut || !(entersOrEscapes || (!text.isEmpty() && text.front().isPrint())))
        return false;
    unload();
    return true;
}

void FrmSplash::openClicked() {
    // If the clock window could not be shown, the start-up window stays, so that a window remains.
    if (!windows().form1().show())
        return;
    unload();
}

void FrmSplash::exitClicked() {
    unload();
}

void FrmSplash::infoClicked() {
    windows().frmTip().show();
}

void FrmSplash::frameClicked() {
    unload();
}

void FrmSplash::clockPictureClicked() {
    m_clockPicture->hide();
    m_antennaPicture->show();
}

void FrmSplash::antennaPictureClicked() {
    m_clockPicture->show();
    m_antennaPicture->hide();
}
