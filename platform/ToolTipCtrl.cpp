#include "ToolTipCtrl.h"

#include "CommonControls.h"

namespace {

TTTOOLINFOA ToolInfo(CWnd* wnd, UINT_PTR id)
{
    TTTOOLINFOA info{};
    // The size that both the old and the newer tooltip versions accept.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd ? wnd->m_hWnd : nullptr;
    info.uId = id;
    return info;
}

} // namespace

bool CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    platform::EnsureCommonControls();
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, RECT{}, parent, 0);
}

bool CToolTipCtrl::AddTool(CWnd* wnd, const std::string& text, const RECT& rect, UINT_PTR id)
{
    TTTOOLINFOA info = ToolInfo(wnd, id);
    info.rect = rect;
    info.lpszText = const_cast<char*>(text.c_str()); // read, not written
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const std::string& text, CWnd* wnd, UINT_PTR id)
{
    TTTOOLINFOA info = ToolInfo(wnd, id);
    info.lpszText = const_cast<char*>(text.c_str());
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}
