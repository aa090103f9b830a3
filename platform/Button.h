#pragma once
// CButton: a window of Windows' BUTTON class. An owner-drawn button's
// draw request, sent to its parent, is reflected back to DrawItem.
#include "platform/Wnd.h"

#include <string>

class CButton : public CWnd {
public:
    // A child button (WS_CHILD is added) at `rect` in the parent's client coordinates.
    bool Create(const std::string& caption, DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateEx(0, "BUTTON", caption.c_str(), style | WS_CHILD, rect, parent, id);
    }

    virtual void DrawItem(const DRAWITEMSTRUCT*) {}

protected:
    bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override
    {
        if (msg != WM_DRAWITEM)
            return CWnd::OnChildNotify(msg, wp, lp, result);
        DrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        *result = TRUE;
        return true;
    }
};
