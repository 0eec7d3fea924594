#include "backup/Form2.h"

#include "platform/DesignLook.h"
#include "platform/Dialogs.h"
#include "platform/FileCopier.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

Form2::Form2(Services& services, Windows& windows)
    : Window(services, windows), m_label1(new QLabel(this)), m_command1(new QPushButton(this)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Copy Log"));
    resize(DesignLook::pixels(4020), DesignLook::pixels(1350));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setText(QStringLiteral("Insert an empty floppy in the drive \"A\""));
    m_label1->setAlignment(Qt::AlignCenter);
    m_label1->setWordWrap(true);
    m_label1->setFont(DesignLook::font(QStringLiteral("Arial"), 11.25, true));
    DesignLook::paint(m_label1, Qt::black,
                      QApplication::palette().color(QPalette::HighlightedText));
    DesignLook::place(m_label1, 120, 120, 3735, 615);

    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setText(QStringLiteral("Start Copy"));
    DesignLook::place(m_command1, 1440, 720, 1095, 375);
    m_command1->setFocus();
    connect(m_command1, &QPushButton::clicked, this, &Form2::startCopy);
}

void Form2::startCopy() {
    const FileCopier::Result result = services().copier.copy(
        QStringLiteral("C:\\Programmi\\Tempora\\Tempora.mdb"), QStringLiteral("A:\\"));
    if (result.code != 0)
        services().dialogs.message(QString::number(result.code));
    else if (result.aborted)
        services().dialogs.message(QStringLiteral("Operazione annullata dall'utente!"));
    unload();
}
