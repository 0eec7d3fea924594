#pragma once

#include "platform/Window.h"

class FrmSplash : public Window {
    Q_OBJECT
public:
    FrmSplash(Services& services, Windows& windows);
};
