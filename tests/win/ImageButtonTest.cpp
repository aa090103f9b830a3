// Image buttons in this process: what a BUTTONINFO line makes, how each look
// is drawn, the tooltip, and what a reload gives back.
#include "controls/ImageButton.h"
#include "skin/ControlLines.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/win/support/ProbeDialog.h"
#include "platform/Win32Handles.h"

#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <cwchar>

#include <commctrl.h>

#include <cstring>

namespace {

constexpr int kWidth = 160, kHeight = 80;

std::string WriteSkin(const TempDir& dir, const std::string& buttons, const std::string& downName = "down.bmp")
{
    return LookPictures(kWidth, kHeight).WriteSkin(dir, buttons, downName);
}

// The tool's text as the tooltip holds it, in UTF-16, given back as UTF-8.
std::string ToolText(ImageButton& b)
{
    std::wstring text(4096, L'\0');
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = b.m_hWnd;
    info.uId = 1;
    info.lpszText = text.data();
    b.m_face.ToolTip().SendMessage(TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&info));
    text.resize(std::wcslen(text.c_str()));
    return platform::Narrow(text);
}

RECT ToolRect(ImageButton& b)
{
    TTTOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = b.m_hWnd;
    info.uId = 1;
    b.m_face.ToolTip().SendMessage(TTM_GETTOOLINFOA, 0, reinterpret_cast<LPARAM>(&info));
    return info.rect;
}

