#pragma once
// ImageButton: a skin button made from one line of BUTTONINFO. It reports a
// click (left button released inside it) by its index, and every pointer move
// over it by its name, to the skin dialog that created it.
#include "SkinButton.h"
#include "DialogControl.h"

class SkinDialog;

class ImageButton : public DialogControl<SkinButton> {
public:

protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;

};
