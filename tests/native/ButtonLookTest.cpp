// Look selection and hover tracking of the skinned buttons, driven through a
// model of the platform's mouse delivery and push-button behaviour.
#include "controls/ButtonLook.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

const char* Name(ButtonLook look)
{
    switch (look) {
    case ButtonLook::Main:
        return "Main";
    case ButtonLook::Over:
        return "Over";
    case ButtonLook::Down:
        return "Down";
    case ButtonLook::Disabled:
        return "Disabled";
    }
    return "?";
}

TEST(ChooseLook, FirstMatchingRowWins)
{
    struct Row {
        bool staticLook, pushed, hover, disabled;
        ButtonLook expected;
    } rows[] = {
        {false, false, false, false, ButtonLook::Main},
        {false, false, true, false, ButtonLook::Over},
        {false, false, false, true, ButtonLook::Disabled},
        {false, true, false, false, ButtonLook::Down},
        {false, true, false, true, ButtonLook::Down},     // pushed while the hover is already cleared
        {false, true, true, true, ButtonLook::Down},      // pushed wins over hovered
        {false, false, true, true, ButtonLook::Over},     // hovered wins over disabled
        {true, false, false, false, ButtonLook::Main},
        {true, true, true, true, ButtonLook::Main},       // a static look never changes
        {true, false, true, false, ButtonLook::Main},
        {true, false, false, true, ButtonLook::Main},
    };
    for (const Row& r : rows)
        EXPECT_STREQ(Name(ChooseLook(r.staticLook, r.pushed, r.hover, r.disabled)), Name(r.expected))
            << "static " << r.staticLook << " pushed " << r.pushed << " hover " << r.hover << " disabled "
            << r.disabled;
}

TEST(ChooseLook, AFocusThatShowsLooksHoveredUnlessPushed)
{
    EXPECT_STREQ(Name(ChooseLook(false, false, false, false, true)), "Over");
    EXPECT_STREQ(Name(ChooseLook(false, false, false, true, true)), "Over");
    EXPECT_STREQ(Name(ChooseLook(false, true, false, false, true)), "Down");
    EXPECT_STREQ(Name(ChooseLook(true, false, false, false, true)), "Main");
}

TEST(InsideClient, LeftAndTopEdgesInsideRightAndBottomOutside)
{
    struct Row {
        int w, h, x, y;
        bool inside;
    } rows[] = {
        {20, 10, 0, 0, true},   {20, 10, 19, 9, true},  {20, 10, 20, 5, false}, {20, 10, 5, 10, false},
        {20, 10, -1, 5, false}, {20, 10, 5, -1, false}, {0, 10, 0, 0, false},   {20, 0, 0, 0, false},
        {-5, 10, -1, 0, false}, // a negative width holds no point
    };
    for (const Row& r : rows)
        EXPECT_EQ(InsideClient(r.w, r.h, ButtonPoint{r.x, r.y}), r.inside)
            << r.w << "x" << r.h << " at " << r.x << "," << r.y;
}

// One thread's dialog with buttons, modelled as the platform runs it: mouse
// messages go to the window holding the capture, else to the window under the
// pointer; a press takes the capture and the focus and pushes the button while
// the pointer is over it; a release un-pushes it and gives the capture up.
// Capture changes are announced to the window losing it, also when a window
// takes the capture it already holds (as Wine does).
class Desk {
public:
    Desk() = default;
    Desk(const Desk&) = delete; // the buttons point back at their desk
    Desk& operator=(const Desk&) = delete;

    static constexpr int kNobody = -1;
    static constexpr int kBackground = -2; // the dialog itself
    static constexpr int kForeign = -3;    // a window of another program

    struct Rect {
        int left, top, right, bottom;
    };

    // `releaseHandler`: the image button's click handler runs before the
    // platform's own release processing.
    void Add(char name, Rect r, bool releaseHandler = true, bool staticLook = false)
    {
        auto b = std::make_unique<Button>();
        b->desk = this;
        b->id = static_cast<int>(m_buttons.size());
        b->name = name;
        b->rect = r;
        b->releaseHandler = releaseHandler;
        b->staticLook = staticLook;
        m_buttons.push_back(std::move(b));
    }

