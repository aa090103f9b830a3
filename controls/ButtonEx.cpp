#include "controls/ButtonEx.h"

void ButtonEx::DrawItem(const DRAWITEMSTRUCT* item)
{
    // Without a window region the call fails and the clip keeps what it held,
    // the empty region at first: a button whose mask failed draws nothing.
    ::GetWindowRgn(m_hWnd, m_clipRgn.Get());
    ::SelectClipRgn(item->hDC, m_clipRgn.Get());
    m_face.Draw(*item);
}
