#pragma once

#include "platform/Keystroke.h"

// Posts the key to the application's focus widget of the moment it is delivered.
class FocusKeystroke : public Keystroke {
public:
    void sendDown() override;
};