    void Move(int x, int y)
    {
        m_pointer = {x, y};
        if (Button* b = Target()) {
            if (b->pressed && b->HoldsCapture())
                b->pushed = Inside(*b, m_pointer);
            b->tracker.MouseMove(*b, m_left, ClientPoint(*b));
        }
    }
    void Press()
    {
        m_left = true;
        if (Button* b = Target()) {
            SetFocus(b->id);
            SetCapture(b->id);
            b->pressed = b->pushed = true;
        }
    }
    void Release()
    {
        m_left = false;
        if (Button* b = Target()) {
            const int w = b->rect.right - b->rect.left, h = b->rect.bottom - b->rect.top;
            if (b->releaseHandler && b->tracker.Release(*b, w, h, ClientPoint(*b)))
                m_clicks += b->name;
            if (b->pressed) {
                b->pressed = b->pushed = false;
                ReleaseCapture();
            }
        }
    }
    void Steal() { SetCapture(kForeign); }
    void GiveBack()
    {
        if (m_capture == kForeign)
            m_capture = kNobody;
    }
    void Blur() { SetFocus(kForeign); }
    void SetActive(bool active) { m_active = active; }

    std::string State() const
    {
        std::string s;
        for (const auto& b : m_buttons)
            s += std::string(1, b->name) + "=" +
                 Name(ChooseLook(b->staticLook, b->pushed, b->tracker.m_hover == 1, false)) + " ";
        s += "capture=";
        s += m_capture >= 0 ? std::string(1, m_buttons[static_cast<std::size_t>(m_capture)]->name)
             : m_capture == kForeign ? "foreign"
                                     : "-";
        return s + " clicks=" + m_clicks;
    }
    int Repaints(char name) const { return Find(name)->repaints; }

private:
    struct Point {
        int x, y;
    };
    struct Button final : ButtonSeam {
        Desk* desk = nullptr;
        int id = 0;
        char name = '?';
        Rect rect{};
        bool releaseHandler = true;
        bool staticLook = false;
        HoverTracker tracker;
        bool pressed = false; // the platform's press is under way
        bool pushed = false;  // shown pushed
        int repaints = 0;

        bool HoldsCapture() const override { return desk->m_capture == id; }
        bool HasActiveWindowAndOwner() const override { return desk->m_active; }
        WindowUnderPointer WindowAt(ButtonPoint p) const override
        {
            int under = desk->WindowAt(Point{rect.left + p.x, rect.top + p.y});
            return under == kNobody ? WindowUnderPointer::None
                   : under == id    ? WindowUnderPointer::ThisButton
                                    : WindowUnderPointer::Other;
        }
        void SetCapture() override { desk->SetCapture(id); }
        void ReleaseCapture() override { desk->ReleaseCapture(); }
        void Invalidate() override { ++repaints; }
    };

    static bool Inside(const Button& b, Point p)
    {
        return p.x >= b.rect.left && p.x < b.rect.right && p.y >= b.rect.top && p.y < b.rect.bottom;
    }
    ButtonPoint ClientPoint(const Button& b) const
    {
        return ButtonPoint{m_pointer.x - b.rect.left, m_pointer.y - b.rect.top};
    }
    // Left of the screen there is no window at all.
    int WindowAt(Point p) const
    {
        if (p.x < 0)
            return kNobody;
        for (const auto& b : m_buttons)
            if (Inside(*b, p))
                return b->id;
        return kBackground;
    }
    Button* ButtonAt(int id) const
    {
        return id >= 0 ? m_buttons[static_cast<std::size_t>(id)].get() : nullptr;
    }
    const Button* Find(char name) const
    {
        for (const auto& b : m_buttons)
            if (b->name == name)
                return b.get();
        return nullptr;
    }
    Button* Target() const
    {
        if (m_capture != kNobody)
            return ButtonAt(m_capture);
        return ButtonAt(WindowAt(m_pointer));
    }
    void SetCapture(int id)
    {
        const int previous = m_capture;
        m_capture = id;
        if (Button* b = ButtonAt(previous))
            b->tracker.CaptureChanged(*b, previous == id);
    }
    // Releases the capture of this thread; another program's stays.
    void ReleaseCapture()
    {
        if (m_capture == kNobody || m_capture == kForeign)
            return;
        const int previous = m_capture;
        m_capture = kNobody;
        if (Button* b = ButtonAt(previous))
            b->tracker.CaptureChanged(*b, false);
    }
    void SetFocus(int id)
    {
        const int previous = m_focus;
        m_focus = id;
        if (Button* b = ButtonAt(previous); b && previous != id)
            b->tracker.FocusLost(*b);
    }

