// skincheck on small disc folders: one change to a clean disc per finding,
// checked by the exact lines printed and the exit status.
#include "tests/support/Bmp.h"
#include "tests/support/CaseName.h"
#include "platform/FileSystem.h"
#include "tools/skincheck/Skincheck.h"
#include "tests/support/TempDir.h"

#include "platform/TextCodec.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

namespace {

// A 100 x 60 window whose top-left 4 x 4 corner is cut away.
TestPicture Window(std::uint32_t colour, int w = 100, int h = 60)
{
    TestPicture p{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), colour)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.pixels[static_cast<std::size_t>(y * w + x)] = colour + static_cast<std::uint32_t>(x + y);
    return p;
}

TestPicture Solid(std::uint32_t colour, int w, int h)
{
    return TestPicture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), colour)};
}

TestPicture Mask(std::uint32_t cut = 0xFF00FF, int w = 100, int h = 60)
{
    TestPicture p{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), 0x000000)};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            p.pixels[static_cast<std::size_t>(y * w + x)] = cut;
    return p;
}

const char kSkin[] = "[Screen]\n"
                     "Main=main.bmp\n"
                     "Mask=mask.bmp\n"
                     "Over=over.bmp\n"
                     "[BUTTONINFO]\n"
                     "1=ID_BUTTON1,10,10,30,20,Install,F\n"
                     "2=ID_EXIT,50,10,30,20,Close,F\n"
                     "[TEXTINFO]\n"
                     "1=ID_INFO,Tahoma,0,0,-12,255,10,40,80,12,Welcome,0\n";

const char kAutorun[] = "[RUN_FILES]\n"
                        "ID_BUTTON1=setup.exe\n"
                        "[TEXT_INFO]\n"
                        "ID_BUTTON1=Install it\n";

// With AK_SKINCHECK_DISCS set, each disc is copied there with its options
// before it is checked (scripts/skincheck-compare.sh runs two builds on them).
void KeepForComparison(const std::string& disc, const std::vector<std::string>& options)
{
    static int count = 0;
    if (const char* keep = std::getenv("AK_SKINCHECK_DISCS")) {
        const std::string to = std::string(keep) + "/" + std::to_string(++count);
        std::filesystem::copy(disc, to + ".disc", std::filesystem::copy_options::recursive);
        std::ofstream args(to + ".args");
        for (std::size_t i = 0; i + 1 < options.size(); ++i)
            args << options[i] << '\n';
    }
}

struct Result {
    int status;
    std::vector<std::string> lines; // with the disc folder taken off the front
};

class Disc {
public:
    Disc()
    {
        Write("Data/main.ini", kSkin);
        Write("AUTORUN.INF", kAutorun);
        Write("setup.exe", "MZ");
        Write("Data/main.bmp", EncodeBmp24(Window(0x102030)));
        Write("Data/mask.bmp", EncodeBmp24(Mask()));
        Write("Data/over.bmp", EncodeBmp24(Window(0x405060)));
    }

