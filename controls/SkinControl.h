#pragma once
// What the skin dialog keeps of every control it creates from a skin line: its
// name and index, and its window. Each control kind derives from its framework
// class and from SkinControl.
#include <windows.h>

#include <string>

class SkinControl {
public:
    virtual ~SkinControl() = default;
    virtual HWND ControlWindow() const = 0;
    // Whether the keyboard gives it the focus, and whether it then keeps the
    // arrow keys for its own value.
    virtual bool TakesFocus() const { return true; }
    virtual bool TakesArrows() const { return false; }
    // Enter on it, or its default action: what a click does.
    virtual void Activate() {}

    std::string m_name; // field 1 of the control's line, exactly as split
    int m_index = 0;    // position in the dialog's list of its kind
};
