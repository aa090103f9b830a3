#pragma once
// TextLabel: a skin label made from one line of TEXTINFO. It reports every
// left-button release by its index, and every pointer move over it by its
// name, to its host; it never shows a hovered look and never takes the
// keyboard focus. Assistive technology reads it as static text, the text it
// shows now.
#include "controls/HostedControl.h"
#include "controls/SkinLabel.h"
#include "platform/Accessible.h"

class TextLabel : public HostedControl<SkinLabel>, public platform::AccessibleWindow {
public:
    bool TakesFocus() const override { return false; }
    platform::AccessibleFacts Facts() const override { return {ROLE_SYSTEM_STATICTEXT, m_text, "", "", ""}; }

protected:
    void OnLButtonUp(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
};
