#include "controls/SkinLabel.h"

#include "skin/PictureLoader.h"
#include "platform/Win32Handles.h"
#include "platform/StartupTimes.h"

SkinLabel::SkinLabel(COLORREF textColor) : m_textColor(textColor)
{
    m_font.CreateCopyOf(::GetStockObject(DEFAULT_GUI_FONT));
}

void SkinLabel::SetText(const std::string& text)
{
    SetWindowText(text);
    m_text = text;
    RecalcScroll();
}

void SkinLabel::SetLabelFont(const CFont& font)
{
    LOGFONTW description{};
    if (!font.GetLogFont(&description))
        return;
    m_font.CreateFontIndirect(description);
    RecalcScroll();
}

void SkinLabel::RecalcScroll()
{
    const RECT client = GetClientRect();
    int letterWidth = 0;
    {
        platform::WindowDc dc(m_hWnd);
        platform::Selection font(dc.Dc(), m_font.GetSafeHandle());
        letterWidth = platform::TextExtent(dc.Dc(), "W").cx;
    }
    const LabelScroll::TimerChange change = m_scroll.Recalc(client.right - client.left, letterWidth, LabelScroll::Length(m_text));
    if (change.stop)
        KillTimer(LabelScroll::kTimerId);
    if (change.start)
        SetTimer(LabelScroll::kTimerId, LabelScroll::kPeriodMs);
    Invalidate(true);
}

void SkinLabel::Paint(HDC dc) const
{
    const RECT client = GetClientRect();
    const RECT& area = m_face.m_area;
    DrawPictureArea(dc, m_face.Picture(ButtonLook::Main),
                    RECT{area.left, area.top, area.left + client.right, area.top + client.bottom}, POINT{0, 0});

    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, m_textColor);
    platform::Selection font(dc, m_font.GetSafeHandle());
    // DT_VCENTER without DT_SINGLELINE: the text stands at the top-left corner.
    platform::DrawText(dc, m_scroll.Display(m_text), client, DT_VCENTER);
    ::SetTextColor(dc, oldColor);
    ::SetBkMode(dc, oldMode);
    AK_STARTUP_TIME("label drawn");
}

void SkinLabel::OnPaint()
{
    platform::PaintDc paint(m_hWnd);
    if (paint.IsValid())
        Paint(paint.Dc());
}

void SkinLabel::OnTimer(UINT_PTR)
{
    // Whatever the timer's id: the label runs only its own.
    m_scroll.Step(LabelScroll::Length(m_text));
    Invalidate(true);
}
