#pragma once
// A control made from one skin line: the framework window of its kind, plus
// what the skin dialog keeps of it, and the way to its host's reports.
#include "ControlHost.h"
#include "SkinControl.h"

#include <windows.h>

template <typename Window>
class HostedControl : public Window, public SkinControl {
public:
    HWND ControlWindow() const override { return this->m_hWnd; }

protected:
    // The host that holds the control, found through its parent window; none
    // when the parent is not a host.
    ControlHost* Host() const { return dynamic_cast<ControlHost*>(this->GetParent()); }
};
