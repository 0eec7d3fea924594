#pragma once

#include "platform/Window.h"

class FrmTip : public Window {
    Q_OBJECT
public:
    FrmTip(Services& services, Windows& windows);
};
