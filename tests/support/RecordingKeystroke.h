#pragma once

#include "platform/FocusKeystroke.h"

// Counts the keystrokes sent and delivers them as the program does.
class RecordingKeystroke : public FocusKeystroke {
public:
    void sendDown() override {
        ++m_downs;
        FocusKeystroke::sendDown();
    }
    int downs() const { return m_downs; }

private:
    int m_downs = 0;
};
