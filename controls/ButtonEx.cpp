#include "ButtonEx.h"

#include "Picture.h"
#include "Region.h"
#include "SkinDialog.h"

#include <memory>

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
        if (SkinDialog* dialog = Dialog())
            dialog->ButtonExClicked(m_index);
    Default();
}

void ButtonExItem::OnMouseMove(UINT flags, POINT point)
{
    if (SkinDialog* dialog = Dialog())
        dialog->OnControlMouseMove(m_name, point);
    ButtonEx::OnMouseMove(flags, point);
}

void SkinDialog::ReadButtonExButtons(IniFile ini)
{
    for (const NumberedLine& line : ReadNumberedLines(ini, "BUTTONEXINFO")) {
        std::string fields = line.value;
        std::string name = NextToken(fields);
        const SkinRect r = ParseRect(fields);
        std::string tip = NextToken(fields);
        const std::string flag = NextToken(fields);
        // A line that ends after the flag reads the flag again as the mask name.
        const std::string maskFile = NextToken(fields);

        auto button = std::make_unique<ButtonExItem>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!button->Create("", WS_VISIBLE, rect, this, 0))
            continue;
        {
            CBitmap mask;
            SIZE size{};
            LoadPicture(GetFileDir(m_skinPath) + maskFile, mask, size);
            // The mask's top-left pixel is the button's; the window keeps the region.
            ::ApplyMaskRegion(button->m_hWnd, &mask, "ButtonEx");
        }
        button->SetPictures(rect, &m_picMain, &m_picOver, &m_picDown, &m_picDisabled);
        button->m_index = m_buttonExs.GetSize();
        button->m_name = std::move(name);
        button->SetToolTipText(tip, true);
        button->m_face.m_staticLook = !flag.empty() && flag[0] == 'T';
        m_buttonExs.Add(button.release());
    }
}
