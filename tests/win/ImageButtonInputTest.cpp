// Image buttons under real input: the pointer and the left button driven
// through SendInput from a second thread while the dialog's own modal loop
// runs; looks read back from the screen.
#include "tests/win/support/Desktop.h"
#include "controls/ImageButton.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/win/support/ProbeDialog.h"
#include "tests/win/support/ProgramPaths.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 200, kHeight = 100;

const char kLines[] = "1=ID_ONE,10,10,40,30,First tip,\n"
                      "2=\n"
                      "3=ID_TWO,50,10,40,30,Second tip,\n"
                      "4=ID_STATIC,110,10,40,30,,T\n"
                      "5=ID_OFF,10,60,40,30,Off tip,\n";

struct Button {
    std::string name;
    RECT rect; // the dialog's client coordinates
};
const Button kOne{"ID_ONE", {10, 10, 50, 40}}, kTwo{"ID_TWO", {50, 10, 90, 40}},
    kStatic{"ID_STATIC", {110, 10, 150, 40}}, kOff{"ID_OFF", {10, 60, 50, 90}};

// Reads the screen against one picture's part at a button, from the driver thread.
class Screen {
public:
    // `background`: a point of the dialog that no control covers.
    Screen(const LookPictures& skin, HWND dialog, POINT background = {170, 80})
        : m_skin(skin), m_dialog(dialog), m_background(background)
    {
    }

