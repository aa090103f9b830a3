#pragma once
// SkinDialog: the dialog whose whole look comes from a skin description. It
// loads the pictures, sizes and shapes itself, creates the controls of the five
// kinds, paints its background, can be dragged by it, and turns the controls'
// reports into overridable hooks that carry the control's name.
#include "controls/ControlHost.h"
#include "controls/KeyboardFocus.h"
#include "dialog/ControlList.h"
#include "platform/Dialog.h"
#include "platform/ToolTipCtrl.h"
#include "skin/SkinFile.h"
#include "skin/SkinPictures.h"

#include <string>
#include <vector>

class ImageButton;
class ButtonExItem;
class TrackbarItem;
class TextLabel;
class ProgressItem;

class SkinDialog : public CDialog, public ControlHost {
public:
    SkinDialog(UINT templateId, CWnd* parent);
    ~SkinDialog() override;

    // Name hooks: the base versions do nothing.
    virtual void OnProgressClick(std::string /*name*/) {}
    virtual void OnButtonClick(std::string /*name*/) {}
    virtual void OnButtonExClick(std::string /*name*/) {}
    virtual void OnTrackbarScroll(std::string /*name*/, int /*code*/, int /*pos*/) {}
    virtual void OnTextClick(std::string /*name*/) {}
    virtual void OnControlMouseMove(std::string /*name*/, POINT /*point*/) {}

    // Index notifications from the controls: an index outside the list calls nothing.
    virtual void ButtonClicked(int index);
    virtual void ButtonExClicked(int index);
    virtual void TrackbarScrolled(int index, int code, int pos);
    virtual void TextClicked(int index);
    void ProgressClicked(int index);

    virtual void ApplyMaskRegion(CBitmap* mask);
    // The skin at the DPI of the monitor the window is on.
    virtual void LoadSkin();
    // The skin laid out for `dpi`: pictures (their @2x versions where usable),
    // the window's size and outline, and every control's rectangle, font and
    // pictures scaled from the 96-DPI description. The window keeps its place.
    void LoadSkinAt(int dpi);
    int SkinDpi() const { return m_dpi; }
    void FreeSkin();
    void SetSkinPath(const std::string& path) { m_skinPath = path; }
    // The languages whose sections the skin is read through, most specific first.
    void SetLanguages(const std::vector<std::string>& languages) { m_languages = languages; }
    void SetLabelText(const std::string& name, const std::string& text);

    ControlList<ImageButton> m_buttons;
    ControlList<ButtonExItem> m_buttonExs;
    ControlList<TrackbarItem> m_trackbars;
    ControlList<TextLabel> m_labels;
    ControlList<ProgressItem> m_progresses;
    std::string m_skinPath;
    // Main, Over, Down and Disabled, shared by the controls; the looks no first
    // paint needs are decoded after it (OnIdle).
    SkinPictures m_pictures;

    // The tooltip of every control's tool, made at the first need; it ends with the skin.
    CToolTipCtrl* SharedToolTip() override;

    // What assistive technology reads of the button `name` besides its
    // tooltip; the base version knows nothing more.
    ButtonWords DescribeButton(const std::string& /*name*/) override { return {}; }
    bool ShowsFocus() override { return m_keyboard.CuesShown(); }
    // The skinned controls that take the keyboard focus, in creation order.
    std::vector<SkinControl*> FocusOrder();

protected:
    bool OnInitDialog() override;
    // Tab, Shift+Tab and the arrows move the focus among the controls.
    bool PreTranslateMessage(MSG* msg) override;
    // The dialog manager sends Enter as IDOK without the focused button: a
    // dialog whose Enter goes to the focused control calls this from OnOK.
    void ActivateFocusedControl();
    // Activation gives the focus to the window itself and no further: nothing
    // shows focus until a key moves it, and the first Tab finds the first control.
    void OnSetFocus(HWND) override {}
    void OnPaint() override;
    void OnLButtonDown(UINT flags, POINT point) override;
    void OnMouseMove(UINT flags, POINT point) override;
    bool OnIdle() override;
    // WM_DPICHANGED: the suggested rectangle, then the skin at the new DPI.
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // The control readers, one per kind (ControlReaders.cpp).
    void ReadImageButtons(IniFile ini);
    void ReadButtonExButtons(IniFile ini);
    void ReadTextLabels(IniFile ini);
    void ReadTrackbars(IniFile ini);
    void ReadProgressControls(IniFile ini);

private:
    // The controls' reports, passed on to the index notifications above.
    void ReportButtonClick(int index) override { ButtonClicked(index); }
    void ReportButtonExClick(int index) override { ButtonExClicked(index); }
    void ReportTextClick(int index) override { TextClicked(index); }
    void ReportProgressClick(int index) override { ProgressClicked(index); }
    void ReportTrackbarScroll(int index, int code, int pos) override { TrackbarScrolled(index, code, pos); }
    void ReportControlMouseMove(const std::string& name, POINT point) override { OnControlMouseMove(name, point); }

    template <typename T>
    void ForEachList(T&& fn);

    CToolTipCtrl m_toolTip;
    KeyboardFocus m_keyboard;
    int m_dpi = kBaseDpi; // the DPI the skin was last laid out for
    std::vector<std::string> m_languages;
    // The name hook with the name of the list's entry `index`; nothing when there is none.
    template <typename T, typename... Params, typename... Args>
    void CallNameHook(const ControlList<T>& list, int index, void (SkinDialog::*hook)(std::string, Params...),
                      Args... args);
};
