#pragma once
// ButtonEx: the shaped skin button. It looks and behaves like a SkinButton,
// and its window has the outline of its own mask picture: the window system
// finds it under the pointer only inside the shape, and every drawing of it is
// clipped to the shape.
#include "controls/SkinButton.h"
#include "controls/HostedControl.h"

class ButtonEx : public SkinButtonWindow {
public:
    ButtonEx() : m_clipRgn(::CreateRectRgn(0, 0, 0, 0)) {}

    void DrawItem(const DRAWITEMSTRUCT* item) override;

    // A copy of the window's region before each drawing; empty while the window has none.
    platform::UniqueRegion m_clipRgn;
};

// One line of BUTTONEXINFO. A click repaints it and is reported by its index;
// every pointer move over it by its name.
class ButtonExItem : public HostedButton<ButtonEx, &ControlHost::ReportButtonExClick> {};