    void Write(const std::string& name, const std::string& bytes) { m_dir.Write(name, bytes); }
    void Remove(const std::string& name) { std::remove(m_dir.File(name).c_str()); }
    // Replaces the first `from` in a text file.
    void Edit(const std::string& name, const std::string& from, const std::string& to)
    {
        std::ifstream in(m_dir.File(name), std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        Write(name, text.replace(at, from.size(), to));
    }
    std::string Path() const { return m_dir.Path(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }

    Result Run(std::vector<std::string> options = {}) const
    {
        options.push_back(m_dir.Path());
        KeepForComparison(m_dir.Path(), options);
        std::ostringstream out, err;
        Result r{RunSkincheck(options, out, err), {}};
        std::istringstream lines(out.str());
        const std::string prefix = m_dir.Path() + "/";
        for (std::string line; std::getline(lines, line);)
            r.lines.push_back(line.compare(0, prefix.size(), prefix) == 0 ? line.substr(prefix.size()) : line);
        return r;
    }

private:
    TempDir m_dir;
};

std::string Summary(const Disc& disc, int errors, int warnings)
{
    const auto count = [](int n, const char* noun) { return std::to_string(n) + " " + noun + (n == 1 ? "" : "s"); };
    return disc.Path() + ": " + count(errors, "error") + ", " + count(warnings, "warning");
}

TEST(Skincheck, CleanDiscPasses)
{
    Disc disc;
    const Result r = disc.Run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.lines, std::vector<std::string>{Summary(disc, 0, 0)});
}

TEST(Skincheck, VerboseSaysHowEachFileWasRead)
{
    Disc disc;
    disc.Edit("AUTORUN.INF", "Install it", "Kurulum \xC5\x9F");
    const Result r = disc.Run({"--verbose"});
    EXPECT_EQ(r.lines, (std::vector<std::string>{"Data/main.ini: read as ANSI code page", "AUTORUN.INF: read as UTF-8",
                                                 Summary(disc, 0, 0)}));
    // The languages the disc has, and the order a --lang user's sections are read in.
    disc.Write("Data/main.ini", std::string(kSkin) + "[Screen.tr]\nOver=main.bmp\n[Screen.de_AT]\nOver=main.bmp\n");
    EXPECT_EQ(disc.Run({"--verbose"}).lines.at(2), "languages: de_AT, tr");
    EXPECT_EQ(disc.Run({"--verbose", "--lang", "de-AT"}).lines.at(3), "--lang de-AT: reads [NAME.de-at], then [NAME.de], then [NAME]");
}

TEST(Skincheck, FilesTheBuildAddsCountWhenNamed)
{
    Disc disc;
    disc.Edit("AUTORUN.INF", "setup.exe", "bin\\install.exe");
    EXPECT_EQ(disc.Run().status, 1);
    EXPECT_EQ(disc.Run({"--present", "bin/INSTALL.EXE"}).status, 0); // paths and case as Windows reads them
    EXPECT_EQ(disc.Run({"--present", "bin\\install.exe"}).lines, std::vector<std::string>{Summary(disc, 0, 0)});
}

TEST(Skincheck, CommandLineMistakesCannotRun)
{
    Disc disc;
    const auto status = [](std::vector<std::string> args) {
        std::ostringstream out, err;
        return RunSkincheck(args, out, err);
    };
    EXPECT_EQ(status({}), 2);
    EXPECT_EQ(status({"--preview"}), 2);
    for (const char* scale : {"0.5", "5.01", "1.255", "1.", "x", "-1", "12"})
        EXPECT_EQ(status({"--scale", scale, disc.Path()}), 2) << scale;
    EXPECT_EQ(status({"--scale", "1.75", disc.Path()}), 0);
    for (const char* tag : {"english", "d", "de AT", "de-"})
        EXPECT_EQ(status({"--lang", tag, disc.Path()}), 2) << tag;
    EXPECT_EQ(status({"--lang", "pt_BR", disc.Path()}), 0);
    EXPECT_EQ(status({"--bogus", disc.Path()}), 2);
    EXPECT_EQ(status({disc.Path(), disc.Path()}), 2);
    EXPECT_EQ(status({disc.File("setup.exe")}), 2); // a file, not a folder
    EXPECT_EQ(status({disc.File("no such folder")}), 2);
    EXPECT_EQ(status({"--help"}), 0);
    EXPECT_EQ(status({"--", disc.Path()}), 0);
}

// The preview written by skincheck with `options`: its size and pixels (0xAARRGGBB).
struct PreviewPng {
    PreviewPng(const Disc& disc, std::vector<std::string> options) : path(disc.File("preview.png"))
    {
        options.insert(options.begin(), {"--preview", path});
        status = disc.Run(options).status;
        int n = 0;
        data.reset(stbi_load(path.c_str(), &w, &h, &n, 4));
    }
    std::uint32_t operator()(int x, int y) const
    {
        const unsigned char* p = data.get() + (y * w + x) * 4;
        return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
    std::string path;
    int status = 0, w = 0, h = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> data{nullptr, stbi_image_free};
};

// The preview is the window at rest: Main inside the outline, transparent
// where the Mask cuts away, each control outlined in its kind's colour.
TEST(Skincheck, PreviewShowsTheShapedWindowWithItsControls)
{
    Disc disc;
    const PreviewPng at(disc, {});
    ASSERT_EQ(at.status, 0);
    ASSERT_TRUE(at.data);
    ASSERT_EQ(at.w, 100);
    ASSERT_EQ(at.h, 60);
    EXPECT_EQ(at(0, 0) >> 24, 0u);                     // cut away
    EXPECT_EQ(at(3, 3) >> 24, 0u);
    EXPECT_EQ(at(5, 5), 0xFF000000 | (0x102030 + 10)); // Main, untouched
    EXPECT_EQ(at(4, 0), 0xFF000000 | (0x102030 + 4));
    EXPECT_EQ(at(79, 29), at(10, 10));                 // both image buttons' outlines
    EXPECT_NE(at(79, 29), at(89, 51));                 // the label's outline differs
    EXPECT_NE(at(79, 29) & 0xFFFFFF, (0x102030u + 79 + 29));
    int named = 0; // the name's letters, in the outline's colour, inside the button
    for (int y = 11; y < 21; ++y)
        for (int x = 51; x < 79; ++x)
            named += at(x, y) == at(79, 29);
    EXPECT_GT(named, 20);

    // As the users of a language see it: its Main picture.
    disc.Write("Data/main-tr.bmp", EncodeBmp24(Window(0x302010)));
    disc.Write("Data/main.ini", std::string(kSkin) + "[Screen.tr]\nMain=main-tr.bmp\n");
    EXPECT_EQ(PreviewPng(disc, {"--lang", "tr-TR"})(5, 5), 0xFF000000 | (0x302010 + 10));
    EXPECT_EQ(PreviewPng(disc, {"--lang", "fr"})(5, 5), 0xFF000000 | (0x102030 + 10));
}

// At 150 % without @2x pictures the mask's 4 × 4 cut corner becomes 6 × 6 by
// the nearest pixel and the buttons move by their edges; at 200 % with them
// the @2x Main shows pixel for pixel inside the @2x Mask's outline.
TEST(Skincheck, PreviewAtADisplayScaleFollowsTheMenusRules)
{
    Disc disc;
    const PreviewPng enlarged(disc, {"--scale", "1.5"});
    ASSERT_TRUE(enlarged.data);
    EXPECT_EQ(enlarged.w, 150);
    EXPECT_EQ(enlarged.h, 90);
    EXPECT_EQ(enlarged(5, 5) >> 24, 0u);
    EXPECT_EQ(enlarged(6, 6) >> 24, 0xFFu);
    EXPECT_EQ(enlarged(15, 15), enlarged(119, 44)); // ID_BUTTON1's outline corner, ID_EXIT's (75, 15)-(120, 45)
    EXPECT_EQ(enlarged(75, 15), enlarged(15, 15));

    disc.Write("Data/main@2x.bmp", EncodeBmp24(Window(0x204060, 200, 120)));
    disc.Write("Data/mask@2x.bmp", EncodeBmp24(Mask(0xFF00FF, 200, 120)));
    disc.Write("Data/over@2x.bmp", EncodeBmp24(Window(0x405060, 200, 120)));
    const PreviewPng sharp(disc, {"--scale", "2"});
    ASSERT_TRUE(sharp.data);
    EXPECT_EQ(sharp.w, 200);
    EXPECT_EQ(sharp.h, 120);
    EXPECT_EQ(sharp(3, 3) >> 24, 0u);
    EXPECT_EQ(sharp(4, 4), 0xFF000000 | (0x204060 + 8));
    EXPECT_EQ(sharp(199, 119), 0xFF000000 | (0x204060 + 199 + 119));
}

TEST(Skincheck, NoPreviewWithoutPictures)
{
    Disc disc;
    for (const char* p : {"Data/main.bmp", "Data/mask.bmp", "Data/over.bmp"})
        disc.Remove(p);
    EXPECT_EQ(disc.Run({"--preview", disc.File("preview.png")}).status, 2);
    EXPECT_EQ(disc.Run().status, 1);
}

// The page is one more output: the report and the exit status stay as they
// are, also when no picture loads and the page has no window to show.
TEST(Skincheck, HtmlLeavesTheReportAndTheStatusAsTheyAre)
{
    Disc disc;
    for (const bool pictures : {true, false}) {
        if (!pictures)
            for (const char* p : {"Data/main.bmp", "Data/mask.bmp", "Data/over.bmp"})
                disc.Remove(p);
        const Result plain = disc.Run(), paged = disc.Run({"--html", disc.File("page.html")});
        EXPECT_EQ(paged.lines, plain.lines);
        EXPECT_EQ(paged.status, plain.status);
        std::ifstream file(disc.File("page.html"));
        const std::string page((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
        EXPECT_EQ(page.find("\"width\":0,") == std::string::npos, pictures); // the window, or none
        std::size_t listed = 0; // every finding, with or without a window
        for (std::size_t at = page.find("\"severity\":"); at != std::string::npos; at = page.find("\"severity\":", at + 1))
            ++listed;
        EXPECT_EQ(listed, plain.lines.size() - 1);
    }
    EXPECT_EQ(disc.Run({"--html", disc.File("no/such/folder/page.html")}).status, 2);
}

// The demo disc as committed, with the programs that the build adds to it.
TEST(Skincheck, DemoDiscPasses)
{
    std::ostringstream out, err;
    const int status = RunSkincheck({"--present", "verpick.exe", "--present", "Setup\\Vista\\Setup.exe", "--present",
                                     "Setup\\XP\\Setup.exe", AK_DEMO_DISC},
                                    out, err);
    EXPECT_EQ(out.str(), std::string(AK_DEMO_DISC) + ": 0 errors, 0 warnings\n");
    EXPECT_EQ(status, 0);
}

struct FindingCase {
    const char* what;
    std::function<void(Disc&)> change;
    std::vector<std::string> findings;
    std::vector<std::string> options = {};
};

void PrintTo(const FindingCase& c, std::ostream* os) { *os << c.what; }

class SkincheckFinding : public ::testing::TestWithParam<FindingCase> {};

TEST_P(SkincheckFinding, PrintsExactlyThis)
{
    const FindingCase& c = GetParam();
    Disc disc;
    c.change(disc);
    const Result r = disc.Run(c.options);
    int errors = 0, warnings = 0;
    for (const auto& f : c.findings) {
        errors += f.find(": error: ") != std::string::npos;
        warnings += f.find(": warning: ") != std::string::npos;
    }
    std::vector<std::string> expected = c.findings;
    expected.push_back(Summary(disc, errors, warnings));
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.status, errors ? 1 : 0);
}

using D = Disc&;
const std::string kButton1 = "1=ID_BUTTON1,10,10,30,20,Install,F";
const std::string kExit = "2=ID_EXIT,50,10,30,20,Close,F";

const FindingCase kErrors[] = {
    {"main ini missing", [](D d) { d.Remove("Data/main.ini"); },
     {"Data/main.ini: error: not found: the menu opens as an empty window"}},
    {"Main picture missing", [](D d) { d.Remove("Data/main.bmp"); },
     {"Data/main.ini:2: error: the Main picture \"main.bmp\" is not on the disc"}},
    {"Mask picture does not decode", [](D d) { d.Write("Data/mask.bmp", "BM not really a bitmap"); },
     {"Data/main.ini:3: error: the Mask picture \"mask.bmp\" does not load: the BMP header is cut short"}},
    {"JPEG cut short",
     [](D d) {
         const std::string jpeg = *platform::ReadWholeFile(std::string(AK_PICTURE_FIXTURES) + "/jpeg_33x21.jpg");
         d.Write("Data/over.bmp", jpeg.substr(0, jpeg.size() - 40));
     },
     {"Data/main.ini:4: error: the Over picture \"over.bmp\" does not load: the JPEG file is cut short: it ends "
      "before its end-of-picture marker"}},
    {"BMP cut short",
     [](D d) { d.Write("Data/over.bmp", EncodeBmp24(Window(0x405060, 100, 60)).substr(0, 54 + 300 * 45 + 100)); },
     {"Data/main.ini:4: error: the Over picture \"over.bmp\" does not load: 15 of its 60 rows lie beyond the end of "
      "the file (it is cut short), so the menu may show nothing or garbage"}},
    {"PNG picture", [](D d) { d.Write("Data/over.bmp", "\x89PNG\r\n\x1a\n...."); },
     {"Data/main.ini:4: error: the Over picture \"over.bmp\" does not load: it is a PNG picture, and the menu loads "
      "only BMP, JPEG and GIF: Windows will not show it, though Wine does"}},
    {"picture outside the disc", [](D d) { d.Edit("Data/main.ini", "Over=over.bmp", "Over=..\\..\\over.bmp"); },
     {"Data/main.ini:4: error: the Over picture \"..\\..\\over.bmp\" lies outside the disc folder"}},
    {"Mask cuts everything away", [](D d) { d.Write("Data/mask.bmp", EncodeBmp24(Solid(0xFF10FF, 100, 60))); },
     {"Data/main.ini:3: error: the Mask picture \"mask.bmp\" is magenta everywhere: the window shows nothing",
      "Data/main.ini:6: error: image button \"ID_BUTTON1\": it lies wholly in the part of the window that the Mask "
      "picture cuts away",
      "Data/main.ini:7: error: image button \"ID_EXIT\": it lies wholly in the part of the window that the Mask "
      "picture cuts away",
      "Data/main.ini:9: error: text label \"ID_INFO\": it lies wholly in the part of the window that the Mask "
      "picture cuts away"}},
    {"ButtonEx mask missing",
     [](D d) { d.Edit("Data/main.ini", "[TEXTINFO]", "[BUTTONEXINFO]\n1=ID_LOGO,60,30,20,20,Logo,F,logo.bmp\n[TEXTINFO]"); },
     {"Data/main.ini:9: error: ButtonEx \"ID_LOGO\": the mask picture \"logo.bmp\" is not on the disc"}},
    {"trackbar pictures missing and undecodable",
     [](D d) {
         d.Write("Data/thumb.bmp", "GIF89a");
         d.Edit("Data/main.ini", "[TEXTINFO]", "[TRACKBARINFO]\n1=ID_VOL,thumb.bmp,down.bmp,10,30,50,10,H,50,0\n[TEXTINFO]");
     },
     {"Data/main.ini:9: error: trackbar \"ID_VOL\": the thumb picture \"thumb.bmp\" does not load: the GIF file "
      "is cut short",
      "Data/main.ini:9: error: trackbar \"ID_VOL\": the pressed-thumb picture \"down.bmp\" is not on the disc"}},
    {"program file missing", [](D d) { d.Remove("setup.exe"); },
     {"AUTORUN.INF:2: error: ID_BUTTON1 opens \"setup.exe\", which is not on the disc: a click shows \"File Not "
      "Found !\""}},
    {"program with arguments", [](D d) { d.Edit("AUTORUN.INF", "setup.exe", "setup.exe /s"); },
     {"AUTORUN.INF:2: error: ID_BUTTON1 opens \"setup.exe /s\", which is not on the disc: a click shows \"File Not "
      "Found !\" (the menu passes no arguments: \"setup.exe\" alone would be found)"}},
    {"program outside the disc", [](D d) { d.Edit("AUTORUN.INF", "setup.exe", "..\\setup.exe"); },
     {"AUTORUN.INF:2: error: ID_BUTTON1 opens \"..\\setup.exe\", which lies outside the disc folder"}},
    {"AUTORUN.INF missing", [](D d) { d.Remove("AUTORUN.INF"); },
     {"AUTORUN.INF: error: not found: the program buttons open the disc folder"}},
    {"config.ini program missing",
     [](D d) { d.Write("config.ini", "[FILES_NAME]\nVISTA=setup.exe /vista\nXP=xp\\setup.exe /xp\n"); },
     {"config.ini:3: error: XP starts \"xp\\setup.exe /xp\", but no program of that name is on the disc"}},
    {"numbered keys with a gap", [](D d) { d.Edit("Data/main.ini", "2=ID_EXIT", "4=ID_EXIT"); },
     {"Data/main.ini:7: error: [BUTTONINFO] key \"4\" is never read: the section lists 2 keys, so the menu reads "
      "keys 1 to 2, and key 2 is missing"}},
    {"several keys missing",
     [](D d) {
         d.Edit("Data/main.ini", "2=ID_EXIT", "4=ID_EXIT");
         d.Edit("Data/main.ini", kButton1, kButton1 + "\n5=ID_CLOSE,1,1,1,1,,F");
     },
     {"Data/main.ini:7: error: [BUTTONINFO] key \"5\" is never read: the section lists 3 keys, so the menu reads "
      "keys 1 to 3, and keys 2 and 3 are missing",
      "Data/main.ini:8: error: [BUTTONINFO] key \"4\" is never read: the section lists 3 keys, so the menu reads "
      "keys 1 to 3, and keys 2 and 3 are missing"}},
    {"the same key twice", [](D d) { d.Edit("Data/main.ini", "2=ID_EXIT", "1=ID_EXIT"); },
     {"Data/main.ini:7: error: [BUTTONINFO] key \"1\" is never read: line 6 has the same key"}},
    {"not a number", [](D d) { d.Edit("Data/main.ini", "50,10,30,20", "50,10,30px,"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": the width \"30px\" is not a number and reads as 30",
      "Data/main.ini:7: warning: image button \"ID_EXIT\": the height is empty and reads as 0",
      "Data/main.ini:7: error: image button \"ID_EXIT\": it has no area (width 30, height 0)"}},
    {"wholly outside the Mask picture", [](D d) { d.Edit("Data/main.ini", "50,10,30,20", "-40,10,30,20"); },
     {"Data/main.ini:7: error: image button \"ID_EXIT\": it lies outside the 100x60 window (the Mask picture) and is "
      "never seen"}},
    {"name differs in case", [](D d) { d.Edit("Data/main.ini", "ID_EXIT", "id_exit"); },
     {"Data/main.ini:7: error: image button \"id_exit\": the name differs from the command \"ID_EXIT\" only in "
      "case, and names must match exactly: a click does nothing"}},
    {"name with a blank", [](D d) { d.Edit("Data/main.ini", "ID_EXIT,", "ID_EXIT ,"); },
     {"Data/main.ini:7: error: image button \"ID_EXIT \": the name differs from the command \"ID_EXIT\" only in "
      "blanks, and names must match exactly: a click does nothing"}},
    {"ButtonEx named as a command",
     [](D d) {
         d.Write("Data/round.bmp", EncodeBmp24(Solid(0, 6, 6)));
         d.Edit("Data/main.ini", "[TEXTINFO]", "[BUTTONEXINFO]\n1=ID_CLOSE,60,30,6,6,,F,round.bmp\n[TEXTINFO]");
     },
     {"Data/main.ini:9: error: ButtonEx \"ID_CLOSE\": a click on a ButtonEx runs no command; only image buttons "
      "[BUTTONINFO] do"}},
    {"home page empty",
     [](D d) {
         d.Edit("Data/main.ini", kExit, kExit + "\n3=ID_HOMEPAGE,10,30,30,20,Web,F");
         d.Edit("AUTORUN.INF", "[TEXT_INFO]", "ID_HOMEPAGE=  \n[TEXT_INFO]");
     },
     {"AUTORUN.INF:3: error: ID_HOMEPAGE is empty: the home page button does nothing"}},
    {"home page missing", [](D d) { d.Edit("Data/main.ini", kExit, kExit + "\n3=ID_HOMEPAGE,10,30,30,20,Web,F"); },
     {"AUTORUN.INF:1: error: [RUN_FILES] has no entry for ID_HOMEPAGE: the home page button does nothing"}},
    {"a second section", [](D d) { d.Edit("Data/main.ini", "[TEXTINFO]", "[buttoninfo]\n3=ID_CLOSE,1,1,1,1,,F\n[TEXTINFO]"); },
     {"Data/main.ini:8: error: a second [buttoninfo] section is never read (the first is on line 5)"}},
    {"misspelt section", [](D d) { d.Edit("Data/main.ini", "[BUTTONINFO]", "[BUTONINFO]"); },
     {"Data/main.ini:5: error: [BUTONINFO] is never read, nor its 2 keys: probably [BUTTONINFO] was meant"}},
    {"misspelt section of AUTORUN.INF", [](D d) { d.Edit("AUTORUN.INF", "[RUN_FILES]", "[RUNFILES]"); },
     {"AUTORUN.INF: warning: [RUN_FILES] has no entry for ID_BUTTON1: a click on it opens the disc folder",
      "AUTORUN.INF:1: error: [RUNFILES] is never read, nor its 1 key: probably [RUN_FILES] was meant"}},
    {"command in British spelling", [](D d) { d.Edit("Data/main.ini", kExit, kExit + "\n3=ID_MINIMISE,60,35,20,20,,F"); },
     {"Data/main.ini:8: error: image button \"ID_MINIMISE\": the name differs from the command \"ID_MINIMIZE\" only in "
      "spelling, and names must match exactly: a click does nothing",
      "Data/main.ini:8: warning: image button \"ID_MINIMISE\": no tooltip text, no TEXT_INFO text and no command the menu "
      "knows: a screen reader reads it only as \"ID_MINIMISE\""}},
    {"program button beyond eight", [](D d) { d.Edit("Data/main.ini", kExit, kExit + "\n3=ID_BUTTON9,60,35,20,20,,F"); },
     {"Data/main.ini:8: error: image button \"ID_BUTTON9\": the program buttons are ID_BUTTON1 to ID_BUTTON8, and a "
      "click on this one does nothing",
      "Data/main.ini:8: warning: image button \"ID_BUTTON9\": no tooltip text, no TEXT_INFO text and no command the menu "
      "knows: a screen reader reads it only as \"ID_BUTTON9\""}},
    {"command on a kind that runs none",
     [](D d) {
         d.Write("Data/round.bmp", EncodeBmp24(Solid(0, 6, 6)));
         d.Write("Data/main.ini", std::string(kSkin) + "[BUTTONEXINFO]\n1=ID_ICON,90,30,6,6,Icon,F,round.bmp\n" +
                                      "[PROGRESSINFO]\n1=ID_MINIMIZE,Minimise,50,30,30,8,V\n");
     },
     {"Data/main.ini:13: error: progress control \"ID_MINIMIZE\": a click on a progress control runs no command; only "
      "image buttons [BUTTONINFO] do"}},
    {"control under an earlier one", [](D d) { d.Edit("Data/main.ini", kExit, kExit + "\n3=ID_CLOSE,12,12,10,10,,F"); },
     {"Data/main.ini:8: error: image button \"ID_CLOSE\": it lies wholly under the image button \"ID_BUTTON1\" (line "
      "6), made before it, and never gets a click"}},
    {"line lost a number", [](D d) { d.Edit("Data/main.ini", "50,10,30,20,Close,F", "50,10,30"); },
     {"Data/main.ini:7: error: image button \"ID_EXIT\": the line has 4 fields, an image button takes 7: the height, "
      "the tooltip and the look flag repeat the last field \"30\""}},
    {"entry under a misspelt key", [](D d) { d.Edit("AUTORUN.INF", "ID_BUTTON1=setup", "ID_BUTON1=setup"); },
     {"AUTORUN.INF:1: warning: [RUN_FILES] has no entry for ID_BUTTON1: a click on it opens the disc folder",
      "AUTORUN.INF:2: error: [RUN_FILES] ID_BUTON1 is never read: probably ID_BUTTON1 was meant, which has no entry "
      "and opens the disc folder"}},
    {"verpick without config.ini",
     [](D d) {
         d.Write("verpick.exe", "MZ");
         d.Edit("AUTORUN.INF", "ID_BUTTON1=setup.exe", "ID_BUTTON1=verpick.exe");
     },
     {"AUTORUN.INF:2: error: ID_BUTTON1 starts \"verpick.exe\", but no config.ini is beside it: verpick starts "
      "nothing"}},
    {"verpick in a folder, its config.ini without VISTA",
     [](D d) {
         d.Write("bin/verpick.exe", "MZ");
         d.Write("bin/config.ini", "[FILES_NAME]\nXP=..\\setup.exe\n");
         d.Edit("AUTORUN.INF", "ID_BUTTON1=setup.exe", "ID_BUTTON1=bin\\verpick.exe");
     },
     {"bin/config.ini:1: error: [FILES_NAME] has no entry for VISTA: verpick starts nothing on Windows Vista and "
      "later"}},
    {"language section whose tag is not a language tag",
     [](D d) { d.Write("Data/main.ini", std::string(kSkin) + "[Screen.english]\nMain=main.bmp\n"); },
     {"Data/main.ini:10: error: [Screen.english] is never read: \"english\" is not a language tag (as tr, de-AT or "
      "zh-Hans)"}},
    {"language section without its base section",
     [](D d) { d.Write("Data/main.ini", std::string(kSkin) + "[TRACKBARINFO.tr]\n1=ID_VOL,t.bmp,t.bmp,10,32,50,6,H,50\n"); },
     {"Data/main.ini:10: error: [TRACKBARINFO.tr] is never read: the file has no [TRACKBARINFO] section, whose "
      "values it would replace"}},
    {"language keys the base section has no control of",
     [](D d) {
         d.Write("Data/main.ini", std::string(kSkin) + "[BUTTONINFO.tr]\n2=ID_EXIT,50,10,30,20,Kapat,F\n3=ID_X,1,1,2,2,X,F\n"
                                                       "x=ID_Y,1,1,2,2,Y,F\n");
     },
     {"Data/main.ini:12: error: [BUTTONINFO.tr] key \"3\" is never read: [BUTTONINFO] has no control of that key, "
      "and a language section adds none",
      "Data/main.ini:13: error: [BUTTONINFO.tr] key \"x\" is never read: [BUTTONINFO] has no control of that key, "
      "and a language section adds none"}},
    {"second language section of one name and language",
     [](D d) {
         d.Write("Data/main.ini", std::string(kSkin) + "[BUTTONINFO.de_AT]\n1=ID_BUTTON1,10,10,30,20,Los,F\n"
                                                       "[buttoninfo.DE-at]\n1=ID_BUTTON1,10,10,30,20,Installieren,F\n");
     },
     {"Data/main.ini:12: error: [buttoninfo.DE-at] is never read: line 10 starts the section of that name and language"}},
};
INSTANTIATE_TEST_SUITE_P(Errors, SkincheckFinding, ::testing::ValuesIn(kErrors),
                         [](const auto& p) { return CaseName(p.param.what); });

const FindingCase kWarnings[] = {
    {"@2x picture of the wrong size", [](D d) { d.Write("Data/main@2x.bmp", EncodeBmp24(Solid(0, 150, 120))); },
     {"Data/main.ini:2: warning: the Main picture \"main@2x.bmp\" is 150x120, not twice the size of \"main.bmp\" "
      "(200x120): it is ignored, and \"main.bmp\" is enlarged instead at display scales above 100 %"}},
    {"@2x picture that does not load", [](D d) { d.Write("Data/mask@2x.bmp", "BM not really"); },
     {"Data/main.ini:3: warning: the Mask picture \"mask@2x.bmp\" does not load (the BMP header is cut short): it is "
      "ignored, and \"mask.bmp\" is enlarged instead at display scales above 100 %"}},
    {"some pictures without @2x", [](D d) { d.Write("Data/main@2x.bmp", EncodeBmp24(Solid(0, 200, 120))); },
     {"Data/main.ini: warning: 1 of 3 pictures have a usable @2x version, but \"mask.bmp\", \"over.bmp\" have none: "
      "above 100 % display scale they are enlarged and look blurred beside the others"}},
    {"@2x mask with near-magenta specks",
     [](D d) {
         d.Write("Data/mask@2x.bmp", EncodeBmp24(Mask(0xF000F0, 200, 120)));
         for (const char* name : {"Data/main@2x.bmp", "Data/over@2x.bmp"})
             d.Write(name, EncodeBmp24(Solid(0, 200, 120)));
     },
     {"Data/main.ini:3: warning: the Mask picture \"mask@2x.bmp\": 16 pixels are nearly magenta but are not cut away "
      "(that takes red and blue 255, green 0 to 16)"}},
    {"every picture with @2x",
     [](D d) {
         for (const char* name : {"Data/main@2x.bmp", "Data/mask@2x.bmp", "Data/over@2x.bmp"})
             d.Write(name, EncodeBmp24(Solid(0, 200, 120)));
     },
     {}},
    {"fewer fields", [](D d) { d.Edit("Data/main.ini", "Close,F", "Close"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": the line has 6 fields, an image button takes 7: the look "
      "flag repeats the last field \"Close\""}},
    {"look flag set by a repeated tooltip", [](D d) { d.Edit("Data/main.ini", "Close,F", "To close"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": the line has 6 fields, an image button takes 7: the look "
      "flag repeats the last field \"To close\"",
      "Data/main.ini:7: warning: image button \"ID_EXIT\": the look flag repeats the tooltip \"To close\", which begins "
      "with \"T\": the button keeps its normal look"}},
    {"several fields repeat",
     [](D d) { d.Edit("Data/main.ini", "[TEXTINFO]", "[BUTTONEXINFO]\n1=ID_LOGO,60,30,20,20\n[TEXTINFO]"); },
     {"Data/main.ini:9: warning: ButtonEx \"ID_LOGO\": the line has 5 fields, a ButtonEx takes 8: the tooltip, the "
      "look flag and the mask picture repeat the last field \"20\"",
      "Data/main.ini:9: error: ButtonEx \"ID_LOGO\": the mask picture \"20\" is not on the disc"}},
    {"more fields", [](D d) { d.Edit("Data/main.ini", "Close,F", "Close,F,x, y"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": the line has 9 fields, an image button takes 7: \"x, y\" is "
      "ignored"}},
    {"label text cut at a comma", [](D d) { d.Edit("Data/main.ini", "Welcome,0", "Welcome, dear user,0"); },
     {"Data/main.ini:9: warning: text label \"ID_INFO\": the text is cut at a comma: the label shows \"Welcome\", and "
      "\"dear user,0\" is not shown (a field cannot hold a comma)"}},
    {"label text cut before the unused field", [](D d) { d.Edit("Data/main.ini", "Welcome,0", "Welcome, friend"); },
     {"Data/main.ini:9: warning: text label \"ID_INFO\": the text is cut at a comma: the label shows \"Welcome\", and "
      "\"friend\" is not shown (a field cannot hold a comma)"}},
    {"label without the unused field", [](D d) { d.Edit("Data/main.ini", "Welcome,0", "Welcome"); }, {}},
    {"partly outside the Mask picture", [](D d) { d.Edit("Data/main.ini", "50,10,30,20", "80,50,30,20"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": it reaches beyond the 100x60 window (the Mask picture)"}},
    {"partly cut away by the mask", [](D d) { d.Edit("Data/main.ini", "50,10,30,20", "2,1,30,8"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": 6 of its 240 pixels lie in the part of the window that the "
      "Mask picture cuts away"}},
    {"a ButtonEx's own outline decides",
     [](D d) {
         TestPicture round = Solid(0x000000, 6, 6);
         for (int i : {0, 1, 6})
             round.pixels[static_cast<std::size_t>(i)] = 0xFF00FF; // the ButtonEx's own corner is cut away
         d.Write("Data/round.bmp", EncodeBmp24(round));
         d.Edit("Data/main.ini", "[TEXTINFO]", "[BUTTONEXINFO]\n1=ID_ROUND,2,2,6,6,Round,F,round.bmp\n[TEXTINFO]");
     },
     {"Data/main.ini:9: warning: ButtonEx \"ID_ROUND\": 1 of its 33 pixels lie in the part of the window that the "
      "Mask picture cuts away"}},
    {"outline too complex to shape",
     [](D d) {
         // Below the controls every other pixel is cut, shifted on every row:
         // 200 runs on each of 180 rows, none repeating the row above.
         TestPicture noise = Solid(0x000000, 400, 240);
         for (int y = 60; y < noise.height; ++y)
             for (int x = y % 2; x < noise.width; x += 2)
                 noise.pixels[static_cast<std::size_t>(y * noise.width + x)] = 0xFF00FF;
         d.Write("Data/mask.bmp", EncodeBmp24(noise));
         d.Write("Data/main.bmp", EncodeBmp24(Window(0x102030, 400, 240)));
         d.Write("Data/over.bmp", EncodeBmp24(Window(0x405060, 400, 240)));
     },
     {"Data/main.ini:3: warning: the Mask picture \"mask.bmp\": its outline takes more than 32000 rectangles, more "
      "than the menu gives a window: it stays rectangular, and a message says that its outline could not be made"}},
    {"picture sizes differ", [](D d) { d.Write("Data/over.bmp", EncodeBmp24(Window(0x405060, 90, 60))); },
     {"Data/main.ini:4: warning: the Over picture \"over.bmp\" is 90x60, but the Mask picture (the window) is 100x60"}},
    {"picture larger than the window", [](D d) { d.Write("Data/over.bmp", EncodeBmp24(Window(0x405060, 300, 200))); },
     {"Data/main.ini:4: note: the Over picture \"over.bmp\" is 300x200, but the Mask picture (the window) is 100x60: "
      "the menu shows its top-left part"}},
    {"two controls with one name", [](D d) { d.Edit("Data/main.ini", "ID_EXIT", "ID_BUTTON1"); },
     {"Data/main.ini:7: warning: image button \"ID_BUTTON1\": the image button on line 6 has the same name, and the "
      "menu cannot tell them apart"}},
    {"ID_INFO missing", [](D d) { d.Edit("Data/main.ini", "1=ID_INFO", "1=ID_TITLE"); },
     {"Data/main.ini:8: warning: no text label is named \"ID_INFO\": the program buttons' texts are not shown"}},
    {"ID_INFO in other case", [](D d) { d.Edit("Data/main.ini", "1=ID_INFO", "1=Id_Info"); },
     {"Data/main.ini:8: warning: no text label is named \"ID_INFO\": the program buttons' texts are not shown",
      "Data/main.ini:9: warning: text label \"Id_Info\": the name differs from \"ID_INFO\" only in case, and the "
      "program buttons' texts go only to a label named exactly \"ID_INFO\""}},
    {"line over 255 characters", [](D d) { d.Edit("Data/main.ini", "Close,F", std::string(250, 'c') + ",F"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": the line has 272 characters, more than the 255 a control "
      "line may hold (this menu reads it in full)"}},
    {"line over the read buffer", [](D d) { d.Edit("Data/main.ini", "Close,F", std::string(2100, 'c') + ",F"); },
     {"Data/main.ini:7: warning: image button \"ID_EXIT\": the line has 2122 characters, and only the first 2047 are "
      "read",
      "Data/main.ini:7: warning: image button \"ID_EXIT\": the line has 6 fields, an image button takes 7: the look "
      "flag repeats the last field \"" + std::string(2027, 'c') + "\""}},
    {"program button without a file", [](D d) { d.Edit("AUTORUN.INF", "ID_BUTTON1=setup.exe\n", ""); },
     {"AUTORUN.INF:1: warning: [RUN_FILES] has no entry for ID_BUTTON1: a click on it opens the disc folder"}},
    {"misspelt Screen key", [](D d) { d.Edit("Data/main.ini", "Over=", "Ovr="); },
     {"Data/main.ini:4: warning: [Screen] Ovr is never read: probably Over was meant"}},
    {"unknown Screen key", [](D d) { d.Edit("Data/main.ini", "Over=", "Back="); },
     {"Data/main.ini:4: warning: [Screen] Back is never read: the keys are Main, Mask, Over, Down and Disabled"}},
    {"mask drawn with transparency",
     [](D d) {
         TestPicture mask = Mask(0xFFFFFF); // the corner see-through white, not magenta
         for (auto& p : mask.pixels)
             p = p == 0 ? 0xFF000000 : p; // the rest opaque black
         d.Write("Data/mask.bmp", EncodeBmp32(mask));
     },
     {"Data/main.ini:3: warning: the Mask picture \"mask.bmp\": 16 pixels are transparent in the file, but the menu "
      "ignores transparency and cuts away only magenta: they stay in the window"}},
    {"nearly magenta mask", [](D d) { d.Write("Data/mask.bmp", EncodeBmp24(Mask(0xFE00FF))); },
     {"Data/main.ini:3: warning: the Mask picture \"mask.bmp\": 16 pixels are nearly magenta but are not cut away "
      "(that takes red and blue 255, green 0 to 16)"}},
    {"trackbar position out of range",
     [](D d) {
         d.Write("Data/thumb.bmp", EncodeBmp24(Solid(0xFFFFFF, 4, 8)));
         d.Edit("Data/main.ini", "[TEXTINFO]", "[TRACKBARINFO]\n1=ID_VOL,thumb.bmp,thumb.bmp,10,30,50,10,H,150\n[TEXTINFO]");
     },
     {"Data/main.ini:9: warning: trackbar \"ID_VOL\": the position 150 lies outside 0 to 100 and is taken as 100"}},
    {"config.ini without an XP entry", [](D d) { d.Write("config.ini", "[FILES_NAME]\nVISTA=setup.exe\n"); },
     {"config.ini:1: warning: [FILES_NAME] has no entry for XP: verpick starts nothing on Windows XP and older"}},
    {"names differ from files in case only",
     [](D d) {
         d.Remove("setup.exe");
         d.Write("SETUP.EXE", "MZ");
         d.Edit("Data/main.ini", "Main=main.bmp", "Main=MAIN.BMP");
     },
     {}},
    {"control partly under an earlier one",
     [](D d) {
         d.Write("Data/thumb.bmp", EncodeBmp24(Solid(0xFFFFFF, 4, 8)));
         d.Write("Data/main.ini", std::string(kSkin) + "[TRACKBARINFO]\n1=ID_VOL,thumb.bmp,thumb.bmp,10,45,50,10,H,50\n");
     },
     {"Data/main.ini:11: warning: trackbar \"ID_VOL\": 350 of its 500 pixels lie under the text label \"ID_INFO\" (line "
      "9), made before it, and get no clicks"}},
    {"name near a command", [](D d) { d.Edit("Data/main.ini", "ID_EXIT", "ID_EDIT"); },
     {"Data/main.ini:7: warning: image button \"ID_EDIT\": the name is no command, and a click does nothing: probably "
      "\"ID_EXIT\" was meant"}},
    {"entries for buttons that are not there",
     [](D d) { d.Edit("AUTORUN.INF", "[TEXT_INFO]", "ID_BUTTON5=more.exe\nID_BUTTON9=extra.exe\n[TEXT_INFO]"); },
     {"AUTORUN.INF:3: warning: [RUN_FILES] ID_BUTTON5 is never read: no image button is named \"ID_BUTTON5\"",
      "AUTORUN.INF:4: warning: [RUN_FILES] ID_BUTTON9 is never read: the program buttons are ID_BUTTON1 to ID_BUTTON8"}},
    {"text longer than the menu reads",
     [](D d) { d.Edit("AUTORUN.INF", "Install it", std::string(250, 'i') + "Install it now, please"); },
     {"AUTORUN.INF:4: warning: [TEXT_INFO] ID_BUTTON1 has 272 characters, and the menu reads only the first 259: the "
      "text shown ends at \"iiiiiiiiiiiInstall i\""}},
    {"program button without a text", [](D d) { d.Edit("AUTORUN.INF", "ID_BUTTON1=Install it", "ID_BUTTON2=Install it"); },
     {"AUTORUN.INF:3: warning: [TEXT_INFO] has no entry for ID_BUTTON1: a click shows only the disc folder's path in "
      "\"ID_INFO\"",
      "AUTORUN.INF:4: warning: [TEXT_INFO] ID_BUTTON2 is never read: no image button is named \"ID_BUTTON2\""}},
    {"ANSI letters that are not UTF-8", [](D d) { d.Edit("AUTORUN.INF", "Install it", "Caf\xE9"); },
     {"AUTORUN.INF: warning: holds letters beyond ASCII that are not UTF-8: they are read in the ANSI code page and "
      "shown differently on a Windows set to another language; save the file as UTF-8"}},
    {"UTF-16 AUTORUN.INF is read in full",
     [](D d) {
         std::string utf16 = "\xFF\xFE";
         for (char16_t unit : platform::Utf8ToUtf16(std::string(kAutorun) + "; Kurulum \xC5\x9F\n")) {
             utf16 += static_cast<char>(unit & 0xFF);
             utf16 += static_cast<char>(unit >> 8);
         }
         d.Write("AUTORUN.INF", utf16);
     },
     {}},
    {"orientation against the shape",
     [](D d) {
         d.Write("Data/thumb.bmp", EncodeBmp24(Solid(0xFFFFFF, 4, 8)));
         d.Write("Data/main.ini", std::string(kSkin) + "[TRACKBARINFO]\n1=ID_VOL,thumb.bmp,thumb.bmp,10,32,50,6,V,50\n" +
                                      "[PROGRESSINFO]\n1=ID_FX,Effects,60,32,30,6,H\n");
     },
     {"Data/main.ini:11: warning: trackbar \"ID_VOL\": the orientation \"V\" makes it vertical (\"H\" makes a trackbar "
      "horizontal), but it is 50x6, wider than high",
      "Data/main.ini:13: warning: progress control \"ID_FX\": the orientation \"H\" makes it vertical (\"H\" makes a "
      "progress control vertical), but it is 30x6, wider than high"}},
    {"language pictures that make another window",
     [](D d) {
         d.Write("Data/main-tr.bmp", EncodeBmp24(Window(0x302010, 120, 60)));
         d.Write("Data/mask-tr.bmp", EncodeBmp24(Mask(0xFF00FF, 120, 60)));
         d.Write("Data/main.ini", std::string(kSkin) + "[Screen.tr]\nMain=main-tr.bmp\nMask=mask-tr.bmp\nOver=main-tr.bmp\n");
     },
     {"Data/main.ini:12: warning: [tr] the Mask picture \"mask-tr.bmp\" makes the window 120x60, but the base "
      "sections' pictures make it 100x60: the controls lie where the base sections put them, unless this language's "
      "lines move them"}},
    {"language picture of another size than the window",
     [](D d) {
         d.Write("Data/over-tr.bmp", EncodeBmp24(Window(0x302010, 90, 60)));
         d.Write("Data/main.ini", std::string(kSkin) + "[Screen.tr]\nOver=over-tr.bmp\n");
     },
     {"Data/main.ini:11: warning: [tr-TR] the Over picture \"over-tr.bmp\" is 90x60, but the Mask picture (the "
      "window) is 100x60"},
     {"--lang", "tr-TR"}},
    {"language with texts but the base's info text",
     [](D d) {
         d.Write("Data/main.ini", std::string(kSkin) + "[TEXTINFO.tr]\n1=ID_INFO,Tahoma,0,0,-12,255,10,40,80,12,Merhaba,0\n");
     },
     {"AUTORUN.INF:4: warning: [tr] no [TEXT_INFO] section of this language has a text for ID_BUTTON1: a click "
      "shows its users the base text"}},
    {"language with texts of its own for every program button",
     [](D d) {
         d.Write("Data/main.ini", std::string(kSkin) + "[TEXTINFO.tr]\n1=ID_INFO,Tahoma,0,0,-12,255,10,40,80,12,Merhaba,0\n");
         d.Write("AUTORUN.INF", std::string(kAutorun) + "[TEXT_INFO.tr]\nID_BUTTON1=Kur\n[RUN_FILES.tr]\nID_BUTTON1=yok.exe\n");
     },
     {"AUTORUN.INF:8: error: [tr] ID_BUTTON1 opens \"yok.exe\", which is not on the disc: a click shows \"File Not "
      "Found !\""}},
};
INSTANTIATE_TEST_SUITE_P(Warnings, SkincheckFinding, ::testing::ValuesIn(kWarnings),
                         [](const auto& p) { return CaseName(p.param.what); });

} // namespace
