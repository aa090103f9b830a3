#pragma once
// ImageButton: a skin button made from one line of BUTTONINFO. It reports a
// click (left button released inside it) by its index, and every pointer move
// over it by its name, to its host.
#include "SkinButton.h"
#include "HostedControl.h"

class ImageButton : public HostedControl<SkinButton> {
protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
