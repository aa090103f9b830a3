#include "platform/Wnd.h"

#include "platform/Accessible.h"
#include "platform/MessageBox.h"
#include "platform/WideText.h"

#include <vector>

namespace {

const wchar_t kObjectProp[] = L"ak.CWnd";

POINT PointOf(LPARAM lp)
{
    // Signed: positions left of or above the window are negative while captured.
    return POINT{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

// The control that a notification to its parent is about, if it is one of ours.
CWnd* NotifyingControl(UINT msg, WPARAM, LPARAM lp)
{
    switch (msg) {
    case WM_DRAWITEM:
        return CWnd::FromHandle(reinterpret_cast<const DRAWITEMSTRUCT*>(lp)->hwndItem);
    case WM_HSCROLL:
    case WM_VSCROLL:
        return lp ? CWnd::FromHandle(reinterpret_cast<HWND>(lp)) : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

CWnd::~CWnd()
{
    DestroyWindow();
}

CWnd* CWnd::FromHandle(HWND wnd)
{
    return wnd ? static_cast<CWnd*>(::GetPropW(wnd, kObjectProp)) : nullptr;
}

bool CWnd::CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id)
{
    // Wide windows: their texts are Unicode, whatever the system's code page.
    const std::wstring wideClass = platform::Wide(className ? className : "");
    const std::wstring wideText = platform::Wide(text ? text : "");
    HWND wnd = ::CreateWindowExW(exStyle, wideClass.c_str(), text ? wideText.c_str() : nullptr, style, rect.left, rect.top, rect.right - rect.left,
                                 rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr),
                                 nullptr);
    if (!wnd)
        return false;
    if (!SubclassWindow(wnd)) {
        ::DestroyWindow(wnd);
        return false;
    }
    return true;
}

bool CWnd::SubclassWindow(HWND wnd)
{
    if (!wnd || m_hWnd || FromHandle(wnd))
        return false;
    m_hWnd = wnd;
    PreSubclassWindow();
    if (!::SetPropW(wnd, kObjectProp, this)) {
        m_hWnd = nullptr;
        return false;
    }
    m_superProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    return true;
}

void CWnd::DestroyWindow()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd); // WM_NCDESTROY unbinds
    m_hWnd = nullptr;
}

void CWnd::Unbind()
{
    if (!m_hWnd)
        return;
    ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

bool CWnd::PreTranslateMessage(MSG*)
{
    return false;
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

RECT CWnd::GetClientRect() const
{
    RECT r{};
    ::GetClientRect(m_hWnd, &r);
    return r;
}

RECT CWnd::GetWindowRect() const
{
    RECT r{};
    ::GetWindowRect(m_hWnd, &r);
    return r;
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE));
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add, UINT flags)
{
    const DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return false;
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    if (flags)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | flags);
    return true;
}

void CWnd::SetWindowText(const std::string& text)
{
    ::SetWindowTextW(m_hWnd, platform::Wide(text).c_str());
}

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::vector<wchar_t> buf(static_cast<std::size_t>(length) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, buf.data(), static_cast<int>(buf.size()));
    return platform::Narrow(buf.data(), static_cast<std::size_t>(got > 0 ? got : 0));
}

int CWnd::MessageBox(const std::string& text, const std::string& caption, UINT type)
{
    return platform::ShowMessageBox(m_hWnd, text, caption, type);
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    CWnd* self = FromHandle(wnd);
    if (!self)
        return ::DefWindowProcW(wnd, msg, wp, lp);
    return self->Dispatch(msg, wp, lp);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp)
{
    // Messages nest (a handler may send messages); keep the outer one for Default().
    CurrentMessage outer = m_current;
    m_current = CurrentMessage{msg, wp, lp};
    LRESULT result = WindowProc(msg, wp, lp);
    m_current = outer;
    if (msg == WM_NCDESTROY)
        Unbind();
    return result;
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.msg, m_current.wp, m_current.lp);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (m_superProc)
        return ::CallWindowProcW(m_superProc, m_hWnd, msg, wp, lp);
    return ::DefWindowProcW(m_hWnd, msg, wp, lp);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

LRESULT CWnd::AccessibilityMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    auto* accessible = dynamic_cast<platform::AccessibleWindow*>(this);
    if (msg == platform::kDefaultActionMessage) {
        if (accessible)
            accessible->DoDefaultAction();
        return 0;
    }
    // A window that tells more than the standard object answers with its own.
    if (accessible)
        if (const LRESULT object = platform::AnswerGetObject(m_hWnd, wp, lp))
            return object;
    return Default();
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    if (CWnd* child = NotifyingControl(msg, wp, lp); child && child != this) {
        LRESULT result = 0;
        if (child->OnChildNotify(msg, wp, lp, &result))
            return result;
    }
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return OnEraseBkgnd(reinterpret_cast<HDC>(wp));
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wp));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wp), PointOf(lp));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(static_cast<UINT>(wp), PointOf(lp));
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(static_cast<UINT>(wp), PointOf(lp));
        return 0;
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wp));
        return 0;
    case WM_SETFOCUS:
        OnSetFocus(reinterpret_cast<HWND>(wp));
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wp));
        return 0;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wp));
        return 0;
    case WM_GETOBJECT:
    case platform::kDefaultActionMessage:
        return AccessibilityMessage(msg, wp, lp);
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lp));
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    case WM_COMMAND:
        if (OnCommand(wp, lp))
            return 0;
        return Default();
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        return Default();
    }
}
