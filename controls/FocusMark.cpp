#include "controls/FocusMark.h"

#include "controls/ControlHost.h"

bool ShowsFocusMark(const CWnd& control)
{
    ControlHost* host = HostOf(control);
    return host && ::GetFocus() == control.m_hWnd && host->ShowsFocus();
}

void DrawFocusMark(HDC dc, const RECT& client)
{
    // Inverted dots show on any picture; two pixels in, it stays inside the control.
    RECT mark = client;
    ::InflateRect(&mark, -2, -2);
    if (mark.right > mark.left && mark.bottom > mark.top)
        ::DrawFocusRect(dc, &mark);
}
