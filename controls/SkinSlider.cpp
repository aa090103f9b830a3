#include "controls/SkinSlider.h"

#include "controls/FocusMark.h"
#include "skin/PictureLoader.h"
#include "skin/PictureAtDpiWin32.h"
#include "controls/ThumbRect.h"
#include "platform/Win32Handles.h"
#include "platform/StartupTimes.h"

#include <commctrl.h>

void SkinSlider::GetThumbRect(RECT* rect) const
{
    const SIZE size = m_bmpThumb.GetSize();
    const RECT n = CSliderCtrl::GetThumbRect();
    const bool vertical = (GetStyle() & TBS_VERT) != 0;
    const ThumbBox box = ThumbPictureRect(vertical, ThumbBox{n.left, n.top, n.right, n.bottom}, size.cx, size.cy);
    *rect = RECT{box.left, box.top, box.right, box.bottom};
}

void SkinSlider::OnPaint()
{
    // Windows' channel, ticks and focus mark are never drawn.
    platform::PaintDc paint(m_hWnd);
    if (!paint)
        return;
    platform::MemoryDc memory(::CreateCompatibleDC(nullptr));
    if (!memory)
        return;
    const HDC dc = paint.Dc();
    if (m_pictures) {
        const RECT client = GetClientRect();
        DrawPictureArea(dc, m_pictures->Get(SkinLook::Main),
                        RECT{m_area.left, m_area.top, m_area.left + client.right, m_area.top + client.bottom},
                        POINT{0, 0});
    }
    const CBitmap& thumb = m_thumbDown ? m_bmpThumbDown : m_bmpThumb;
    // A thumb picture that failed to load leaves the background showing.
    if (thumb) {
        RECT r{};
        GetThumbRect(&r);
        platform::Selection thumbSelected(memory.Get(), thumb.GetSafeHandle());
        ::BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), 0, 0, SRCCOPY);
    }
    if (ShowsFocusMark(*this))
        DrawFocusMark(dc, GetClientRect());
    AK_STARTUP_TIME("trackbar drawn");
}

void SkinSlider::OnLButtonDown(UINT, POINT point)
{
    Default(); // the trackbar drags or pages, takes the focus and the capture
    RECT r{};
    GetThumbRect(&r);
    m_thumbDown = ::PtInRect(&r, point) != FALSE;
    Invalidate(true);
}

void SkinSlider::OnMouseMove(UINT, POINT)
{
    Default();
    if (m_thumbDown)
        Invalidate(true);
}

void SkinSlider::OnLButtonUp(UINT, POINT)
{
    Default();
    m_thumbDown = false;
    Invalidate(true);
}

void SkinSlider::OnCaptureChanged(HWND)
{
    if (m_thumbDown) {
        ::ReleaseCapture();
        Invalidate(true);
    }
    Default();
}

void TrackbarItem::SetSliderPictures(const RECT& rect, SkinPictures* pictures, const std::string& thumbPath,
                                     const std::string& thumbDownPath, int dpi)
{
    m_pictures = pictures;
    m_area = rect;
    LoadPictureAtDpi(thumbPath, dpi, PictureUse::Colour, m_bmpThumb);
    LoadPictureAtDpi(thumbDownPath, dpi, PictureUse::Colour, m_bmpThumbDown);
    ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
    m_tracking = false;
}

void TrackbarItem::OnLButtonDown(UINT flags, POINT point)
{
    SkinSlider::OnLButtonDown(flags, point);
    m_tracking = true; // also for a press beside the thumb, which pages
}

void TrackbarItem::OnMouseMove(UINT flags, POINT point)
{
    SkinSlider::OnMouseMove(flags, point);
    // Every move with the button held, whether the position changed or not.
    if (m_tracking)
        ReportToHost(&ControlHost::ReportTrackbarScroll, TB_THUMBPOSITION, GetPos());
    else
        ReportMouseMove(point);
}

void TrackbarItem::OnLButtonUp(UINT flags, POINT point)
{
    // Reported before the trackbar itself handles the release.
    m_tracking = false;
    ReportToHost(&ControlHost::ReportTrackbarScroll, TB_ENDTRACK, GetPos());
    SkinSlider::OnLButtonUp(flags, point);
}

bool TrackbarItem::OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result)
{
    // Windows gives the position only for the thumb's own codes; for the
    // others (keys, paging) it is read, so that every report carries it.
    const int code = LOWORD(wp);
    const int pos = code == TB_THUMBTRACK || code == TB_THUMBPOSITION ? static_cast<short>(HIWORD(wp)) : GetPos();
    if (msg == WM_HSCROLL || msg == WM_VSCROLL)
        ReportToHost(&ControlHost::ReportTrackbarScroll, code, pos);
    // The dialog's own handling of the notification goes on.
    return SkinSlider::OnChildNotify(msg, wp, lp, result);
}
