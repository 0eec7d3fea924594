#pragma once

#include "platform/Window.h"

class Form1 : public Window {
    Q_OBJECT
public:
    Form1(Services& services, Windows& windows);
};
