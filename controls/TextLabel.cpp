#include "TextLabel.h"

#include "SkinDialog.h"

#include <memory>

void TextLabel::OnLButtonUp(UINT, POINT)
{
    // No test of the position: every release the label receives is reported.
    Default();
    if (SkinDialog* dialog = Dialog())
        dialog->TextClicked(m_index);
}

void TextLabel::OnMouseMove(UINT, POINT point)
{
    // Only the report: a label takes no capture and shows no hovered look.
    if (SkinDialog* dialog = Dialog())
        dialog->OnControlMouseMove(m_name, point);
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
        m_labels.Add(label.release());
    }
}

void SkinDialog::SetLabelText(const std::string& name, const std::string& text)
{
    for (int i = 0; i < m_labels.GetSize(); ++i)
        if (TextLabel* label = m_labels.GetAt(i); label->m_name == name) {
            label->SetText(text);
            return;
        }
}
