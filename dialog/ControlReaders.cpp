// The control readers: one per kind, each creating the controls of its section
// as children of the dialog, in the order of their keys.
#include "dialog/SkinDialog.h"

#include "controls/ButtonEx.h"
#include "skin/ControlLines.h"
#include "platform/Font.h"
#include "controls/ImageButton.h"
#include "skin/MaskRuns.h"
#include "skin/MessageTexts.h"
#include "skin/DisplayScale.h"
#include "skin/PictureAtDpiWin32.h"
#include "skin/Region.h"
#include "controls/SkinProgress.h"
#include "controls/SkinSlider.h"
#include "controls/TextLabel.h"

#include <memory>

namespace {

// Creates one control per line of `kind`, a child of the dialog at the line's
// rectangle scaled to `dpi` (by edges, so neighbours stay neighbours), and
// appends it to `list`; `setUp` gives it the rest of its line.
// A line whose window cannot be made is skipped, so indexes stay dense.
template <typename Control, typename Create, typename SetUp>
void CreateControls(const IniFile& ini, ControlKindId kind, int dpi, ControlList<Control>& list, Create create,
                    SetUp setUp)
{
    for (const ControlLine& line : ReadControlLines(ini, ControlKindOf(kind))) {
        const SkinRect r = ScaleRect(line.rect, dpi);
        const RECT rect{r.left, r.top, r.right, r.bottom};
        auto control = std::make_unique<Control>();
        if (!create(*control, line, rect))
            continue;
        control->m_index = list.GetSize();
        control->m_name = line.Name();
        setUp(*control, line, rect);
        list.Add(std::move(control));
    }
}

// Buttons and progress bars are made without a window text.
auto Untitled(CWnd* parent)
{
    return [parent](auto& control, const ControlLine&, const RECT& rect) {
        return control.Create("", WS_VISIBLE, rect, parent, 0);
    };
}

// What both button kinds take from their line and from the dialog's pictures.
template <typename Button>
void SetUpButton(Button& button, const ControlLine& line, const RECT& rect, SkinDialog& dialog)
{
    button.SetPictures(rect, &dialog.m_pictures);
    button.SetToolTipText(line.Text(FieldRole::Tooltip), true);
    button.m_face.m_staticLook = line.Flag(FieldRole::StaticLook);
}

// The label's font as its line describes it; the height is the LOGFONT's,
// scaled to `dpi` (fonts are not scaled for the program).
LOGFONTW LabelFont(const ControlLine& line, int dpi)
{
    LOGFONTW font{};
    CFont::SetFaceName(font, line.Text(FieldRole::Face));
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfHeight = ScaleFontHeight(line.Number(FieldRole::FontHeight), dpi);
    font.lfWeight = line.Flag(FieldRole::Bold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = line.Flag(FieldRole::Italic) ? TRUE : FALSE;
    return font;
}

} // namespace

void SkinDialog::ReadImageButtons(IniFile ini)
{
    CreateControls(ini, ControlKindId::ImageButton, m_dpi, m_buttons, Untitled(this),
                   [this](ImageButton& button, const ControlLine& line, const RECT& rect) {
                       SetUpButton(button, line, rect, *this);
                   });
}

void SkinDialog::ReadButtonExButtons(IniFile ini)
{
    CreateControls(
        ini, ControlKindId::ButtonEx, m_dpi, m_buttonExs, Untitled(this),
        [this](ButtonExItem& button, const ControlLine& line, const RECT& rect) {
            {
                // A line that ends after the flag reads the flag again as the mask name.
                const std::string path = GetFileDir(m_skinPath) + line.PictureName(FieldRole::Mask);
                // The mask's top-left pixel is the button's; the window keeps the region.
                platform::UniqueRegion region;
                SIZE size{};
                if (m_dpi == kBaseDpi && RegionFromMaskFile(path, kSkinCutColour, kSkinCutTolerance, region, size)) {
                    ::ApplyMaskRegion(button.m_hWnd, std::move(region), kButtonExRegionCaption);
                } else {
                    CBitmap mask;
                    LoadPictureAtDpi(path, m_dpi, PictureUse::Mask, mask);
                    ::ApplyMaskRegion(button.m_hWnd, &mask, kButtonExRegionCaption);
                }
            }
            SetUpButton(button, line, rect, *this);
        });
}

void SkinDialog::ReadTextLabels(IniFile ini)
{
    CreateControls(
        ini, ControlKindId::TextLabel, m_dpi, m_labels,
        [this](TextLabel& label, const ControlLine& line, const RECT& rect) {
            // What follows a comma in the text is the unused last field.
            return label.Create(line.Text(FieldRole::Text), WS_VISIBLE, rect, this, 0);
        },
        [this](TextLabel& label, const ControlLine& line, const RECT& rect) {
            label.SetBackground(rect, &m_pictures);
            label.SetText(line.Text(FieldRole::Text));
            label.m_textColor = static_cast<COLORREF>(line.Number(FieldRole::Colour));
            CFont font;
            font.CreateFontIndirect(LabelFont(line, m_dpi));
            label.SetLabelFont(font);
        });
}

void SkinDialog::ReadTrackbars(IniFile ini)
{
    const std::string dir = GetFileDir(m_skinPath);
    CreateControls(
        ini, ControlKindId::Trackbar, m_dpi, m_trackbars,
        [this](TrackbarItem& bar, const ControlLine&, const RECT& rect) { return bar.Create(WS_VISIBLE, rect, this, 0); },
        [this, &dir](TrackbarItem& bar, const ControlLine& line, const RECT& rect) {
            bar.SetSliderPictures(rect, &m_pictures, dir + line.PictureName(FieldRole::Thumb),
                                  dir + line.PictureName(FieldRole::ThumbDown), m_dpi);
            bar.SetPos(line.Number(FieldRole::Position), true); // the trackbar keeps it within 0 to 100
            if (!line.Flag(FieldRole::Horizontal))
                bar.ModifyStyle(0, TBS_VERT);
        });
}

void SkinDialog::ReadProgressControls(IniFile ini)
{
    CreateControls(
        ini, ControlKindId::Progress, m_dpi, m_progresses, Untitled(this),
        [this](ProgressItem& bar, const ControlLine& line, const RECT& rect) {
            bar.SetBarPictures(rect, &m_pictures);
            bar.SetToolTipText(line.Text(FieldRole::Tooltip), true);
            bar.m_bar.m_vertical = line.Flag(FieldRole::Vertical);
        });
}
