#pragma once

#include <QString>
#include <QStringList>

// The operator-facing dialogs and sound. Every message box has the title "Tempora" and a single
// OK button; only the icon varies.
class Dialogs {
public:
    enum class Icon { None, Critical };

    virtual ~Dialogs() = default;
    // Returns when the operator has closed the box.
    virtual void message(const QString& text, Icon icon = Icon::None) = 0;
    virtual void beep() = 0;
    // A yes/no question; true for yes.
    virtual bool question(const QString& text) = 0;
    // The operator picks one of options (at least two); the index picked, or -1 for Cancel.
    virtual int choice(const QString& text, const QStringList& options) = 0;
};