    std::vector<std::unique_ptr<Button>> m_buttons;
    Point m_pointer{200, 200};
    bool m_left = false;
    bool m_active = true;
    int m_capture = kNobody;
    int m_focus = kNobody;
    std::string m_clicks;
};

// A and B side by side, C a button without a click handler, S a static look.
void Furnish(Desk& d)
{
    d.Add('A', {10, 10, 40, 30});
    d.Add('B', {40, 10, 70, 30});
    d.Add('C', {10, 40, 40, 60}, false);
    d.Add('S', {80, 10, 110, 30}, true, true);
}

struct Step {
    enum Kind { Move, Press, Release, Steal, GiveBack, Blur, Deactivate, Activate } kind;
    int x = 0, y = 0;
    const char* expected = nullptr; // state afterwards; null: not checked
};

struct Scenario {
    const char* name;
    std::vector<Step> steps;
};

void Perform(Desk& d, const Step& s)
{
    switch (s.kind) {
    case Step::Move:
        d.Move(s.x, s.y);
        break;
    case Step::Press:
        d.Press();
        break;
    case Step::Release:
        d.Release();
        break;
    case Step::Steal:
        d.Steal();
        break;
    case Step::GiveBack:
        d.GiveBack();
        break;
    case Step::Blur:
        d.Blur();
        break;
    case Step::Deactivate:
        d.SetActive(false);
        break;
    case Step::Activate:
        d.SetActive(true);
        break;
    }
}

