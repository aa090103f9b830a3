#pragma once
// ButtonEx: the shaped skin button. It looks and behaves like a SkinButton,
// and its window has the outline of its own mask picture: the window system
// finds it under the pointer only inside the shape, and every drawing of it is
// clipped to the shape.
#include "SkinButton.h"
#include "HostedControl.h"

class ButtonEx : public FacedButton {
public:
    ButtonEx() : m_clipRgn(::CreateRectRgn(0, 0, 0, 0)) {}

    void DrawItem(const DRAWITEMSTRUCT* item) override;

    // A copy of the window's region before each drawing; empty while the window has none.
    platform::Region m_clipRgn;
};

// One line of BUTTONEXINFO. A click repaints it and is reported by its index;
// every pointer move over it by its name.
class ButtonExItem : public HostedControl<ButtonEx> {
protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
