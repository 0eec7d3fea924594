#include "platform/MessageBoxDialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {
const QString kTitle = QStringLiteral("Tempora");
}

void MessageBoxDialogs::message(const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, kTitle,
                    text, QMessageBox::Ok);
    box.exec();
}

void MessageBoxDialogs::beep() {
    QApplication::beep();
}

bool MessageBoxDialogs::question(const QString& text) {
    return QMessageBox::question(nullptr, kTitle, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}
