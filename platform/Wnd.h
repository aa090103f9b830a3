#pragma once
// CWnd: a window object bound to its handle. Messages reach the object's
// WindowProc, which cracks the ones the skinned windows use and calls virtual
// handlers; a handler that is not overridden passes the message on to default
// processing (the window's own class procedure).
#include <windows.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // The object bound to `wnd`, or none.
    static CWnd* FromHandle(HWND wnd);

    // Creates a window of an existing class and binds this object to it.
    bool CreateEx(DWORD exStyle, const char* className, const char* text, DWORD style, const RECT& rect,
                  CWnd* parent, UINT id);
    // Binds this object to an existing window, routing its messages here first.
    bool SubclassWindow(HWND wnd);
    void DestroyWindow();

    // Called once the window exists and before it is bound.
    virtual void PreSubclassWindow() {}
    // Called by the modal loop for every message to this window or its children
    // before it is dispatched; true when the message has been handled.
    virtual bool PreTranslateMessage(MSG* msg);

    // Window operations used by the skinned windows.
    bool IsWindow() const { return m_hWnd && ::IsWindow(m_hWnd); }
    CWnd* GetParent() const;
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    void Invalidate(bool erase = true) { ::InvalidateRect(m_hWnd, nullptr, erase); }
    void InvalidateRect(const RECT* rect, bool erase = true) { ::InvalidateRect(m_hWnd, rect, erase); }
    DWORD GetStyle() const;
    bool ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    bool PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp) != FALSE; }
    int MessageBox(const std::string& text, const std::string& caption, UINT type = MB_OK);
    void ClientToScreen(POINT* pt) const { ::ClientToScreen(m_hWnd, pt); }
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    bool KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id) != FALSE; }

protected:
    // Dispatches one message to the handlers below.
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // Default processing of the message being handled now.
    LRESULT Default();
    // Default processing of any message: the class procedure the window had before binding.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wp, LPARAM lp);
    // A notification sent to the parent about this control (owner drawing, scrolling),
    // reflected back here; true when handled, with the result in *result.
    virtual bool OnChildNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    // Message handlers; the base versions pass the message to default processing.
    virtual void OnPaint() { Default(); }
    virtual BOOL OnEraseBkgnd(HDC) { return static_cast<BOOL>(Default()); }
    virtual void OnTimer(UINT_PTR) { Default(); }
    virtual void OnLButtonDown(UINT, POINT) { Default(); }
    virtual void OnLButtonUp(UINT, POINT) { Default(); }
    virtual void OnMouseMove(UINT, POINT) { Default(); }
    virtual void OnKillFocus(HWND) { Default(); }
    virtual void OnSetFocus(HWND) { Default(); }
    virtual void OnKeyDown(UINT /*key*/) { Default(); }
    virtual void OnKeyUp(UINT /*key*/) { Default(); }
    virtual void OnCaptureChanged(HWND) { Default(); }
    virtual HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    virtual bool OnCommand(WPARAM, LPARAM) { return false; }
    virtual void OnDestroy() { Default(); }

private:
    // WM_GETOBJECT and the default action that our accessible object posts.
    LRESULT AccessibilityMessage(UINT msg, WPARAM wp, LPARAM lp);

    struct CurrentMessage {
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };

    static LRESULT CALLBACK StaticWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
    void Unbind();

    WNDPROC m_superProc = nullptr;
    CurrentMessage m_current{};
};