TEST(HoverTracker, Transitions)
{
    const char* rest = "A=Main B=Main C=Main S=Main capture=- clicks=";
    const char* overA = "A=Over B=Main C=Main S=Main capture=A clicks=";
    const Scenario scenarios[] = {
        {"entering hovers, leaving ends it",
         {{Step::Move, 200, 200, rest},
          {Step::Move, 20, 20, overA},
          {Step::Move, 25, 25, overA},
          {Step::Move, 20, 100, rest}}},
        {"straight onto the adjacent button: the capture is handed over at its next move",
         {{Step::Move, 35, 20, overA},
          {Step::Move, 45, 20, rest},
          {Step::Move, 46, 20, "A=Main B=Over C=Main S=Main capture=B clicks="}}},
        {"entering with the left button held stays Normal; the release alone is a click",
         {{Step::Move, 20, 100},
          {Step::Press, 0, 0, rest},
          {Step::Move, 20, 20, rest},
          {Step::Move, 22, 22, rest},
          {Step::Release, 0, 0, "A=Main B=Main C=Main S=Main capture=- clicks=A"}}},
        {"no active window: nothing hovers",
         {{Step::Deactivate},
          {Step::Move, 20, 20, rest},
          {Step::Move, 22, 22, rest},
          {Step::Activate},
          {Step::Move, 23, 23, overA}}},
        {"no window under the pointer keeps the hover",
         {{Step::Move, 12, 20, overA}, {Step::Move, -5, 20, overA}, {Step::Move, 20, 100, rest}}},
        {"press, drag off, come back, release inside: one click",
         {{Step::Move, 20, 20, overA},
          {Step::Press, 0, 0, "A=Down B=Main C=Main S=Main capture=A clicks="},
          {Step::Move, 20, 100, "A=Main B=Main C=Main S=Main capture=A clicks="},
          {Step::Move, 20, 20, "A=Down B=Main C=Main S=Main capture=A clicks="},
          {Step::Release, 0, 0, "A=Main B=Main C=Main S=Main capture=- clicks=A"},
          {Step::Move, 21, 20, "A=Over B=Main C=Main S=Main capture=A clicks=A"}}},
        {"press, drag onto the neighbour, release there: no click, no hover for the neighbour",
         {{Step::Move, 20, 20, overA},
          {Step::Press},
          {Step::Move, 50, 20, "A=Main B=Main C=Main S=Main capture=A clicks="},
          {Step::Release, 0, 0, rest},
          {Step::Move, 51, 20, "A=Main B=Over C=Main S=Main capture=B clicks="}}},
        {"a button without a click handler ends a click hovered without capture",
         {{Step::Move, 20, 50, "A=Main B=Main C=Over S=Main capture=C clicks="},
          {Step::Press, 0, 0, "A=Main B=Main C=Down S=Main capture=C clicks="},
          {Step::Release, 0, 0, "A=Main B=Main C=Over S=Main capture=- clicks="},
          {Step::Move, 21, 50, "A=Main B=Main C=Over S=Main capture=C clicks="},
          {Step::Move, 21, 100, rest}}},
        {"losing the focus clears the hover at once; the capture goes when the pointer leaves",
         {{Step::Move, 20, 20},
          {Step::Press},
          {Step::Release, 0, 0, "A=Main B=Main C=Main S=Main capture=- clicks=A"},
          {Step::Move, 21, 20, "A=Over B=Main C=Main S=Main capture=A clicks=A"},
          {Step::Blur, 0, 0, "A=Main B=Main C=Main S=Main capture=A clicks=A"},
          {Step::Move, 22, 20, "A=Main B=Main C=Main S=Main capture=A clicks=A"},
          {Step::Move, 22, 100, "A=Main B=Main C=Main S=Main capture=- clicks=A"}}},
        {"a stolen capture keeps Over until the pointer comes over and leaves",
         {{Step::Move, 20, 20, overA},
          {Step::Steal, 0, 0, "A=Over B=Main C=Main S=Main capture=foreign clicks="},
          {Step::Move, 20, 100, "A=Over B=Main C=Main S=Main capture=foreign clicks="},
          {Step::GiveBack},
          {Step::Move, 21, 100, "A=Over B=Main C=Main S=Main capture=- clicks="},
          {Step::Move, 20, 20, overA},
          {Step::Move, 20, 100, rest}}},
        {"a static look tracks and clicks but always shows Main",
         {{Step::Move, 90, 20, "A=Main B=Main C=Main S=Main capture=S clicks="},
          {Step::Press, 0, 0, "A=Main B=Main C=Main S=Main capture=S clicks="},
          {Step::Release, 0, 0, "A=Main B=Main C=Main S=Main capture=- clicks=S"}}},
    };
    for (const Scenario& sc : scenarios) {
        Desk d;
        Furnish(d);
        int n = 0;
        for (const Step& s : sc.steps) {
            Perform(d, s);
            ++n;
            if (s.expected) {
                EXPECT_EQ(d.State(), s.expected) << sc.name << ", step " << n;
            }
        }
    }
}

TEST(HoverTracker, RepaintsOnlyWhenTheLookMayChange)
{
    Desk d;
        Furnish(d);
    d.Move(20, 20); // hover
    d.Move(21, 20);
    d.Move(22, 20);
    EXPECT_EQ(d.Repaints('A'), 1);
    d.Move(20, 100); // leave: the capture given up finds nothing hovered
    EXPECT_EQ(d.Repaints('A'), 2);
    d.Steal(); // nothing hovered: the lost capture needs no repaint
    EXPECT_EQ(d.Repaints('A'), 2);
}

} // namespace
