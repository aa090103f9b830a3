// Text labels in this process: what a TEXTINFO line makes, which label a text
// goes to, when the ticker runs, and what the screen shows under real input.
#include "skin/ControlLines.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/ProbeDialog.h"
#include "tests/support/TestSteps.h"
#include "controls/TextLabel.h"

#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <cwchar>

namespace {

constexpr int kWidth = 240, kHeight = 120;

std::string WriteSkin(const TempDir& dir, const std::string& labelLines)
{
    return LookPictures(kWidth, kHeight).WriteSkin(dir, "[TEXTINFO]\n" + labelLines);
}

LOGFONTW FontOf(const TextLabel& label)
{
    LOGFONTW font{};
    EXPECT_TRUE(label.m_font.GetLogFont(&font));
    return font;
}

RECT RectInDialog(const TextLabel& label, HWND dialog)
{
    RECT r{};
    ::GetWindowRect(label.m_hWnd, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The estimate from an independent measurement of "W" in the label's font.
int ExpectedEstimate(const TextLabel& label, int width)
{
    LOGFONTW description = FontOf(label);
    HFONT font = ::CreateFontIndirectW(&description);
    HDC dc = ::GetDC(label.m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE w{};
    ::GetTextExtentPoint32A(dc, "W", 1, &w);
    ::SelectObject(dc, old);
    ::ReleaseDC(label.m_hWnd, dc);
    ::DeleteObject(font);
    return 2 * width / w.cx;
}

// How fields read is the table's (ControlLinesTest); here, the wiring and the platform's part.
TEST(TextLabel, EachLineMakesALabelWithItsFontColourRectangleAndText)
{
    TempDir dir;
    const std::string skin = WriteSkin(dir, "1=ID_INFO,Arial,T,F,14,255,10,10,100,20,Hello,unused\n"
                                            "2=\n"
                                            "3=ID_Y," + std::string(40, 'F') + ",True,Yes,0,junk,120,10,60,20,,\n"
                                            "4=ID_INFO,Arial,F,T,16,16711680,120,40,60,20,Second,\n");
    const auto lines = ReadControlLines(IniFile(skin), ControlKindOf(ControlKindId::TextLabel));
    const long gdiBefore = OwnedGdiObjects();
    {
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        ASSERT_EQ(d.m_labels.GetSize(), 3);
        for (int i = 0; i < d.m_labels.GetSize(); ++i) {
            const ControlLine& e = lines[static_cast<std::size_t>(i)];
            const TextLabel& label = *d.m_labels.GetAt(i);
            SCOPED_TRACE(e.Name());
            EXPECT_EQ(label.m_name, e.Name());
            EXPECT_EQ(label.m_index, i);
            EXPECT_EQ(label.m_text, e.Text(FieldRole::Text));
            EXPECT_EQ(label.GetWindowText(), e.Text(FieldRole::Text));
            EXPECT_EQ(label.m_textColor, static_cast<COLORREF>(e.Number(FieldRole::Colour)));
            const RECT r = RectInDialog(label, d.m_hWnd);
            EXPECT_TRUE((SkinRect{r.left, r.top, r.right, r.bottom}) == e.rect);
            const RECT& back = label.m_face.m_area; // of the dialog's Main picture
            EXPECT_TRUE((SkinRect{back.left, back.top, back.right, back.bottom}) == e.rect);
            EXPECT_EQ(label.m_face.m_pictures, &d.m_pictures);
            const auto style = static_cast<DWORD>(::GetWindowLongA(label.m_hWnd, GWL_STYLE));
            EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_OWNERDRAW));
            EXPECT_EQ(style & WS_TABSTOP, 0u);
            const LOGFONTW font = FontOf(label);
            EXPECT_EQ(font.lfWeight, e.Flag(FieldRole::Bold) ? 700 : 400);
            EXPECT_EQ(font.lfItalic != 0, e.Flag(FieldRole::Italic));
            EXPECT_EQ(font.lfHeight, e.Number(FieldRole::FontHeight));
            EXPECT_EQ(platform::Narrow(font.lfFaceName, std::wcslen(font.lfFaceName)),
                      e.Text(FieldRole::Face).substr(0, 31)); // the platform's limit
            EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
            EXPECT_EQ(label.m_scroll.ScrollPos(), 0);
            // The state after creation is the one computed with the skin's font.
            EXPECT_EQ(label.m_scroll.VisibleChars(), ExpectedEstimate(label, e.rect.Width()));
        }

        Step("the first label of a name gets the text; another name, or another case, changes nothing", [&] {
            d.SetLabelText("ID_INFO", "New");
            d.SetLabelText("id_info", "lower");
            d.SetLabelText("ID_NONE", "none");
            EXPECT_EQ(d.m_labels.GetAt(0)->GetWindowText(), "New");
            EXPECT_EQ(d.m_labels.GetAt(2)->m_text, "Second");
            EXPECT_EQ(d.m_labels.GetAt(1)->m_text, "");
        });

        Step("a reload leaves only the labels of the second reading", [&] {
            d.LoadSkin();
            EXPECT_EQ(d.m_labels.GetSize(), 3);
            EXPECT_EQ(d.m_labels.GetAt(0)->m_text, "Hello");
        });
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(OwnedGdiObjects(), gdiBefore) << "fonts or bitmaps left behind";
}

TEST(TextLabel, TheTickerRunsExactlyWhileTheTextIsLongerThanTheEstimate)
{
    TempDir dir;
    const std::string skin = WriteSkin(dir, "1=ID_INFO,Arial,F,F,14,0,10,10,100,20,Hi,\n"
                                            "2=ID_ZERO,,,,,,5,5,0,0,A,\n");
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        ASSERT_EQ(d.m_labels.GetSize(), 2);
        TextLabel& label = *d.m_labels.GetAt(0);
        const int fits = label.m_scroll.VisibleChars();
        ASSERT_GT(fits, 2);
        EXPECT_FALSE(label.m_scroll.Scrolling());

        label.SetText(std::string(static_cast<std::size_t>(fits), 'x'));
        EXPECT_FALSE(label.m_scroll.Scrolling()) << "a text of exactly the estimate fits";
        label.SetText(std::string(static_cast<std::size_t>(fits) + 1, 'x'));
        EXPECT_TRUE(label.m_scroll.Scrolling());
        for (WPARAM id : {1, 7, 0}) // a step whatever the timer's id
            label.SendMessage(WM_TIMER, id);
        EXPECT_EQ(label.m_scroll.ScrollPos(), 3);

        // A new text stops the ticker and starts it again only if it must.
        label.SetText(std::string(static_cast<std::size_t>(fits) + 5, 'y'));
        EXPECT_TRUE(label.m_scroll.Scrolling());
        EXPECT_EQ(label.m_scroll.ScrollPos(), 0);
        label.SetText("Short");
        EXPECT_FALSE(label.m_scroll.Scrolling());
        EXPECT_EQ(label.m_scroll.ScrollPos(), 0);
        label.SetText("");
        EXPECT_FALSE(label.m_scroll.Scrolling());

        // A bigger font fits fewer characters.
        LOGFONTW big{};
        big.lfHeight = 40;
        CFont font;
        ASSERT_TRUE(font.CreateFontIndirect(big));
        label.SetLabelFont(font);
        font.DeleteObject(); // the label keeps a copy of its own
        EXPECT_TRUE(label.m_font);
        EXPECT_LT(label.m_scroll.VisibleChars(), fits);

        // No width: any text scrolls, no text does not.
        TextLabel& zero = *d.m_labels.GetAt(1);
        EXPECT_EQ(zero.m_scroll.VisibleChars(), 0);
        EXPECT_TRUE(zero.m_scroll.Scrolling());
        zero.SetText("");
        EXPECT_FALSE(zero.m_scroll.Scrolling());
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

RECT ToScreen(HWND dialog, RECT r)
{
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

HWND CaptureOf(HWND wnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info);
    return info.hwndCapture;
}

TEST(TextLabel, PaintsItsTextAtTheTopOverItsBackgroundScrollsAndReportsInput)
{
    TempDir dir;
    const LookPictures pictures(kWidth, kHeight);
    const std::string skin =
        pictures.WriteSkin(dir, "[TEXTINFO]\n"
                                "1=ID_EMPTY,Arial,F,F,14,255,10,10,100,40,,\n"
                                "2=ID_RED,Arial,T,F,14,255,10,60,100,50,Hello,\n"
                                "3=ID_LONG,Arial,F,F,14,0,120,10,100,20,"
                                "A ticker moves one character at a time across the label,\n");
    const RECT empty{10, 10, 110, 50}, red{10, 60, 110, 110}, ticker{120, 10, 220, 30};
    ProbeDialog dialog(
        [&](ProbeDialog& d) {
            d.SetSkinPath(skin);
            d.LoadSkin();
        },
        [&](ProbeDialog& d) {
            HWND wnd = d.m_hWnd;
            ::SetForegroundWindow(wnd);
            Step("an empty label shows exactly its background", [&] {
                EXPECT_EQ(WaitForScreen(ToScreen(wnd, empty), LookPictures::Part(pictures.main, empty), 3000), 0);
            });

            Step("the text stands at the top: the lower rows show the background", [&] {
                const RECT top{red.left, red.top, red.right, red.top + 20};
                const RECT bottom{red.left, red.top + 25, red.right, red.bottom};
                EXPECT_EQ(WaitForScreen(ToScreen(wnd, bottom), LookPictures::Part(pictures.main, bottom), 3000), 0);
                const std::vector<std::uint32_t> topBack = LookPictures::Part(pictures.main, top);
                int changed = 0, redPixels = 0;
                for (int waited = 0; waited < 3000 && !redPixels; waited += 100) {
                    Pump(100);
                    const std::vector<std::uint32_t> topNow = CaptureScreen(ToScreen(wnd, top));
                    changed = redPixels = 0;
                    for (std::size_t i = 0; i < topNow.size(); ++i) {
                        changed += topNow[i] != topBack[i];
                        redPixels += topNow[i] == 0xFF0000;
                    }
                }
                if (!redPixels)
                    SaveScreen(ToScreen(wnd, red), "label-text.bmp");
                EXPECT_GT(changed, 20) << "the text is drawn in the top rows";
                EXPECT_GT(redPixels, 0) << "in the text colour";
            });

            Step("the ticker moves between two screenshots at least one step apart", [&] {
                const std::vector<std::uint32_t> first = CaptureScreen(ToScreen(wnd, ticker));
                bool moved = false;
                for (int waited = 0; waited < 2000 && !moved; waited += 200) {
                    Pump(200);
                    moved = CaptureScreen(ToScreen(wnd, ticker)) != first;
                }
                EXPECT_TRUE(moved) << "a text longer than the label scrolls";
            });

            Step("moves over a label are reported by name without taking the capture; a release by index", [&] {
                EXPECT_TRUE(MovedOver(MovesAt(d, 60, 85), "ID_RED"));
                EXPECT_EQ(CaptureOf(wnd), nullptr);
                MouseButton(true);
                MouseButton(false);
                Pump(300);
                EXPECT_EQ(d.Clicks(), (std::vector<std::string>{"label 1 ID_RED"}));
            });
        });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

} // namespace
