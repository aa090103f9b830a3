#include "dialog/SkinDialog.h"

#include "platform/Dpi.h"
#include "platform/FileSystem.h"
#include "platform/StartupTimes.h"
#include "skin/MaskRuns.h"
#include "skin/MessageTexts.h"
#include "skin/PictureLoader.h"
#include "skin/PictureAtDpiWin32.h"
#include "skin/Region.h"
#include "controls/TextLabel.h"

SkinDialog::SkinDialog(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

SkinDialog::~SkinDialog()
{
    FreeSkin();
}

template <typename T>
void SkinDialog::ForEachList(T&& fn)
{
    // The order in which lists are freed and repainted.
    fn(m_buttons);
    fn(m_buttonExs);
    fn(m_trackbars);
    fn(m_labels);
    fn(m_progresses);
}

template <typename T, typename... Params, typename... Args>
void SkinDialog::CallNameHook(const ControlList<T>& list, int index, void (SkinDialog::*hook)(std::string, Params...),
                              Args... args)
{
    if (list.Contains(index))
        (this->*hook)(list.EntryAt(index)->m_name, args...);
}

void SkinDialog::ButtonClicked(int index) { CallNameHook(m_buttons, index, &SkinDialog::OnButtonClick); }
void SkinDialog::ButtonExClicked(int index) { CallNameHook(m_buttonExs, index, &SkinDialog::OnButtonExClick); }
void SkinDialog::TextClicked(int index) { CallNameHook(m_labels, index, &SkinDialog::OnTextClick); }
void SkinDialog::ProgressClicked(int index) { CallNameHook(m_progresses, index, &SkinDialog::OnProgressClick); }

void SkinDialog::TrackbarScrolled(int index, int code, int pos)
{
    CallNameHook(m_trackbars, index, &SkinDialog::OnTrackbarScroll, code, pos);
}

void SkinDialog::ApplyMaskRegion(CBitmap* mask)
{
    ::ApplyMaskRegion(m_hWnd, mask, kDialogRegionCaption);
}

bool SkinDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (platform::PathExists(m_skinPath))
        LoadSkin();
    return false; // the focus stays on the window: see OnSetFocus
}

void SkinDialog::LoadSkin()
{
    LoadSkinAt(platform::WindowDpi(m_hWnd));
}

void SkinDialog::LoadSkinAt(int dpi)
{
    AK_STARTUP_TIME("skin: start");
    FreeSkin();
    m_dpi = dpi > 0 ? dpi : kBaseDpi;
    IniFile ini(m_skinPath, m_languages);
    const std::string main = ini.GetString("Screen", "Main", "");
    const std::string mask = ini.GetString("Screen", "Mask", main);
    const std::string over = ini.GetString("Screen", "Over", main);
    const std::string down = ini.GetString("Screen", "Down", main);
    const std::string disabled = ini.GetString("Screen", "Disabled", main);
    const std::string dir = GetFileDir(m_skinPath);

    // Main now, the other looks once the window has painted or at their first need.
    m_pictures.Load(dir + main, dir + over, dir + down, dir + disabled, m_dpi);
    AK_STARTUP_TIME("skin: Main decoded");
    const SIZE mainSize = m_pictures.Get(SkinLook::Main).GetSize();
    // Needed only for the region. At 96 DPI a BMP mask is read from its file
    // straight into runs; otherwise it is decoded and scaled by nearest
    // neighbour, so that it cuts the same pixels.
    platform::UniqueRegion fileRegion;
    SIZE maskSize{};
    const bool fromFile = m_dpi == kBaseDpi &&
                          RegionFromMaskFile(dir + mask, kSkinCutColour, kSkinCutTolerance, fileRegion, maskSize);
    CBitmap maskPicture;
    if (!fromFile) {
        LoadPictureAtDpi(dir + mask, m_dpi, PictureUse::Mask, maskPicture);
        maskSize = maskPicture.GetSize();
    }
    AK_STARTUP_TIME("skin: mask read");

    // The window takes the Mask picture's size. Without a Mask picture it must
    // not shrink to nothing: the Main picture's size, else the size it has.
    RECT window = GetWindowRect();
    SIZE size = maskSize;
    if (!fromFile && !maskPicture)
        size = m_pictures.Get(SkinLook::Main) ? mainSize : SIZE{window.right - window.left, window.bottom - window.top};
    ::SetWindowPos(m_hWnd, HWND_TOP, window.left, window.top, size.cx, size.cy, SWP_NOOWNERZORDER);

    if (fromFile)
        ::ApplyMaskRegion(m_hWnd, std::move(fileRegion), kDialogRegionCaption);
    else
        ApplyMaskRegion(&maskPicture);
    maskPicture.DeleteObject();
    AK_STARTUP_TIME("skin: region set");

    ReadImageButtons(ini);
    AK_STARTUP_TIME("skin: image buttons made");
    ReadButtonExButtons(ini);
    AK_STARTUP_TIME("skin: ButtonEx made");
    ReadTextLabels(ini);
    AK_STARTUP_TIME("skin: labels made");
    ReadTrackbars(ini);
    AK_STARTUP_TIME("skin: trackbars made");
    ReadProgressControls(ini);
    AK_STARTUP_TIME("skin: progress bars made");
    // The window and all its controls at once, now that all of them are there
    // (nothing before the dialog shows first).
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    AK_STARTUP_TIME("skin: redrawn");
}

