#pragma once

// Sends a keystroke to whatever control has the focus when the event is handled: after the
// current handler has returned, like a key typed by the operator.
class Keystroke {
public:
    virtual ~Keystroke() = default;
    virtual void sendDown() = 0;
};
