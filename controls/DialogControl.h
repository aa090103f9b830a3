#pragma once
// A control made from one skin line: the framework window of its kind, plus
// what the skin dialog keeps of it, and the way to the dialog's hooks.
#include "SkinControl.h"

#include <windows.h>

class SkinDialog;

template <typename Window>
class DialogControl : public Window, public SkinControl {
public:
    HWND ControlWindow() const override { return this->m_hWnd; }

protected:
    // The dialog that created the control (its parent), or none.
    SkinDialog* Dialog() const { return dynamic_cast<SkinDialog*>(this->GetParent()); }
};
