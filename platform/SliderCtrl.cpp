#include "platform/SliderCtrl.h"

#include "platform/CommonControls.h"

#include <commctrl.h>

bool CSliderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    platform::EnsureCommonControls();
    return CreateEx(0, TRACKBAR_CLASSA, "", style | WS_CHILD, rect, parent, id);
}

int CSliderCtrl::GetPos() const
{
    return static_cast<int>(SendMessage(TBM_GETPOS));
}

void CSliderCtrl::SetPos(int pos, bool redraw)
{
    SendMessage(TBM_SETPOS, redraw ? TRUE : FALSE, pos);
}

RECT CSliderCtrl::GetThumbRect() const
{
    RECT r{};
    SendMessage(TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&r));
    return r;
}
