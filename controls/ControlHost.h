#pragma once
// What a skinned control reports to the window that holds it: clicks and
// scrolls by the control's index in its kind, pointer moves by its name. The
// skin dialog is the host; the controls know only this interface.
#include "platform/Wnd.h"

#include <windows.h>

#include <string>

class CToolTipCtrl;

class ControlHost {
public:
    // The one tooltip that holds the tools of all the host's controls; none
    // when the host has none to share.
    virtual CToolTipCtrl* SharedToolTip() = 0;
    virtual void ReportButtonClick(int index) = 0;
    virtual void ReportButtonExClick(int index) = 0;
    virtual void ReportTextClick(int index) = 0;
    virtual void ReportProgressClick(int index) = 0;
    virtual void ReportTrackbarScroll(int index, int code, int pos) = 0;
    // `point` is in the control's client coordinates.
    virtual void ReportControlMouseMove(const std::string& name, POINT point) = 0;
    // Whether the focused control shows that it has the focus (from the first
    // key that moves it on).
    virtual bool ShowsFocus() = 0;
    // What the host knows of the button `name` for assistive technology: the
    // text it shows for it and its command in words (either empty when none).
    struct ButtonWords {
        std::string info, command;
    };
    virtual ButtonWords DescribeButton(const std::string& name) = 0;

protected:
    ~ControlHost() = default; // never deleted through the interface
};

// The host that holds `control`, found through its parent window; none when
// the parent is not a host.
inline ControlHost* HostOf(const CWnd& control)
{
    return dynamic_cast<ControlHost*>(control.GetParent());
}
