#include "platform/Accessible.h"

#include "platform/ComApartment.h"
#include "platform/Module.h"
#include "platform/Process.h"
#include "platform/WideText.h"
#include "platform/Win32Handles.h"
#include "platform/Wnd.h"

namespace platform {
namespace {

// oleacc.dll is none of the libraries every program loads: it is loaded at the
// first question, so a menu that nobody reads with assistive technology never
// loads it.
struct Oleacc {
    Library library = LoadDll("oleacc.dll");
    decltype(&::CreateStdAccessibleObject) createStd =
        FunctionFrom<decltype(&::CreateStdAccessibleObject)>(library.Get(), "CreateStdAccessibleObject");
    decltype(&::LresultFromObject) lresultFrom =
        FunctionFrom<decltype(&::LresultFromObject)>(library.Get(), "LresultFromObject");
};

BSTR Bstr(const std::string& text)
{
    return text.empty() ? nullptr : ::SysAllocString(Wide(text).c_str());
}

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// The standard object for everything but the facts the window's object gives.
// COM interfaces have no virtual destructor; this one is deleted by its own Release.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class ClientObject final : public IAccessible {
public:
    ClientObject(HWND wnd, IAccessible* standard) : m_wnd(wnd), m_std(standard) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (!left)
            delete this;
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { return m_std.Get()->GetTypeInfoCount(n); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override
    {
        return m_std.Get()->GetTypeInfo(i, l, t);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID r, LPOLESTR* names, UINT n, LCID l, DISPID* ids) override
    {
        return m_std.Get()->GetIDsOfNames(r, names, n, l, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* v, EXCEPINFO* e,
                                     UINT* a) override
    {
        return m_std.Get()->Invoke(id, r, l, f, p, v, e, a);
    }

    // IAccessible: ours
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::name, &IAccessible::get_accName);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::value, &IAccessible::get_accValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::description, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override
    {
        return Text(child, out, &AccessibleFacts::defaultAction, &IAccessible::get_accDefaultAction);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override
    {
        const AccessibleWindow* window = Window();
        if (!window || !IsSelf(child) || !out)
            return m_std.Get()->get_accRole(child, out);
        out->vt = VT_I4;
        out->lVal = window->Facts().role;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        const AccessibleWindow* window = Window();
        if (!window || !IsSelf(child))
            return m_std.Get()->accDoDefaultAction(child);
        if (window->Facts().defaultAction.empty())
            return DISP_E_MEMBERNOTFOUND;
        // Later, from the window's messages: what it does may show a message box.
        return ::PostMessageW(m_wnd, kDefaultActionMessage, 0, 0) ? S_OK : E_FAIL;
    }

    // IAccessible: the standard object's
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** p) override { return m_std.Get()->get_accParent(p); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override { return m_std.Get()->get_accChildCount(n); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT c, IDispatch** d) override
    {
        return m_std.Get()->get_accChild(c, d);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT c, VARIANT* s) override { return m_std.Get()->get_accState(c, s); }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT c, BSTR* h) override { return m_std.Get()->get_accHelp(c, h); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* f, VARIANT c, long* t) override
    {
        return m_std.Get()->get_accHelpTopic(f, c, t);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT c, BSTR* k) override
    {
        return m_std.Get()->get_accKeyboardShortcut(c, k);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* f) override { return m_std.Get()->get_accFocus(f); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* s) override { return m_std.Get()->get_accSelection(s); }
    HRESULT STDMETHODCALLTYPE accSelect(long f, VARIANT c) override { return m_std.Get()->accSelect(f, c); }
    HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* w, long* h, VARIANT c) override
    {
        return m_std.Get()->accLocation(x, y, w, h, c);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long d, VARIANT s, VARIANT* e) override
    {
        return m_std.Get()->accNavigate(d, s, e);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* c) override
    {
        return m_std.Get()->accHitTest(x, y, c);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT c, BSTR n) override { return m_std.Get()->put_accName(c, n); }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT c, BSTR v) override { return m_std.Get()->put_accValue(c, v); }

private:
    // The window's object while the window lives; none after (a client may
    // keep this object longer than the window).
    const AccessibleWindow* Window() const { return dynamic_cast<const AccessibleWindow*>(CWnd::FromHandle(m_wnd)); }

    HRESULT Text(VARIANT child, BSTR* out, std::string AccessibleFacts::*fact,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*))
    {
        const AccessibleWindow* window = Window();
        if (!window || !IsSelf(child) || !out)
            return (m_std.Get()->*standard)(child, out);
        *out = Bstr(window->Facts().*fact);
        return *out ? S_OK : S_FALSE;
    }

    HWND m_wnd;
    ComPtr<IAccessible> m_std;
    ULONG m_refs = 1;
};
#pragma GCC diagnostic pop

} // namespace

LRESULT AnswerGetObject(HWND wnd, WPARAM wp, LPARAM lp)
{
    if (static_cast<LONG>(lp) != OBJID_CLIENT)
        return 0;
    // The object is handed over through COM, which the thread then needs for as long as it runs.
    static const ComApartment apartment;
    static const Oleacc oleacc;
    if (!oleacc.createStd || !oleacc.lresultFrom)
        return 0;
    IAccessible* standard = nullptr;
    if (FAILED(oleacc.createStd(wnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&standard))) ||
        !standard)
        return 0;
    ComPtr<IAccessible> object(new ClientObject(wnd, standard));
    const LRESULT result = oleacc.lresultFrom(__uuidof(IAccessible), wp, object.Get());
    return result > 0 ? result : 0;
}

} // namespace platform
