#pragma once

#include "platform/Window.h"

class FrmLog1 : public Window {
    Q_OBJECT
public:
    FrmLog1(Services& services, Windows& windows);
};
