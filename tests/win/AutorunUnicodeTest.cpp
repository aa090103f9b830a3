// Discs whose names and texts no ANSI code page holds, and an old ANSI one.
#include "tests/win/support/AutorunDisc.h"
#include "platform/TextCodec.h"

#include <iostream>

namespace {

// Texts in Turkish, Greek, Cyrillic and Chinese: nothing the ANSI code page
// here (1252) can hold. Wine has no one font with all of them, so each label
// has the texts its font can show.
const char kFolder[] = "Disk \xC5\x9F \xCE\xA9 \xD0\x96 \xE4\xB8\xAD";
const char kTool[] = "Kurulum \xC4\xB0 \xCE\xA9 \xD0\x96 \xE4\xB8\xAD.exe";
const char kTip[] = "Kur \xC5\x9F \xCE\xA9 \xD0\x96 \xE4\xB8\xAD";
const char kWelcome[] = "Ho\xC5\x9F geldiniz \xCE\xA9\xCE\xBB \xD0\x96\xD1\x83";
const char kInfo[] = "Kurulum ba\xC5\x9Flad\xC4\xB1 \xCE\xA3 \xD0\x94";
const char kChinese[] = "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAE\x89\xE8\xA3\x85";
constexpr RECT kInfoRect{20, 110, 280, 134}, kChineseRect{20, 150, 280, 174};

std::string Encoded(const std::string& utf8, platform::TextEncoding encoding)
{
    if (encoding == platform::TextEncoding::Utf8Bom)
        return "\xEF\xBB\xBF" + utf8;
    if (encoding != platform::TextEncoding::Utf16Le)
        return utf8;
    std::string out = "\xFF\xFE";
    for (char16_t unit : platform::Utf8ToUtf16(utf8)) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}


// Every character beyond ASCII replaced by `stand`: how a lost text would look.
std::string Replaced(const std::string& text, const std::string& stand)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const platform::Utf8Step step = platform::DecodeUtf8(text, i);
        out += step.codePoint < 0x80 ? std::string(1, text[i]) : stand;
        i += step.length;
    }
    return out;
}

