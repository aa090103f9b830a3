// The control readers: one per kind, each creating the controls of its section
// as children of the dialog, in the order of their keys.
#include "SkinDialog.h"

#include "ButtonEx.h"
#include "ControlLines.h"
#include "Font.h"
#include "ImageButton.h"
#include "MessageTexts.h"
#include "Picture.h"
#include "Region.h"
#include "SkinProgress.h"
#include "SkinSlider.h"
#include "TextLabel.h"

#include <memory>

void SkinDialog::ReadImageButtons(IniFile ini)
{
    for (const ControlLine& line : ReadControlLines(ini, ControlKindOf(ControlKindId::ImageButton))) {
        const SkinRect& r = line.rect;
        auto button = std::make_unique<ImageButton>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!button->Create("", WS_VISIBLE, rect, this, 0))
            continue;
        button->SetPictures(rect, &m_picMain, &m_picOver, &m_picDown, &m_picDisabled);
        button->m_index = m_buttons.GetSize();
        button->m_name = line.Name();
        button->SetToolTipText(line.Text(FieldRole::Tooltip), true);
        button->m_face.m_staticLook = line.Flag(FieldRole::StaticLook);
        m_buttons.Add(std::move(button));
    }
}

void SkinDialog::ReadButtonExButtons(IniFile ini)
{
    for (const ControlLine& line : ReadControlLines(ini, ControlKindOf(ControlKindId::ButtonEx))) {
        const SkinRect& r = line.rect;
        auto button = std::make_unique<ButtonExItem>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!button->Create("", WS_VISIBLE, rect, this, 0))
            continue;
        {
            CBitmap mask;
            SIZE size{};
            // A line that ends after the flag reads the flag again as the mask name.
            LoadPicture(GetFileDir(m_skinPath) + line.PictureName(FieldRole::Mask), mask, size);
            // The mask's top-left pixel is the button's; the window keeps the region.
            ::ApplyMaskRegion(button->m_hWnd, &mask, kButtonExRegionCaption);
        }
        button->SetPictures(rect, &m_picMain, &m_picOver, &m_picDown, &m_picDisabled);
        button->m_index = m_buttonExs.GetSize();
        button->m_name = line.Name();
        button->SetToolTipText(line.Text(FieldRole::Tooltip), true);
        button->m_face.m_staticLook = line.Flag(FieldRole::StaticLook);
        m_buttonExs.Add(std::move(button));
    }
}

namespace {

// The label's font as its line describes it; the height is the LOGFONT's, as given.
LOGFONTW LabelFont(const ControlLine& line)
{
    LOGFONTW font{};
    CFont::SetFaceName(font, line.Text(FieldRole::Face));
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = line.Number(FieldRole::FontHeight);
    font.lfWeight = line.Flag(FieldRole::Bold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = line.Flag(FieldRole::Italic) ? TRUE : FALSE;
    return font;
}

} // namespace

void SkinDialog::ReadTextLabels(IniFile ini)
{
    for (const ControlLine& line : ReadControlLines(ini, ControlKindOf(ControlKindId::TextLabel))) {
        const SkinRect& r = line.rect;
        // What follows a comma in the text is the unused last field.
        const std::string& text = line.Text(FieldRole::Text);
        auto label = std::make_unique<TextLabel>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!label->Create(text, WS_VISIBLE, rect, this, 0))
            continue;
        label->SetBackground(r.left, r.top, r.right, r.bottom, &m_picMain);
        label->m_index = m_labels.GetSize();
        label->m_name = line.Name();
        label->SetText(text);
        label->m_textColor = static_cast<COLORREF>(line.Number(FieldRole::Colour));
        CFont font;
        font.CreateFontIndirect(LabelFont(line));
        label->SetLabelFont(font);
        m_labels.Add(std::move(label));
    }
}

void SkinDialog::ReadTrackbars(IniFile ini)
{
    const std::string dir = GetFileDir(m_skinPath);
    for (const ControlLine& line : ReadControlLines(ini, ControlKindOf(ControlKindId::Trackbar))) {
        const SkinRect& r = line.rect;
        auto bar = std::make_unique<TrackbarItem>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!bar->Create(WS_VISIBLE, rect, this, 0))
            continue;
        bar->SetSliderPictures(rect, &m_picMain, dir + line.PictureName(FieldRole::Thumb),
                               dir + line.PictureName(FieldRole::ThumbDown));
        bar->m_index = m_trackbars.GetSize();
        bar->m_name = line.Name();
        bar->SetPos(line.Number(FieldRole::Position), true); // the trackbar keeps it within 0 to 100
        if (!line.Flag(FieldRole::Horizontal))
            bar->ModifyStyle(0, TBS_VERT);
        m_trackbars.Add(std::move(bar));
    }
}

void SkinDialog::ReadProgressControls(IniFile ini)
{
    for (const ControlLine& line : ReadControlLines(ini, ControlKindOf(ControlKindId::Progress))) {
        const SkinRect& r = line.rect;
        auto bar = std::make_unique<ProgressItem>();
        const RECT rect{r.left, r.top, r.right, r.bottom};
        if (!bar->Create("", WS_VISIBLE, rect, this, 0))
            continue;
        bar->SetBarPictures(rect, &m_picMain, &m_picDown);
        bar->m_index = m_progresses.GetSize();
        bar->m_name = line.Name();
        bar->SetToolTipText(line.Text(FieldRole::Tooltip), true);
        bar->m_bar.m_vertical = line.Flag(FieldRole::Vertical);
        m_progresses.Add(std::move(bar));
    }
}
