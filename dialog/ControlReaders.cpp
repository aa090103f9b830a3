// The control readers: one per kind, each creating the controls of its section
// as children of the dialog, in the order of their keys.
#include "SkinDialog.h"

#include "ButtonEx.h"
#include "Font.h"
#include "ImageButton.h"
#include "Picture.h"
#include "Region.h"
#include "SkinProgress.h"
#include "SkinSlider.h"
#include "TextLabel.h"
#include "ThumbRect.h"

#include <cstdlib>
#include <memory>

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
        m_buttons.Add(std::move(button));
    }
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
        m_buttonExs.Add(std::move(button));
    }
}

namespace {

// The label's font as its line describes it; the height is the LOGFONT's, as given.
LOGFONTA LabelFont(const std::string& face, const std::string& bold, const std::string& italic,
                   const std::string& height)
{
    LOGFONTA font{};
    CFont::SetFaceName(font, face);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = ParseInt(height);
    font.lfWeight = !bold.empty() && bold[0] == 'T' ? FW_BOLD : FW_NORMAL;
    font.lfItalic = !italic.empty() && italic[0] == 'F' ? TRUE : FALSE;
    return font;
}

} // namespace

void SkinDialog::ReadTextLabels(IniFile ini)
{
    for (const NumberedLine& line : ReadNumberedLines(ini, "TEXTINFO")) {
        std::string fields = line.value;
        std::string name = NextToken(fields);
        const std::string face = NextToken(fields);
        const std::string bold = NextToken(fields);
        const std::string italic = NextToken(fields);
        const std::string height = NextToken(fields);
        const std::string color = NextToken(fields);
        const SkinRect r = ParseRect(fields);
        // What follows a comma in the text is the unused last field.
        const std::string text = NextToken(fields);

        auto label = std::make_unique<TextLabel>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!label->Create(text, WS_VISIBLE, rect, this, 0))
            continue;
        label->SetBackground(r.left, r.top, r.right, r.bottom, &m_picMain);
        label->m_index = m_labels.GetSize();
        label->m_name = std::move(name);
        label->SetText(text);
        label->m_textColor = static_cast<COLORREF>(ParseInt(color));
        CFont font;
        font.CreateFontIndirect(LabelFont(face, bold, italic, height));
        label->SetLabelFont(font);
        m_labels.Add(std::move(label));
    }
}

void SkinDialog::ReadTrackbars(IniFile ini)
{
    const std::string dir = GetFileDir(m_skinPath);
    for (const NumberedLine& line : ReadNumberedLines(ini, "TRACKBARINFO")) {
        std::string fields = line.value;
        std::string name = NextToken(fields);
        const std::string thumb = NextToken(fields);
        const std::string thumbDown = NextToken(fields);
        const SkinRect r = ParseRect(fields);
        const std::string orientation = NextToken(fields);
        const std::string position = NextToken(fields);

        auto bar = std::make_unique<TrackbarItem>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!bar->Create(WS_VISIBLE, rect, this, 0))
            continue;
        bar->SetSliderPictures(rect, &m_picMain, dir + thumb, dir + thumbDown);
        bar->m_index = m_trackbars.GetSize();
        bar->m_name = std::move(name);
        bar->SetPos(std::atoi(position.c_str()), true); // the trackbar keeps it within 0 to 100
        if (!TrackbarIsHorizontal(orientation))
            bar->ModifyStyle(0, TBS_VERT);
        m_trackbars.Add(std::move(bar));
    }
}

void SkinDialog::ReadProgressControls(IniFile ini)
{
    for (const NumberedLine& line : ReadNumberedLines(ini, "PROGRESSINFO")) {
        std::string fields = line.value;
        std::string name = NextToken(fields);
        std::string tip = NextToken(fields);
        const SkinRect r = ParseRect(fields);
        const std::string orientation = NextToken(fields);

        auto bar = std::make_unique<ProgressItem>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!bar->Create("", WS_VISIBLE, rect, this, 0))
            continue;
        bar->SetBarPictures(rect, &m_picMain, &m_picDown);
        bar->m_index = m_progresses.GetSize();
        bar->m_name = std::move(name);
        bar->SetToolTipText(tip, true);
        bar->m_bar.m_vertical = ProgressIsVertical(orientation);
        m_progresses.Add(std::move(bar));
    }
}