void SkinDialog::FreeSkin()
{
    ForEachList([](auto& list) { list.DeleteAll(); });
    m_toolTip.DestroyWindow();
    m_pictures.Free();
}

CToolTipCtrl* SkinDialog::SharedToolTip()
{
    if (!m_toolTip.IsWindow() && m_hWnd) {
        m_toolTip.Create(this, 0);
        AK_STARTUP_TIME("tooltip made");
    }
    return m_toolTip.IsWindow() ? &m_toolTip : nullptr;
}

void SkinDialog::OnPaint()
{
    AK_STARTUP_TIME("dialog paint: start");
    platform::PaintDc paint(m_hWnd);
    // Not limited to the update region: a WM_PAINT sent directly repaints everything.
    platform::WindowDc dc(m_hWnd);
    RECT client = GetClientRect();
    DrawBitmap(dc.Dc(), m_pictures.Get(SkinLook::Main).GetSafeHandle(), client);
    // The picture was drawn over the controls (no WS_CLIPCHILDREN): bring them back.
    ForEachList([](auto& list) {
        for (int i = 0; i < list.GetSize(); ++i)
            ::InvalidateRect(list.EntryAt(i)->ControlWindow(), nullptr, TRUE);
    });
    AK_STARTUP_TIME("dialog paint: end");
}

bool SkinDialog::OnIdle()
{
    // The other looks, one at a time, once no message waits: every paint is
    // done then, and the frame is on the screen (Wine puts the last paints
    // there only when the thread finds no message). A hover or press before
    // then decodes its look at once (SkinPictures::Get).
    if (!m_pictures.Waiting())
        return false;
    AK_STARTUP_TIME("other look: start");
    const bool more = m_pictures.DecodeNext();
    AK_STARTUP_TIME("other look: decoded");
    return more;
}

LRESULT SkinDialog::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_DPICHANGED)
        return CDialog::WindowProc(msg, wp, lp);
    // The rectangle Windows suggests keeps the window where the user sees it
    // on the new monitor; the skin then gives it its size at the new DPI.
    if (const auto* suggested = reinterpret_cast<const RECT*>(lp))
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    if (!m_skinPath.empty())
        LoadSkinAt(LOWORD(wp));
    return 0;
}

void SkinDialog::OnLButtonDown(UINT, POINT point)
{
    // Drag the window by its background as if by its caption; the move itself
    // follows the pointer from where it is.
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

void SkinDialog::OnMouseMove(UINT, POINT point)
{
    Default();
    OnControlMouseMove("", point);
}

std::vector<SkinControl*> SkinDialog::FocusOrder()
{
    // The lists in the order the readers make them: image buttons, ButtonEx,
    // labels (which take no focus), trackbars, progress controls.
    std::vector<SkinControl*> order;
    auto add = [&order](auto& list) {
        for (int i = 0; i < list.GetSize(); ++i)
            if (SkinControl* c = list.EntryAt(i); c->TakesFocus() && ::IsWindowVisible(c->ControlWindow()) &&
                                                   ::IsWindowEnabled(c->ControlWindow()))
                order.push_back(c);
    };
    add(m_buttons);
    add(m_buttonExs);
    add(m_trackbars);
    add(m_progresses);
    return order;
}

namespace {

NavKey NavKeyOf(WPARAM key)
{
    static constexpr struct {
        WPARAM key;
        NavKey nav;
    } kKeys[] = {{VK_TAB, NavKey::Tab}, {VK_LEFT, NavKey::Left}, {VK_RIGHT, NavKey::Right},
                 {VK_UP, NavKey::Up},   {VK_DOWN, NavKey::Down}, {VK_MENU, NavKey::Alt}};
    for (const auto& k : kKeys)
        if (k.key == key)
            return k.nav;
    return NavKey::Other;
}

} // namespace

bool SkinDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)
        return CDialog::PreTranslateMessage(msg);
    const NavKey key = NavKeyOf(msg->wParam);
    if (key == NavKey::Other)
        return CDialog::PreTranslateMessage(msg);
    const std::vector<SkinControl*> order = FocusOrder();
    const HWND focus = ::GetFocus();
    int current = -1;
    for (std::size_t i = 0; i < order.size(); ++i)
        if (order[i]->ControlWindow() == focus)
            current = static_cast<int>(i);
    bool cuesChanged = false;
    const FocusMove move = m_keyboard.OnKey(key, ::GetKeyState(VK_SHIFT) < 0, static_cast<int>(order.size()), current,
                                            current >= 0 && order[static_cast<std::size_t>(current)]->TakesArrows(),
                                            &cuesChanged);
    if (cuesChanged && focus)
        ::InvalidateRect(focus, nullptr, TRUE); // its focus shows from now on
    // SetFocus raises the focus event for assistive technology (the system does
    // for every window, in Microsoft's words on EVENT_OBJECT_FOCUS).
    if (move.to >= 0)
        ::SetFocus(order[static_cast<std::size_t>(move.to)]->ControlWindow());
    return move.handled;
}

void SkinDialog::ActivateFocusedControl()
{
    const HWND focus = ::GetFocus();
    for (SkinControl* control : FocusOrder())
        if (control->ControlWindow() == focus)
            control->Activate();
}

void SkinDialog::SetLabelText(const std::string& name, const std::string& text)
{
    for (int i = 0; i < m_labels.GetSize(); ++i)
        if (TextLabel* label = m_labels.GetAt(i); label->m_name == name) {
            label->SetText(text);
            return;
        }
}
