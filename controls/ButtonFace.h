#pragma once
// What every skinned push button has besides its window: its four looks, cut
// from the skin's full-window pictures at the button's rectangle, its hover
// state and its tooltip. A button class holds one, made with its own window
// object, and passes it the messages that concern it.
#include "platform/Bitmap.h"
#include "controls/ButtonLook.h"
#include "platform/ToolTipCtrl.h"
#include "platform/Wnd.h"

#include <string>

class ButtonFace : public HoverTracker, private ButtonSeam {
public:
    explicit ButtonFace(CWnd& button) : m_button(button) {}
    ButtonFace(const ButtonFace&) = delete;
    ButtonFace& operator=(const ButtonFace&) = delete;

    // Declared first so that it is destroyed last, after the crops.
    CToolTipCtrl m_toolTip;
    bool m_staticLook = false; // always the Main look
    CBitmap m_bmpMain;
    CBitmap m_bmpOver;
    CBitmap m_bmpDown;
    CBitmap m_bmpDisabled;

    // While the window is being bound: an owner-drawn button without tab stop.
    void MakeOwnerDrawn();
    // Cuts `rect` (the dialog's client coordinates) out of each picture; a
    // picture without a bitmap leaves its crop empty.
    void SetPictures(const RECT& rect, const CBitmap* main, const CBitmap* over, const CBitmap* down,
                     const CBitmap* disabled);
    void InitToolTip();
    // Registers the one tool at the first call; later calls only change its text.
    void SetToolTipText(const std::string& text, bool activate);
    void RelayToToolTip(MSG* msg);

    ButtonLook LookFor(UINT itemState) const;
    const CBitmap& Crop(ButtonLook look) const;
    // Copies the crop of the current look over the whole client area.
    void Draw(const DRAWITEMSTRUCT& item) const;

    // The message steps; Windows' default processing is the caller's.
    void TrackMouseMove(UINT flags, POINT point);
    void CaptureLost(HWND gaining);
    void FocusLost();
    // A left-button release at `point`: true when it is a click.
    bool ReleaseIsClick(POINT point);

private:
    bool HoldsCapture() const override;
    bool HasActiveWindowAndOwner() const override;
    WindowUnderPointer WindowAt(ButtonPoint point) const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    void Invalidate() override;

    CWnd& m_button;
};
