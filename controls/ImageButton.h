#pragma once
// ImageButton: a skin button made from one line of BUTTONINFO. It reports a
// click (left button released inside it) by its index, and every pointer move
// over it by its name, to the skin dialog that created it.
#include "SkinButton.h"
#include "SkinControl.h"

class SkinDialog;

class ImageButton : public SkinButton, public SkinControl {
public:
    HWND ControlWindow() const override { return m_hWnd; }

protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;

private:
    SkinDialog* Dialog() const;
};
