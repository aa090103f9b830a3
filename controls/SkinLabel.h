#pragma once
// SkinLabel: one line of text in the skin's font and colour over its own
// rectangle of the Main picture. A text too long for the label scrolls like a
// ticker, one character every 150 ms. It is a skin button window whose drawing
// is replaced by its own painting.
#include "platform/Font.h"
#include "controls/LabelScroll.h"
#include "controls/SkinButton.h"

#include <string>

class SkinLabel : public SkinButton {
public:
    explicit SkinLabel(COLORREF textColor = 0);

    // The window text and the shown text; the display restarts at its first character.
    void SetText(const std::string& text);
    // Keeps a copy of `font`: the caller may destroy its own afterwards.
    void SetLabelFont(const CFont& font);
    // Estimates the visible characters, starts or stops the ticker, restarts the display.
    void RecalcScroll();
    // The background is `rect` (the dialog's client coordinates) of the Main
    // picture; without that picture the text is drawn over what the label shows.
    void SetBackground(const RECT& rect, SkinPictures* pictures) { m_face.SetPictures(rect, pictures); }

    // The background and the text as they are now, onto `dc` at the client rectangle.
    void Paint(HDC dc) const;

    // The button's own drawing (on a press, a focus change, a new window text)
    // shows the label as it is rather than an empty state crop.
    void DrawItem(const DRAWITEMSTRUCT* item) override { Paint(item->hDC); }

    LabelScroll m_scroll; // scroll position, visible characters, whether the timer runs
    std::string m_text;
    COLORREF m_textColor;
    CFont m_font;

protected:
    void OnPaint() override;
    void OnTimer(UINT_PTR id) override;
};
