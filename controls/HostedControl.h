#pragma once
// A control made from one skin line: the framework window of its kind, plus
// what the skin dialog keeps of it, and the way to its host's reports.
#include "controls/ControlHost.h"
#include "controls/SkinControl.h"
#include "platform/Accessible.h"

#include <windows.h>

template <typename Window>
class HostedControl : public Window, public SkinControl {
public:
    HWND ControlWindow() const override { return this->m_hWnd; }

protected:
    ControlHost* Host() const { return HostOf(*this); }

    // A report by the control's index (`report` is one of the host's), or by
    // its name for a pointer move at `point` (client coordinates); nothing
    // without a host.
    template <typename... Params, typename... Args>
    void ReportToHost(void (ControlHost::*report)(int, Params...), Args... args) const
    {
        if (ControlHost* host = Host())
            (host->*report)(m_index, args...);
    }
    void ReportMouseMove(POINT point) const
    {
        if (ControlHost* host = Host())
            host->ReportControlMouseMove(m_name, point);
    }
};

// A skinned push button made from a skin line (image button, ButtonEx). A
// left-button release that its face takes for a click is reported by index
// through `report`, while Windows still shows the button pushed and holds the
// capture; the button's own release processing comes after. Space released on
// the pushed button is the same click from the keyboard, and Enter on it
// (Activate) or its default action reports one too. Every pointer move over
// it is reported by name before the button follows it. The whole client
// rectangle counts for the click, not a ButtonEx's shape: a press inside the
// shape released beside it, within the rectangle, is a click.
template <typename Button, void (ControlHost::*report)(int)>
class HostedButton : public HostedControl<Button>, public platform::AccessibleWindow {
public:
    void Activate() override { this->ReportToHost(report); }

    // A push button named by its tooltip; without one by what its host knows
    // of it (the text it shows, else its command), else by its control name.
    platform::AccessibleFacts Facts() const override
    {
        ControlHost* host = this->Host();
        const ControlHost::ButtonWords words = host ? host->DescribeButton(this->m_name) : ControlHost::ButtonWords{};
        const std::string& tip = this->m_face.ToolTipText();
        const std::string& name = !tip.empty()           ? tip
                                  : !words.info.empty()    ? words.info
                                  : !words.command.empty() ? words.command
                                                           : this->m_name;
        return {ROLE_SYSTEM_PUSHBUTTON, name, "", words.info, "Press"};
    }
    void DoDefaultAction() override { Activate(); }

protected:
    void OnLButtonUp(UINT, POINT point) override
    {
        if (this->m_face.ReleaseIsClick(point))
            this->ReportToHost(report);
        this->Default();
    }
    void OnKeyUp(UINT key) override
    {
        if (key == VK_SPACE && (this->SendMessage(BM_GETSTATE) & BST_PUSHED))
            this->ReportToHost(report);
        this->Default();
    }
    void OnMouseMove(UINT flags, POINT point) override
    {
        this->ReportMouseMove(point);
        Button::OnMouseMove(flags, point);
    }
};
