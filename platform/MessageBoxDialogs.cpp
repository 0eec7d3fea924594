#include "platform/MessageBoxDialogs.h"

#include "platform/WholePaths.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace {
const QString kTitle = QStringLiteral("Tempora");
}

void MessageBoxDialogs::message(const QString& text, Icon icon) {
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon, kTitle,
                    WholePaths::apply(text), QMessageBox::Ok);
    box.exec();
}

void MessageBoxDialogs::beep() {
    QApplication::beep();
}

bool MessageBoxDialogs::question(const QString& text) {
    return QMessageBox::question(nullptr, kTitle, WholePaths::apply(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int MessageBoxDialogs::choice(const QString& text, const QStringList& options) {
    QInputDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(kTitle);
    dialog.setLabelText(WholePaths::apply(text));
    dialog.setComboBoxItems(options);
    dialog.setComboBoxEditable(false);
    if (dialog.exec() != QDialog::Accepted)
        return -1;
    return int(options.indexOf(dialog.textValue()));
}
