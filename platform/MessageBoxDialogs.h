#pragma once

#include "platform/Dialogs.h"

// Dialogs through QMessageBox and the system beep.
class MessageBoxDialogs : public Dialogs {
public:
    void message(const QString& text, Icon icon) override;
    void beep() override;
    bool question(const QString& text) override;
};
