#pragma once

#include "app/Window.h"

class QPushButton;

// The information window: the program's description and an OK button. Each load reads the
// setting "Show Tips at Startup"; when it is 0 the window unloads itself before it is ever shown.
class FrmTip : public Window {
    Q_OBJECT
public:
    FrmTip(Services& services, Windows& windows);

    void load() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // The text of Label1.
    static QString description();
    void okClicked();

    QPushButton* m_okButton;
};
