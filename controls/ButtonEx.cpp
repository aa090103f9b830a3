#include "ButtonEx.h"

void ButtonEx::DrawItem(const DRAWITEMSTRUCT* item)
{
    // Without a window region the call fails and the clip keeps what it held,
    // the empty region at first: a button whose mask failed draws nothing.
    ::GetWindowRgn(m_hWnd, m_clipRgn.Get());
    ::SelectClipRgn(item->hDC, m_clipRgn.Get());
    m_face.Draw(*item);
}

void ButtonExItem::OnLButtonUp(UINT, POINT point)
{
    // The full rectangle counts, not the shape: a press inside the shape
    // released beside it, within the rectangle, is a click.
    if (m_face.ReleaseIsClick(point))
        if (ControlHost* host = Host())
            host->ReportButtonExClick(m_index);
    Default();
}

void ButtonExItem::OnMouseMove(UINT flags, POINT point)
{
    if (ControlHost* host = Host())
        host->ReportControlMouseMove(m_name, point);
    ButtonEx::OnMouseMove(flags, point);
}
