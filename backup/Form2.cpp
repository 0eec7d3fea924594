#include "backup/Form2.h"

#include "platform/DesignLook.h"
#include "platform/Dialogs.h"
#include "platform/FileCopier.h"
#include "platform/Services.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

Form2::Form2(Services& services, Windows& windows) : Window(services, windows) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Copy Log"));
    resize(DesignLook::pixels(4020), DesignLook::pixels(1350));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    auto* instruction = new QLabel(this);
    instruction->setObjectName(QStringLiteral("Label1"));
    instruction->setText(QStringLiteral("Insert an empty floppy in the drive \"A\""));
    instruction->setAlignment(Qt::AlignCenter);
    instruction->setWordWrap(true);
    instruction->setFont(DesignLook::font(QStringLiteral("Arial"), 11.25, true));
    DesignLook::paint(instruction, Qt::black,
                      QApplication::palette().color(QPalette::HighlightedText));
    DesignLook::place(instruction, 120, 120, 3735, 615);

    auto* startCopy = new QPushButton(this);
    startCopy->setObjectName(QStringLiteral("Command1"));
    startCopy->setText(QStringLiteral("Start Copy"));
    DesignLook::place(startCopy, 1440, 720, 1095, 375);
    startCopy->setFocus();
    connect(startCopy, &QPushButton::clicked, this, &Form2::startCopyClicked);
}

void Form2::startCopyClicked() {
    const FileCopier::Result result = services().copier.copy(
        QStringLiteral("C:\\Programmi\\Tempora\\Tempora.mdb"), QStringLiteral("A:\\"));
    if (result.code != 0)
        services().dialogs.message(QString::number(result.code));
    else if (result.aborted)
        services().dialogs.message(QStringLiteral("Operazione annullata dall'utente!"));
    unload();
}