// The label at `rect` shows `text` in `face`: the very pixels of our own
// DrawTextW, which differ from question marks and from missing-glyph boxes.
void ExpectLabelShows(MenuDisc& disc, RECT rect, const LabelLook& look, const std::string& text)
{
    const TestPicture back =
        CropPicture(disc.Main(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    const std::vector<std::uint32_t> expected = DrawnLabel(back, look, text);
    EXPECT_NE(expected, DrawnLabel(back, look, Replaced(text, "?"))) << look.face << " draws question marks";
    EXPECT_NE(expected, DrawnLabel(back, look, Replaced(text, "\xCD\xB8"))) << look.face << " lacks the glyphs"; // U+0378
    ::SetForegroundWindow(disc.Window());
    EXPECT_EQ(WaitForScreen(disc.ScreenRect(rect), expected, 3000), 0) << text;
}

bool HasFont(const char* face)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    platform::Wide(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    const platform::WindowDc dc(nullptr);
    bool found = false;
    ::EnumFontFamiliesExW(
        dc.Dc(), &lf, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) -> int {
            *reinterpret_cast<bool*>(flag) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

class AutorunUnicode : public ::testing::TestWithParam<platform::TextEncoding> {};

TEST_P(AutorunUnicode, NamesAndTextsInEveryScript)
{
    const platform::TextEncoding encoding = GetParam();
    MenuDisc disc(kFolder);
    disc.Write("Data/ana \xC5\x9F.bmp", EncodeBmp24(disc.Main()));
    disc.Write("Data/maske \xD0\x96.bmp", EncodeBmp24(MaskPicture(MenuDisc::kW, MenuDisc::kH)));
    disc.Write("Data/main.ini",
               Encoded(std::string("[Screen]\r\nMain=ana \xC5\x9F.bmp\r\nMask=maske \xD0\x96.bmp\r\n[BUTTONINFO]\r\n"
                                   "1=ID_BUTTON1,20,20,40,30,") + kTip + ",\r\n[TEXTINFO]\r\n" +
                           "1=ID_INFO,DejaVu Sans,0,0,16,0,20,110,260,24," + kWelcome + ",\r\n" +
                           "2=ID_CN,WenQuanYi Zen Hei,0,0,16,0,20,150,260,24," + kChinese + ",\r\n",
                       encoding));
    disc.Write("AUTORUN.INF", Encoded(std::string("[RUN_FILES]\r\nID_BUTTON1=") + kTool + "\r\n[TEXT_INFO]\r\n" +
                                          "ID_BUTTON1=" + kInfo + "\r\n",
                                      encoding));
    disc.PutTool(kTool);
    ASSERT_TRUE(disc.Start()) << "a window shaped by the mask named in " << platform::EncodingName(encoding);

    EXPECT_EQ(RegionMismatches(disc.Window(), MaskPicture(MenuDisc::kW, MenuDisc::kH)), 0);

    EXPECT_EQ(disc.LabelText(30, 115), kWelcome);
    EXPECT_EQ(disc.LabelText(30, 155), kChinese);
    ExpectLabelShows(disc, kInfoRect, {"DejaVu Sans"}, kWelcome);
    // scripts/deps.sh installs the font for Wine 8; a Wine 10 chroot made before it was
    // added to scripts/wine10.sh lacks it, and would show boxes.
    if (HasFont("WenQuanYi Zen Hei"))
        ExpectLabelShows(disc, kChineseRect, {"WenQuanYi Zen Hei"}, kChinese);
    else
        std::cout << "no WenQuanYi Zen Hei in this Wine: the Chinese glyphs are not compared\n";

    PointAt(disc.Window(), 40, 35, true);
    EXPECT_EQ(WaitForToolTip(disc.Pid(), 3000, kTip), kTip);

    disc.Click(40, 35);
    EXPECT_TRUE(disc.ToolRan(10000, kTool)) << "the program named in AUTORUN.INF";
    EXPECT_FALSE(WaitForMessageBox(disc.Pid(), 300).wnd);
    EXPECT_EQ(disc.LabelText(30, 115), kInfo);
    ExpectLabelShows(disc, kInfoRect, {"DejaVu Sans"}, kInfo);
}

INSTANTIATE_TEST_SUITE_P(Encodings, AutorunUnicode,
                         ::testing::Values(platform::TextEncoding::Utf8, platform::TextEncoding::Utf8Bom,
                                           platform::TextEncoding::Utf16Le),
                         [](const auto& p) {
                             return std::string(p.param == platform::TextEncoding::Utf8      ? "Utf8"
                                                : p.param == platform::TextEncoding::Utf8Bom ? "Utf8Bom"
                                                                                             : "Utf16Le");
                         });

// An old disc in the ANSI code page reads as it always did.
TEST(AutorunUnicode, AnAnsiDiscStillShowsItsLetters)
{
    MenuDisc disc;
    disc.WriteInf("ID_BUTTON1=tool.exe\r\n", "ID_BUTTON1=Caf\xE9\r\n");
    ASSERT_TRUE(disc.Start());
    disc.Click(40, 35);
    EXPECT_TRUE(disc.ToolRan(10000));
    EXPECT_EQ(disc.LabelText(30, 115), "Caf\xC3\xA9");
}

// The Turkish demo disc as it ships, in a folder whose name the ANSI code page
// cannot hold: its title in Tahoma, and the auto-setup button starting, through
// verpick, the installer whose name holds a blank and an "\xC5\x9F".
TEST(AutorunUnicode, TheTurkishDemoDisc)
{
    const char title[] = "\xC4\xB0stedi\xC4\x9Finiz i\xC5\x9Flemi se\xC3\xA7in";
    const char info[] = "Windows s\xC3\xBCr\xC3\xBCm\xC3\xBCn\xC3\xBCze uygun kurulum ba\xC5\x9Flat\xC4\xB1l\xC4\xB1yor...";
    const char installer[] = "Kurulum\\Vista\\Kurulum \xC5\x9F.exe";
    MenuDisc disc("Halcyon \xC3\xA7", "disc-tr");
    disc.PutTool("verpick.exe", VerpickExePath());
    disc.PutTool(installer);
    ASSERT_TRUE(disc.Start());
    EXPECT_EQ(disc.LabelText(30, 90), title);
    ExpectLabelShows(disc, {24, 84, 384, 104}, {"Tahoma", -14, true, 16381425}, title);

    disc.Click(296, 304); // ID_BUTTON8
    EXPECT_TRUE(disc.ToolRan(15000, installer)) << "started by verpick from config.ini";
    EXPECT_EQ(disc.LabelText(60, 350), info);
    ExpectLabelShows(disc, {52, 346, 568, 364}, {"Tahoma", -13, false, 14271412}, info);
}

} // namespace
