#include "controls/ButtonFace.h"

#include "controls/ControlHost.h"
#include "controls/FocusMark.h"
#include "skin/PictureLoader.h"
#include "platform/Win32Handles.h"
#include "platform/StartupTimes.h"

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

void ButtonFace::SetPictures(const RECT& rect, SkinPictures* pictures)
{
    m_pictures = pictures;
    m_area = rect;
    m_button.ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
}

void ButtonFace::InitToolTip()
{
    if (m_toolTip && m_toolTip->IsWindow())
        return;
    // One tooltip window per button costs more to make and to end than the
    // button itself; a host shares one among all its controls.
    ControlHost* host = HostOf(m_button);
    m_toolTip = host ? host->SharedToolTip() : nullptr;
    if (!m_toolTip) {
        if (!m_ownToolTip) {
            m_ownToolTip = std::make_unique<CToolTipCtrl>();
            m_ownToolTip->Create(&m_button, 0);
            m_ownToolTip->Activate(false);
        }
        m_toolTip = m_ownToolTip.get();
    }
    m_toolAdded = false;
}

void ButtonFace::SetToolTipText(const std::string& text, bool activate)
{
    InitToolTip();
    m_toolTipText = text;
    if (!m_toolAdded)
        m_toolAdded = m_toolTip->AddTool(&m_button, text, m_button.GetClientRect(), kToolId);
    m_toolTip->UpdateTipText(text, &m_button, kToolId);
    m_toolTip->Activate(activate);
}

void ButtonFace::RelayToToolTip(MSG* msg)
{
    InitToolTip();
    m_toolTip->RelayEvent(msg);
}

CToolTipCtrl& ButtonFace::ToolTip()
{
    InitToolTip();
    return *m_toolTip;
}

ButtonLook ButtonFace::LookFor(UINT itemState) const
{
    return ChooseLook(m_staticLook, (itemState & ODS_SELECTED) != 0, m_hover == 1,
                      (itemState & ODS_DISABLED) != 0, !m_staticLook && ShowsFocusMark(m_button));
}

const CBitmap& ButtonFace::Picture(ButtonLook look) const
{
    static const CBitmap kNone;
    if (!m_pictures)
        return kNone;
    switch (look) {
    case ButtonLook::Over:
        return m_pictures->Get(SkinLook::Over);
    case ButtonLook::Down:
        return m_pictures->Get(SkinLook::Down);
    case ButtonLook::Disabled:
        return m_pictures->Get(SkinLook::Disabled);
    case ButtonLook::Main:
        break;
    }
    return m_pictures->Get(SkinLook::Main);
}

void ButtonFace::Draw(const DRAWITEMSTRUCT& item) const
{
    // A look whose picture is missing leaves the area as it is.
    const RECT client = m_button.GetClientRect();
    const RECT area{m_area.left, m_area.top, m_area.left + client.right, m_area.top + client.bottom};
    DrawPictureArea(item.hDC, Picture(LookFor(item.itemState)), area, POINT{0, 0});
    if (ShowsFocusMark(m_button))
        DrawFocusMark(item.hDC, client);
    AK_STARTUP_TIME("button drawn");
}

void ButtonFace::TrackMouseMove(UINT flags, POINT point)
{
    AK_STARTUP_TIME("button: pointer move");
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
