#include "startup/FrmTip.h"

#include "platform/DesignLook.h"
#include "platform/Services.h"
#include "startup/ShowTipsSetting.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

FrmTip::FrmTip(Services& services, Windows& windows)
    : Window(services, windows,
             Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmTip"));
    setWindowTitle(QStringLiteral("Tempora - Informazioni"));
    setFont(DesignLook::font(QStringLiteral("MS Sans Serif"), 8.25));
    // Opens where it was designed; the window manager may still place it elsewhere.
    setGeometry(DesignLook::rect(3150, 1485, 6165, 5880));

    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("Picture1"));
    DesignLook::paint(page, QColor(255, 255, 255));
    DesignLook::place(page, 120, 120, 5895, 5115);

    auto* text = new QLabel(description(), page);
    text->setObjectName(QStringLiteral("Label1"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    text->setFont(DesignLook::font(QStringLiteral("Comic Sans MS"), 9.75, true));
    DesignLook::paint(text, QColor(192, 255, 255), QColor(0, 0, 192));
    DesignLook::place(text, 120, 120, 5655, 4815);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("cmdOK"));
    m_okButton->setDefault(true);
    DesignLook::place(m_okButton, 2760, 5400, 615, 375);
    m_okButton->setFocus();
    connect(m_okButton, &QPushButton::clicked, this, &FrmTip::okClicked);
}

void FrmTip::load() {
    if (!ShowTipsSetting(services().settings).showsWindow())
        unload();
}

QString FrmTip::description() {
    return QStringLiteral(
        "Tempora, by Q0ZZZ, è un programma per la gestione del Log di stazione di Radioamatore "
        "che offre una semplificazione e velocizzazione delle procedure per la memorizzazione dei "
        "dati: \"DATA\" - \"TIME INIT\" - TIME END\" del QSO. Permette infatti di memorizzare "
        "nelle relative finestre, cliccando direttamente sulle stesse, gli orari UTC di inizio e "
        "fine QSO, trasferendoli direttamente nel Log con un doppio click sulla colonna \"CALL\", "
        "nonché di conoscere la differenza, rispetto all'orario UTC, dei paesi inseriti. Nella "
        "cartella Tempora è presente il file di testo: \"Savetime\". Per settare la differenza "
        "orario locale, rispetto all'orario UTC, aprirlo, modificarlo e salvarlo. E' consigliabile "
        "non modificare il percorso di installazione del programma.   Per qualsiasi richiesta di "
        "chiarimenti, è sufficiente inviare un'e-mail all'indirizzo: q0zzz@example.org.  Ottimi "
        "DX e '73 !");
}

void FrmTip::keyPressEvent(QKeyEvent* event) {
    // OK is both the default button (Enter) and the cancel button (Escape), wherever the focus is.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        m_okButton->click();
        break;
    default:
        Window::keyPressEvent(event);
    }
}

void FrmTip::okClicked() {
    unload();
}
