#pragma once
// What assistive technology (Active Accessibility, which UI Automation also
// reads) learns of one of our windows. The window's client object answers
// WM_GETOBJECT: one of our own, built on the system's standard object for the
// window (CreateStdAccessibleObject, which Windows and Wine both have), that
// takes its name, role, value, description and default action from the
// window's object at every question, so that they are always current.
#include <windows.h>

#include <oleacc.h>

#include <string>

namespace platform {

struct AccessibleFacts {
    long role = ROLE_SYSTEM_CLIENT;
    std::string name, value, description, defaultAction; // empty: none
};

// Implemented by a window object (a CWnd) that tells assistive technology more
// than the standard object knows.
class AccessibleWindow {
public:
    virtual AccessibleFacts Facts() const = 0;
    // Asked for by assistive technology; run from the window's own messages.
    virtual void DoDefaultAction() {}

protected:
    ~AccessibleWindow() = default;
};

// The answer to WM_GETOBJECT for `wnd`: its client object, or 0 for any
// other object (left to default processing) and when none could be made.
LRESULT AnswerGetObject(HWND wnd, WPARAM wp, LPARAM lp);

// Posted to the window by its accessible object: run DoDefaultAction.
inline constexpr UINT kDefaultActionMessage = WM_APP + 0x3A1;

} // namespace platform
