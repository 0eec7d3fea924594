#pragma once

#include "platform/Window.h"

class Form2 : public Window {
    Q_OBJECT
public:
    Form2(Services& services, Windows& windows);
};
