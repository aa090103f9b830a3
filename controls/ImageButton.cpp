#include "ImageButton.h"

#include "SkinDialog.h"

#include <memory>

void ImageButton::OnLButtonUp(UINT, POINT point)
{
    // The click is reported while the platform still shows the button pushed
    // and holds the capture; its own release processing comes after.
    if (m_face.ReleaseIsClick(point))
        if (SkinDialog* dialog = Dialog())
            dialog->ButtonClicked(m_index);
    Default();
}

void ImageButton::OnMouseMove(UINT flags, POINT point)
{
    if (SkinDialog* dialog = Dialog())
        dialog->OnControlMouseMove(m_name, point);
    SkinButton::OnMouseMove(flags, point);
}

void SkinDialog::ReadImageButtons(IniFile ini)
{
    for (const NumberedLine& line : ReadNumberedLines(ini, "BUTTONINFO")) {
        std::string fields = line.value;
        std::string name = NextToken(fields);
        const SkinRect r = ParseRect(fields);
        std::string tip = NextToken(fields);
        // A line that ends early repeats its last field here.
        const std::string flag = NextToken(fields);

        auto button = std::make_unique<ImageButton>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!button->Create("", WS_VISIBLE, rect, this, 0))
            continue;
        button->SetPictures(rect, &m_picMain, &m_picOver, &m_picDown, &m_picDisabled);
        button->m_index = m_buttons.GetSize();
        button->m_name = std::move(name);
        button->SetToolTipText(tip, true);
        button->m_face.m_staticLook = !flag.empty() && flag[0] == 'T';
        m_buttons.Add(button.release());
    }
}
