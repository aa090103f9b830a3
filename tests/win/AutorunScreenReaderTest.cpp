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

VARIANT Self()
{
    VARIANT self{};
    self.vt = VT_I4; // lVal 0: CHILDID_SELF
    return self;
}

platform::ComPtr<IAccessible> ObjectOf(HWND control)
{
    IAccessible* object = nullptr;
    ::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&object));
    return platform::ComPtr<IAccessible>(object);
}

std::string Text(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*))
{
    BSTR text = nullptr;
    const bool got = SUCCEEDED((object->*get)(Self(), &text)) && text;
    const std::string out = got ? platform::Narrow(text, ::SysStringLen(text)) : "";
    ::SysFreeString(text);
    return out;
}

// Name, description, value, default action and role, as a screen reader asks for them.
using Read = std::tuple<std::string, std::string, std::string, std::string, long>;
Read ReadOf(HWND control)
{
    const platform::ComPtr<IAccessible> object = ObjectOf(control);
    VARIANT role{};
    if (!object || FAILED(object.Get()->get_accRole(Self(), &role)) || role.vt != VT_I4)
        return {};
    return {Text(object.Get(), &IAccessible::get_accName), Text(object.Get(), &IAccessible::get_accDescription),
            Text(object.Get(), &IAccessible::get_accValue), Text(object.Get(), &IAccessible::get_accDefaultAction),
            role.lVal};
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
    const KeyboardSkin skin(disc);
    ASSERT_TRUE(disc.Start());
    const HWND wnd = disc.Window(), button1 = ControlAt(wnd, KeyboardSkin::kButtons[0]);
    // Buttons named by their info text, tooltip, command and control name.
    const std::pair<RECT, Read> controls[] = {
        {KeyboardSkin::kButtons[0], {"Runs the tool", "Runs the tool", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},
        {KeyboardSkin::kButtons[1], {"Second", "Not there", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},
        {KeyboardSkin::kButtons[2], {"Close", "", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},
        {KeyboardSkin::kButtons[3], {"ID_SHAPE", "", "", "Press", ROLE_SYSTEM_PUSHBUTTON}},
        {KeyboardSkin::kLabel, {"Welcome", "", "", "", ROLE_SYSTEM_STATICTEXT}},
        {KeyboardSkin::kTrackbar, {"ID_TB", "", "50", "", ROLE_SYSTEM_SLIDER}},
        {KeyboardSkin::kBar, {"Bar", "", "0%", "", ROLE_SYSTEM_PROGRESSBAR}},
    };
    for (const auto& [at, read] : controls)
        EXPECT_EQ(ReadOf(ControlAt(wnd, at)), read);
    Step("the default action of a program button starts its program; the label reads its new text", [&] {
        const platform::ComPtr<IAccessible> object = ObjectOf(button1);
        ASSERT_TRUE(object);
        EXPECT_EQ(object.Get()->accDoDefaultAction(Self()), S_OK);
        EXPECT_TRUE(disc.ToolRan(10000));
        EXPECT_EQ(std::get<0>(ReadOf(ControlAt(wnd, KeyboardSkin::kLabel))), "Runs the tool");
    });
    Step("the focus event follows Tab", [&] {
        const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                                                     disc.Pid(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_TRUE(hook);
        ::SetForegroundWindow(wnd);
        Pump(300);
        g_focusEvents.clear();
        PressKey(VK_TAB);
        Pump(300);
        EXPECT_EQ(g_focusEvents, std::vector<HWND>{button1});
        PressKey(VK_TAB);
        Pump(300);
        ::UnhookWinEvent(hook);
        EXPECT_EQ(g_focusEvents, (std::vector<HWND>{button1, ControlAt(wnd, KeyboardSkin::kButtons[1])}));
    });
}

} // namespace
