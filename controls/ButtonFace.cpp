#include "controls/ButtonFace.h"

#include "skin/Picture.h"
#include "platform/Win32Handles.h"

namespace {

constexpr UINT_PTR kToolId = 1;

ButtonPoint ToButtonPoint(POINT p)
{
    return ButtonPoint{p.x, p.y};
}

} // namespace

void ButtonFace::MakeOwnerDrawn()
{
    m_button.SendMessage(BM_SETSTYLE, (m_button.GetStyle() & 0xFF) | BS_OWNERDRAW, TRUE);
    m_button.ModifyStyle(WS_TABSTOP, 0);
}

void ButtonFace::SetPictures(const RECT& rect, const CBitmap* main, const CBitmap* over, const CBitmap* down,
                             const CBitmap* disabled)
{
    platform::WindowDc dc(m_button.m_hWnd);
    const std::pair<CBitmap*, const CBitmap*> crops[] = {
        {&m_bmpMain, main}, {&m_bmpOver, over}, {&m_bmpDown, down}, {&m_bmpDisabled, disabled}};
    for (const auto& [crop, source] : crops)
        if (source)
            CropBitmap(dc.Dc(), *crop, *source, rect.left, rect.top, rect.right, rect.bottom);
    m_button.ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
}

void ButtonFace::InitToolTip()
{
    if (m_toolTip.IsWindow())
        return;
    m_toolTip.Create(&m_button, 0);
    m_toolTip.Activate(false);
}

void ButtonFace::SetToolTipText(const std::string& text, bool activate)
{
    InitToolTip();
    if (m_toolTip.GetToolCount() == 0)
        m_toolTip.AddTool(&m_button, text, m_button.GetClientRect(), kToolId);
    m_toolTip.UpdateTipText(text, &m_button, kToolId);
    m_toolTip.Activate(activate);
}

void ButtonFace::RelayToToolTip(MSG* msg)
{
    InitToolTip();
    m_toolTip.RelayEvent(msg);
}

ButtonLook ButtonFace::LookFor(UINT itemState) const
{
    return ChooseLook(m_staticLook, (itemState & ODS_SELECTED) != 0, m_hover == 1,
                      (itemState & ODS_DISABLED) != 0);
}

const CBitmap& ButtonFace::Crop(ButtonLook look) const
{
    switch (look) {
    case ButtonLook::Over:
        return m_bmpOver;
    case ButtonLook::Down:
        return m_bmpDown;
    case ButtonLook::Disabled:
        return m_bmpDisabled;
    case ButtonLook::Main:
        break;
    }
    return m_bmpMain;
}

void ButtonFace::Draw(const DRAWITEMSTRUCT& item) const
{
    const CBitmap& crop = Crop(LookFor(item.itemState));
    // A look whose picture is missing leaves the area as it is.
    if (!crop)
        return;
    platform::MemoryDc memory(::CreateCompatibleDC(item.hDC));
    if (!memory)
        return;
    platform::Selection selected(memory.Get(), crop.GetSafeHandle());
    RECT client = m_button.GetClientRect();
    ::BitBlt(item.hDC, 0, 0, client.right - client.left, client.bottom - client.top, memory.Get(), 0, 0, SRCCOPY);
}

void ButtonFace::TrackMouseMove(UINT flags, POINT point)
{
    MouseMove(*this, (flags & MK_LBUTTON) != 0, ToButtonPoint(point));
}

void ButtonFace::CaptureLost(HWND gaining)
{
    CaptureChanged(*this, gaining == m_button.m_hWnd);
}

void ButtonFace::FocusLost()
{
    HoverTracker::FocusLost(*this);
}

bool ButtonFace::ReleaseIsClick(POINT point)
{
    RECT client = m_button.GetClientRect();
    return Release(*this, client.right - client.left, client.bottom - client.top, ToButtonPoint(point));
}

bool ButtonFace::HoldsCapture() const
{
    return ::GetCapture() == m_button.m_hWnd;
}

bool ButtonFace::HasActiveWindowAndOwner() const
{
    HWND owner = ::GetWindow(m_button.m_hWnd, GW_OWNER);
    if (!owner)
        owner = ::GetParent(m_button.m_hWnd);
    return ::GetActiveWindow() != nullptr && owner != nullptr;
}

WindowUnderPointer ButtonFace::WindowAt(ButtonPoint point) const
{
    POINT screen{point.x, point.y};
    m_button.ClientToScreen(&screen);
    HWND under = ::WindowFromPoint(screen);
    if (!under)
        return WindowUnderPointer::None;
    return under == m_button.m_hWnd ? WindowUnderPointer::ThisButton : WindowUnderPointer::Other;
}

void ButtonFace::SetCapture()
{
    ::SetCapture(m_button.m_hWnd);
}

void ButtonFace::ReleaseCapture()
{
    ::ReleaseCapture();
}

void ButtonFace::Invalidate()
{
    m_button.Invalidate(true);
}
