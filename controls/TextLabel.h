#pragma once
// TextLabel: a skin label made from one line of TEXTINFO. It reports every
// left-button release by its index, and every pointer move over it by its
// name, to the skin dialog that created it; it never shows a hovered look.
#include "DialogControl.h"
#include "SkinLabel.h"

class TextLabel : public DialogControl<SkinLabel> {
protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
