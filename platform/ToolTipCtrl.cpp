#include "platform/ToolTipCtrl.h"

#include "platform/CommonControls.h"
#include "platform/WideText.h"

namespace {

TTTOOLINFOW ToolInfo(CWnd* wnd, UINT_PTR id)
{
    TTTOOLINFOW info{};
    // The size that both the old and the newer tooltip versions accept.
    info.cbSize = TTTOOLINFOW_V2_SIZE;
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
    TTTOOLINFOW info = ToolInfo(wnd, id);
    info.rect = rect;
    std::wstring wide = platform::Wide(text); // read, not written
    info.lpszText = wide.data();
    return SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTipCtrl::UpdateTipText(const std::string& text, CWnd* wnd, UINT_PTR id)
{
    TTTOOLINFOW info = ToolInfo(wnd, id);
    std::wstring wide = platform::Wide(text);
    info.lpszText = wide.data();
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
}
