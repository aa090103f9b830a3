#pragma once
// SkinButton: the owner-drawn push button on which the skinned controls are
// built. Its looks are its rectangle of the skin's Main, Over, Down and
// Disabled pictures, so that it blends into the window picture; it follows the
// pointer itself by holding the mouse capture while hovered, carries its own
// tooltip, and draws no caption and no focus mark.
#include "platform/Button.h"
#include "controls/ButtonFace.h"

#include <string>

// The window class of every skinned push button, the shaped ButtonEx included,
// which behaves like a SkinButton without being one: a CButton that owns a
// ButtonFace and passes it the messages that concern it.
class SkinButtonWindow : public CButton {
public:
    SkinButtonWindow() : m_face(*this) {}

    void SetPictures(const RECT& rect, SkinPictures* pictures) { m_face.SetPictures(rect, pictures); }
    void InitToolTip() { m_face.InitToolTip(); }
    void SetToolTipText(const std::string& text, bool activate) { m_face.SetToolTipText(text, activate); }

    void DrawItem(const DRAWITEMSTRUCT* item) override { m_face.Draw(*item); }

    ButtonFace m_face;

protected:
    void PreSubclassWindow() override;
    bool PreTranslateMessage(MSG* msg) override;

    void OnMouseMove(UINT flags, POINT point) override;
    void OnCaptureChanged(HWND gaining) override;
    void OnKillFocus(HWND gaining) override;
    // Nothing is erased: the next drawing covers the whole button.
    BOOL OnEraseBkgnd(HDC) override { return FALSE; }
};

class SkinButton : public SkinButtonWindow {};