// How fields read is the table's (ControlLinesTest); here, the wiring and the platform's part.
TEST(ImageButton, EachLineMakesAnOwnerDrawnButtonWithNameIndexTooltipAndFlag)
{
    TempDir dir;
    const std::string skin = WriteSkin(dir, "1=ID_A,10,10,30,20,Tip A,\n"
                                            "2=\n"
                                            "3= ID_B ,40,10,30,20,Tip \xC5\x9F\xCE\xA9\xD0\x96\xE4\xB8\xAD,F\n"
                                            "4=ID_STATIC,80,10,30,20,,T\n"
                                            "5=ID_EARLY,100,40,10,10,Then\n"
                                            "6=ID_ZERO,5,5,0,0,,\n"
                                            "7=ID_NEGATIVE,5,5,-10,-3,,\n"
                                            "8=ID_A,120,40,10,10,Again,\n");
    const auto lines = ReadControlLines(IniFile(skin), ControlKindOf(ControlKindId::ImageButton));
    std::vector<std::string> clicks;
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        ASSERT_EQ(d.m_buttons.GetSize(), 7);
        ASSERT_TRUE(d.SharedToolTip());
        EXPECT_EQ(d.SharedToolTip()->GetToolCount(), 7);
        for (int i = 0; i < d.m_buttons.GetSize(); ++i) {
            const ControlLine& e = lines[static_cast<std::size_t>(i)];
            ImageButton& b = *d.m_buttons.GetAt(i);
            SCOPED_TRACE(e.Name());
            EXPECT_EQ(b.m_name, e.Name());
            EXPECT_EQ(b.m_index, i);
            EXPECT_EQ(b.m_face.m_staticLook, e.Flag(FieldRole::StaticLook));
            EXPECT_EQ(b.ControlWindow(), b.m_hWnd);
            EXPECT_EQ(::GetParent(b.m_hWnd), d.m_hWnd);
            EXPECT_EQ(::GetDlgCtrlID(b.m_hWnd), 0);
            const auto style = static_cast<DWORD>(::GetWindowLongA(b.m_hWnd, GWL_STYLE));
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
            EXPECT_EQ(style & (WS_TABSTOP | WS_BORDER), 0u);
            EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
            if (e.rect.Width() > 0) {
                RECT r{};
                ::GetWindowRect(b.m_hWnd, &r);
                ::MapWindowPoints(nullptr, d.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
                EXPECT_TRUE((SkinRect{r.left, r.top, r.right, r.bottom}) == e.rect);
                const RECT& area = b.m_face.m_area;
                EXPECT_TRUE((SkinRect{area.left, area.top, area.right, area.bottom}) == e.rect);
            }
            // One tool each in the dialog's one tooltip, registered with the tooltip text, even an empty one.
            ASSERT_EQ(&b.m_face.ToolTip(), d.SharedToolTip());
            EXPECT_EQ(ToolText(b), e.Text(FieldRole::Tooltip));
        }
        // Clicks report by index; the dialog finds the name at that position.
        for (int i : {0, 1, 6})
            d.ButtonClicked(i);
        clicks = d.Clicks();
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(clicks, (std::vector<std::string>{"0 ID_A", "1 ID_B ", "6 ID_A"}));
}

TEST(ImageButton, ASecondTooltipTextReplacesTheTextOfTheOneTool)
{
    TempDir dir;
    const std::string skin = WriteSkin(dir, "1=ID_A,10,10,30,20,First,\n");
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        ImageButton& b = *d.m_buttons.GetAt(0);
        ::SetWindowPos(b.m_hWnd, nullptr, 0, 0, 50, 40, SWP_NOMOVE | SWP_NOZORDER);
        b.SetToolTipText("\xC4\xB0kinci \xF0\x9F\x98\x80", false);
        EXPECT_EQ(b.m_face.ToolTip().GetToolCount(), 1);
        EXPECT_EQ(ToolText(b), "\xC4\xB0kinci \xF0\x9F\x98\x80");
        RECT tool = ToolRect(b); // still the client rectangle of the first registration
        EXPECT_EQ(tool.right, 30);
        EXPECT_EQ(tool.bottom, 20);
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

// The button's drawing into a 32-bit picture of its size, as 0x00RRGGBB.
std::vector<std::uint32_t> DrawnPixels(ImageButton& b, UINT itemState, std::uint32_t background)
{
    RECT client = b.GetClientRect();
    const int w = client.right, h = client.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    platform::UniqueBitmap dib(::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    platform::MemoryDc dc(::CreateCompatibleDC(nullptr));
    platform::Selection selected(dc.Get(), dib.Get());
    auto* p = static_cast<std::uint32_t*>(bits);
    std::fill(p, p + w * h, background);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = b.m_hWnd;
    item.hDC = dc.Get();
    item.rcItem = client;
    b.DrawItem(&item);
    ::GdiFlush();
    std::vector<std::uint32_t> pixels(p, p + w * h);
    for (auto& px : pixels)
        px &= 0xFFFFFF;
    return pixels;
}

TEST(ImageButton, DrawsTheCropOfTheLookThatItsStateChooses)
{
    TempDir dir;
    const std::string lines = "1=ID_A,10,10,30,20,,\n2=ID_STATIC,50,30,20,15,,T\n";
    const std::string skin = WriteSkin(dir, lines);
    const LookPictures pics(kWidth, kHeight);
    auto crop = LookPictures::Part;
    const RECT a{10, 10, 40, 30}, s{50, 30, 70, 45};
    struct Row {
        int button;
        UINT state;
        int hover;
        const TestPicture* picture;
        RECT rect;
    } rows[] = {
        {0, 0, 0, &pics.main, a},
        {0, 0, 1, &pics.over, a},
        {0, ODS_SELECTED, 0, &pics.down, a},
        {0, ODS_SELECTED, 1, &pics.down, a},
        {0, ODS_DISABLED, 0, &pics.disabled, a},
        {0, ODS_DISABLED, 1, &pics.over, a},
        {0, ODS_FOCUS, 0, &pics.main, a}, // no focus mark
        {1, ODS_SELECTED | ODS_DISABLED, 1, &pics.main, s},
        {1, ODS_DISABLED, 0, &pics.main, s},
    };
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        int n = 0;
        for (const Row& r : rows) {
            ImageButton& b = *d.m_buttons.GetAt(r.button);
            b.m_face.m_hover = r.hover;
            EXPECT_TRUE(DrawnPixels(b, r.state, 0) == crop(*r.picture, r.rect)) << "row " << n++;
        }
        // A Down picture that cannot be loaded leaves that look's area as it was.
        WriteSkin(dir, lines, "missing.bmp");
        d.LoadSkin();
        ImageButton& again = *d.m_buttons.GetAt(0);
        EXPECT_FALSE(d.m_pictures.Get(SkinLook::Down));
        EXPECT_TRUE(DrawnPixels(again, ODS_SELECTED, 0x123456) ==
                    std::vector<std::uint32_t>(30 * 20, 0x123456));
        EXPECT_TRUE(DrawnPixels(again, 0, 0) == crop(pics.main, a));
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

TEST(ImageButton, ReloadingFiftyButtonsAHundredTimesGivesBackEveryHandleAndWindow)
{
    TempDir dir;
    std::string lines;
    for (int i = 0; i < 50; ++i)
        lines += std::to_string(i + 1) + "=ID_" + std::to_string(i) + "," + std::to_string(i % 10 * 8) + "," +
                 std::to_string(i / 10 * 8) + ",8,8,Tip " + std::to_string(i) + ",\n";
    const std::string skin = LookPictures(80, 40).WriteSkin(dir, lines);
    const long gdiOutside = OwnedGdiObjects();
    const auto [ran, before, first, all, freed] = CountReloads(skin, 100);
    ASSERT_TRUE(ran);
    std::printf("before, after one load, after 100: owned GDI objects %ld, %ld, %ld; live GDI objects %d, %d, %d;"
                " windows %d, %d, %d\n",
                before.owned, first.owned, all.owned, before.live, first.live, all.live, before.windows,
                first.windows, all.windows);
    EXPECT_EQ(first.windows, before.windows + 51); // 50 buttons and the tooltip they share
    EXPECT_EQ(all.windows, first.windows);
    EXPECT_EQ(freed.windows, before.windows);
    EXPECT_EQ(first.owned, before.owned + 4); // the dialog's four pictures; the buttons draw from them
    EXPECT_EQ(all.owned, first.owned);
    EXPECT_EQ(all.live, first.live);
    EXPECT_EQ(freed.live, before.live);
    EXPECT_EQ(OwnedGdiObjects(), gdiOutside);
}

} // namespace