    POINT At(const Button& b, int dx = 0, int dy = 0) const
    {
        POINT p{(b.rect.left + b.rect.right) / 2 + dx, (b.rect.top + b.rect.bottom) / 2 + dy};
        ::ClientToScreen(m_dialog, &p);
        return p;
    }
    POINT Background() const
    {
        POINT p = m_background;
        ::ClientToScreen(m_dialog, &p);
        return p;
    }
    // Whether the button shows its look of that name (waiting for it).
    ::testing::AssertionResult Shows(const Button& b, const std::string& look) const
    {
        RECT r = b.rect;
        ::MapWindowPoints(m_dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
        const std::pair<const char*, const TestPicture*> looks[] = {
            {"Main", &m_skin.main}, {"Over", &m_skin.over}, {"Down", &m_skin.down}, {"Disabled", &m_skin.disabled}};
        const TestPicture* expected = nullptr;
        for (auto [name, picture] : looks)
            if (look == name)
                expected = picture;
        int differing = WaitForScreen(r, LookPictures::Part(*expected, b.rect), 2000);
        if (differing == 0)
            return ::testing::AssertionSuccess();
        // Which look it shows instead, if any.
        const std::vector<std::uint32_t> now = CaptureScreen(r);
        std::string shown = "no";
        for (auto [name, picture] : looks)
            if (now == LookPictures::Part(*picture, b.rect))
                shown = name;
        SaveScreen(r, b.name + "-not-" + look + ".bmp");
        return ::testing::AssertionFailure() << b.name << " should show its " << look << " look but shows " << shown
                                             << " look (" << differing << " pixels differ)";
    }

private:
    const LookPictures& m_skin;
    HWND m_dialog;
    POINT m_background;
};

void MoveTo(POINT p)
{
    MoveMouse(p.x, p.y);
}

// The steps of one pointer session over kLines, in order: each starts where the
// one before left the pointer.
void AtRestEveryButtonBlendsIn(ProbeDialog&, const Screen& screen)
{
    // A disabled one shows its Disabled look.
    EXPECT_TRUE(screen.Shows(kOne, "Main"));
    EXPECT_TRUE(screen.Shows(kStatic, "Main"));
    EXPECT_TRUE(screen.Shows(kOff, "Disabled"));
}

void HoverReportsTheMoveFirstAndShowsTheTooltip(ProbeDialog& d, const Screen& screen)
{
    d.ClearRecords();
    MoveTo(screen.At(kOne));
    EXPECT_TRUE(screen.Shows(kOne, "Over"));
    const std::vector<ProbeDialog::Move> moves = d.Moves();
    ASSERT_FALSE(moves.empty());
    EXPECT_EQ(moves.front().name, "ID_ONE");
    EXPECT_EQ(moves.front().hoverAtReport, 0) << "the move is reported before the hover state changes";
    MoveTo(screen.At(kOne, 1, 1));
    EXPECT_EQ(WaitForToolTip(::GetCurrentProcessId(), 3000), "First tip");
}

void ReleasedOutsideIsNoClick(ProbeDialog& d, const Screen& screen)
{
    MouseButton(true);
    EXPECT_TRUE(screen.Shows(kOne, "Down"));
    DragTo(screen.At(kOne).x, screen.At(kOne).y, screen.Background().x, screen.Background().y, 5);
    EXPECT_TRUE(screen.Shows(kOne, "Main"));
    MouseButton(false);
    Pump(100);
    EXPECT_TRUE(d.Clicks().empty());
}

void OffAndBackWithTheButtonHeldIsOneClick(ProbeDialog& d, const Screen& screen)
{
    // Pressed away from the first press, which would otherwise make it a double click.
    MoveTo(screen.At(kOne, 8, 5));
    EXPECT_TRUE(screen.Shows(kOne, "Over"));
    MouseButton(true);
    MoveTo(screen.Background());
    EXPECT_TRUE(screen.Shows(kOne, "Main"));
    MoveTo(screen.At(kOne, 8, 5));
    EXPECT_TRUE(screen.Shows(kOne, "Down"));
    MouseButton(false);
    EXPECT_EQ(d.Clicks(), std::vector<std::string>{"0 ID_ONE"});
    // The click cleared the hover; the pointer, still there, brings it back.
    MoveTo(screen.At(kOne, 2, 0));
    EXPECT_TRUE(screen.Shows(kOne, "Over"));
}

void NeighbourTakesOverStaticStaysAndDisabledIgnores(ProbeDialog& d, const Screen& screen)
{
    // Straight onto the adjacent button: the first lets go, the second takes over.
    MoveTo(screen.At(kTwo, -15, 0));
    EXPECT_TRUE(screen.Shows(kOne, "Main"));
    MoveTo(screen.At(kTwo));
    EXPECT_TRUE(screen.Shows(kTwo, "Over"));
    MouseButton(true);
    MouseButton(false); // after the empty key: index 1
    // A static look stays Main hovered and pressed, and still clicks.
    MoveTo(screen.At(kStatic));
    MoveTo(screen.At(kStatic, 1, 0));
    MouseButton(true);
    EXPECT_TRUE(screen.Shows(kStatic, "Main"));
    MouseButton(false);
    // A disabled button takes no input.
    MoveTo(screen.At(kOff));
    MouseButton(true);
    MouseButton(false);
    EXPECT_TRUE(screen.Shows(kOff, "Disabled"));
    Pump(100);
    EXPECT_EQ(d.Clicks(), (std::vector<std::string>{"0 ID_ONE", "1 ID_TWO", "2 ID_STATIC"}));
}

TEST(ImageButtonInput, LooksFollowThePointerClicksReportOnceTooltipsShow)
{
    TempDir dir;
    const LookPictures skin(kWidth, kHeight);
    const std::string path = skin.WriteSkin(dir, kLines);
    ProbeDialog dialog(
        [&](ProbeDialog& d) {
            d.SetSkinPath(path);
            d.LoadSkin();
            ::EnableWindow(d.m_buttons.GetAt(3)->m_hWnd, FALSE); // ID_OFF
        },
        [&](ProbeDialog& d) {
            const Screen screen(skin, d.m_hWnd);
            MoveTo(screen.Background());
            ::SetForegroundWindow(d.m_hWnd);
            Pump(200);
            for (auto step : {AtRestEveryButtonBlendsIn, HoverReportsTheMoveFirstAndShowsTheTooltip,
                              ReleasedOutsideIsNoClick, OffAndBackWithTheButtonHeldIsOneClick,
                              NeighbourTakesOverStaticStaysAndDisabledIgnores})
                step(d, screen);
        });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

TestPicture PictureOf(const CBitmap& bitmap)
{
    TestMask pixels = ReadPixels(bitmap.GetSafeHandle());
    return TestPicture{pixels.width, pixels.height, std::move(pixels.pixels)};
}

TEST(ImageButtonInput, TheDemoDiscsButtonsHoverPressAndShowTheirTooltips)
{
    const std::string skinPath = BuildPath(AK_DEMO_DISC "/Data/main.ini");
    // What the demo's lines say, read apart from the buttons.
    struct Line {
        Button button;
        std::string tip;
    };
    std::vector<Line> lines;
    for (const NumberedLine& line : ReadNumberedLines(IniFile(skinPath), "BUTTONINFO")) {
        std::string fields = line.value;
        std::string name = NextToken(fields);
        SkinRect r = ParseRect(fields);
        lines.push_back({{name, {r.left, r.top, r.right, r.bottom}}, NextToken(fields)});
    }
    ASSERT_EQ(lines.size(), 12u) << "eight program buttons, browse, home page, minimise and close";

    LookPictures looks;
    std::vector<std::string> tips, clicks;
    ProbeDialog dialog(
        [&](ProbeDialog& d) {
            d.SetSkinPath(skinPath);
            d.LoadSkin();
            looks.main = PictureOf(d.m_pictures.Get(SkinLook::Main));
            looks.over = PictureOf(d.m_pictures.Get(SkinLook::Over));
            looks.down = PictureOf(d.m_pictures.Get(SkinLook::Down));
            looks.disabled = PictureOf(d.m_pictures.Get(SkinLook::Disabled));
        },
        [&](ProbeDialog& d) {
            const Screen screen(looks, d.m_hWnd, POINT{396, 100});
            MoveTo(screen.Background());
            ::SetForegroundWindow(d.m_hWnd);
            Pump(200);
            for (const Line& line : lines) {
                EXPECT_TRUE(screen.Shows(line.button, "Main"));
                MoveTo(screen.At(line.button));
                EXPECT_TRUE(screen.Shows(line.button, "Over"));
                MoveTo(screen.At(line.button, 1, 0));
                tips.push_back(WaitForToolTip(::GetCurrentProcessId(), 3000, line.tip));
                MoveTo(screen.Background());
            }
            // Pressed and dragged off, so that nothing is opened.
            const Button& first = lines.front().button;
            MoveTo(screen.At(first));
            MouseButton(true);
            EXPECT_TRUE(screen.Shows(first, "Down"));
            MoveTo(screen.Background());
            EXPECT_TRUE(screen.Shows(first, "Main"));
            MouseButton(false);
            Pump(100);
            clicks = d.Clicks();
        });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(tips.size(), lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(tips[i], lines[i].tip) << lines[i].button.name;
    EXPECT_TRUE(clicks.empty());
}

} // namespace
