// The menu as a screen reader reads it, from this second process: each
// control's name, role, value, description and default action through Active
// Accessibility, the default action carried out, and the focus events.
//
// The menu answers WM_GETOBJECT with its own object built on
// CreateStdAccessibleObject: Wine's Dynamic Annotation (SetHwndPropStr of
// IAccPropServices), the lighter way Windows offers, returns E_NOTIMPL. The
// focus events are the system's own, raised by SetFocus for every window as
// Microsoft documents for EVENT_OBJECT_FOCUS; Wine 8 and Wine 10 raise them too.
#include "tests/win/support/AutorunDisc.h"
#include "platform/ComApartment.h"

#include <oleacc.h>

namespace {

using Skin = KeyboardSkin;

VARIANT Self()
{
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    return self;
}

std::string Text(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*))
{
    BSTR text = nullptr;
    const HRESULT hr = (object->*get)(Self(), &text);
    std::string out = SUCCEEDED(hr) && text ? platform::Narrow(text, ::SysStringLen(text)) : "";
    ::SysFreeString(text);
    return out;
}

struct Read {
    std::string name, description, value, action;
    long role = 0;
};

Read ReadAccessible(HWND control, IAccessible** kept = nullptr)
{
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))))
        return {};
    const platform::ComPtr<IAccessible> owned(object);
    Read read{Text(object, &IAccessible::get_accName), Text(object, &IAccessible::get_accDescription),
              Text(object, &IAccessible::get_accValue), Text(object, &IAccessible::get_accDefaultAction)};
    VARIANT role{};
    if (SUCCEEDED(object->get_accRole(Self(), &role)) && role.vt == VT_I4)
        read.role = role.lVal;
    if (kept && SUCCEEDED(object->accDoDefaultAction(Self())))
        *kept = object, object->AddRef();
    return read;
}

std::vector<HWND> g_focusEvents;

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND wnd, LONG object, LONG, DWORD, DWORD)
{
    if (object == OBJID_CLIENT)
        g_focusEvents.push_back(wnd);
}

TEST(AutorunScreenReader, ReadsEveryControlPressesAButtonAndFollowsTheFocus)
{
    const platform::ComApartment apartment;
    MenuDisc disc;
    Skin skin(disc);
    ASSERT_TRUE(disc.Start());
    HWND wnd = disc.Window();
    const struct {
        RECT at;
        Read read;
    } controls[] = {
        {Skin::kButtons[0], {"Runs the tool", "Runs the tool", "", "Press", ROLE_SYSTEM_PUSHBUTTON}}, // its info text
        {Skin::kButtons[1], {"Second", "Not there", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},             // its tooltip
        {Skin::kButtons[2], {"Close", "", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},                       // its command
        {Skin::kButtons[3], {"ID_SHAPE", "", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},                    // its name
        {Skin::kLabel, {"Welcome", "", "", "", ROLE_SYSTEM_STATICTEXT}},
        {Skin::kTrackbar, {"ID_TB", "", "50", "", ROLE_SYSTEM_SLIDER}},
        {Skin::kBar, {"Bar", "", "0%", "", ROLE_SYSTEM_PROGRESSBAR}},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(c.read.name);
        const Read read = ReadAccessible(ControlAt(wnd, c.at));
        EXPECT_EQ(std::tie(read.name, read.description, read.value, read.action, read.role),
                  std::tie(c.read.name, c.read.description, c.read.value, c.read.action, c.read.role));
    }
    Step("the default action of a program button starts its program; the label reads its new text", [&] {
        IAccessible* pressed = nullptr;
        ReadAccessible(ControlAt(wnd, Skin::kButtons[0]), &pressed);
        ASSERT_TRUE(pressed);
        pressed->Release();
        EXPECT_TRUE(disc.ToolRan(10000));
        EXPECT_EQ(ReadAccessible(ControlAt(wnd, Skin::kLabel)).name, "Runs the tool");
    });
    Step("the focus event follows Tab", [&] {
        const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                                                     disc.Pid(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_TRUE(hook);
        ::SetForegroundWindow(wnd);
        Pump(300);
        g_focusEvents.clear();
        for (int i = 0; i < 2; ++i) {
            PressKey(VK_TAB);
            Pump(300);
        }
        ::UnhookWinEvent(hook);
        const std::vector<HWND> seen = g_focusEvents;
        EXPECT_NE(std::find(seen.begin(), seen.end(), ControlAt(wnd, Skin::kButtons[0])), seen.end());
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back(), ControlAt(wnd, Skin::kButtons[1]));
    });
}

} // namespace
