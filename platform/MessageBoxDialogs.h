#pragma once

#include "platform/Dialogs.h"

// Dialogs through QMessageBox, QInputDialog and the system beep. A quoted path in a text is
// shown whole (see WholePaths).
class MessageBoxDialogs : public Dialogs {
public:
    void message(const QString& text, Icon icon) override;
    void beep() override;
    bool question(const QString& text) override;
    int choice(const QString& text, const QStringList& options) override;
};
