#pragma once
// TextLabel: a skin label made from one line of TEXTINFO. It reports every
// left-button release by its index, and every pointer move over it by its
// name, to its host; it never shows a hovered look.
#include "controls/HostedControl.h"
#include "controls/SkinLabel.h"

class TextLabel : public HostedControl<SkinLabel> {
protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
