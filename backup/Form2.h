#pragma once

#include "app/Window.h"

// The log backup window: "Start Copy" copies the log to the root of drive A: with the desktop's
// copy, reports a failure (its error number) or a cancellation, and closes the window.
class Form2 : public Window {
    Q_OBJECT
public:
    Form2(Services& services, Windows& windows);

private:
    void startCopyClicked();
};
