// autorun.exe in the user's display language. Wine takes the display language
// from LC_ALL when a program is started from Unix, and the programs it starts
// inherit it: ctest runs this program once per language (tr_TR, de_AT, fr_FR),
// and without LC_ALL it runs as an English user.
#include "tests/support/Bmp.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/ProgramPaths.h"
#include "platform/DisplayLanguages.h"
#include "platform/FileSystem.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kW = 240, kH = 140;

// What a user sees of the menu below: its picture, the button's tooltip, the
// label's text, the read-me the button opens and the text it then shows. The
// read-mes have an extension of the test's own, opened by the recorder
// (DocumentType), so that no viewer the Wine prefix may lack decides.
struct Texts {
    const char *picture, *tip, *welcome, *readMe, *info;
};
const Texts kBase{"main.bmp", "Read me", "Welcome", "README.akdoc", "Opening the read-me"};
const Texts kTurkish{"ana.bmp", "Beni oku", "Ho\xC5\x9F geldiniz", "BEN\xC4\xB0OKU.akdoc",
                     "Beni oku dosyas\xC4\xB1 a\xC3\xA7\xC4\xB1l\xC4\xB1yor"};
const Texts kGerman{"haupt.bmp", "Lies mich", "Willkommen", "LIESMICH.akdoc", "Die Liesmich-Datei wird ge\xC3\xB6\x66\x66net"};
const char kAustrian[] = "Servus! Die Liesmich-Datei wird ge\xC3\xB6\x66\x66net";

// The sections of one language (`suffix` ".tr"), or the base sections ("").
std::string Skin(const Texts& t, const std::string& suffix)
{
    const bool base = suffix.empty();
    return "[Screen" + suffix + "]\r\nMain=" + t.picture + (base ? "\r\nMask=mask.bmp" : "") + "\r\n[BUTTONINFO" +
           suffix + "]\r\n1=ID_BUTTON1,20,20,80,30," + t.tip + ",F\r\n" + (base ? "2=ID_EXIT,180,20,40,30,Exit,F\r\n" : "") +
           "[TEXTINFO" + suffix + "]\r\n1=ID_INFO,DejaVu Sans,0,0,16,0,10,100,220,24," + t.welcome + ",0\r\n";
}

std::string Inf(const Texts& t, const std::string& suffix)
{
    return "[RUN_FILES" + suffix + "]\r\nID_BUTTON1=" + t.readMe + "\r\n[TEXT_INFO" + suffix + "]\r\nID_BUTTON1=" +
           t.info + "\r\n";
}

// What a user of each first display language sees on the disc of three
// languages, written as authors may write them ("DE", "de_AT").
const struct View {
    const char* language;
    Texts texts;
} kViews[] = {
    {"tr-TR", kTurkish},
    {"de-AT", {kGerman.picture, kGerman.tip, kGerman.welcome, kGerman.readMe, kAustrian}}, // de, and de-AT's own text
    {"fr-FR", kBase}, // no French sections
    {"en-US", kBase},
};
const std::string kLanguageSkin = Skin(kBase, "") + Skin(kTurkish, ".tr") + Skin(kGerman, ".DE");
const std::string kLanguageInf =
    Inf(kBase, "") + Inf(kTurkish, ".tr") + Inf(kGerman, ".de") + "[TEXT_INFO.de_AT]\r\nID_BUTTON1=" + kAustrian + "\r\n";

// Files of the extension ".akdoc" open with `viewer` for the object's life.
// Wine reads file types from HKEY_LOCAL_MACHINE\Software\Classes only;
// Windows reads the user's Classes key too.
struct DocumentType {
    explicit DocumentType(const std::string& viewer)
    {
        Set(L"Software\\Classes\\.akdoc", L"AkDocument");
        Set(L"Software\\Classes\\AkDocument\\shell\\open\\command", L"\"" + platform::Wide(viewer) + L"\" \"%1\"");
    }
    ~DocumentType()
    {
        for (const wchar_t* key : {L"Software\\Classes\\AkDocument", L"Software\\Classes\\.akdoc"})
            ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
    }
    static void Set(const wchar_t* key, const std::wstring& value)
    {
        EXPECT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, REG_SZ, value.c_str(),
                                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
                  ERROR_SUCCESS);
    }
};

// A disc folder with the menu on it, the pictures, a read-me per language and
// the recorder as "viewer.exe".
struct LanguageDisc {
    LanguageDisc(const std::string& skin, const std::string& inf)
    {
        for (const auto& [name, from] : {std::pair{"autorun.exe", AutorunExePath()}, {"viewer.exe", RecorderExePath()}})
            EXPECT_TRUE(::CopyFileW(platform::Wide(from).c_str(), platform::Wide(dir.Write(name, "")).c_str(), FALSE));
        dir.Write("Data/main.ini", skin);
        dir.Write("AUTORUN.INF", inf);
        dir.Write("Data/mask.bmp", EncodeBmp24({kW, kH, std::vector<std::uint32_t>(std::size_t(kW) * kH, 0xFFFFFF)}));
        int seed = 0;
        for (const Texts* t : {&kBase, &kTurkish, &kGerman}) {
            dir.Write(std::string("Data/") + t->picture, EncodeBmp24(PatternPicture(kW, kH, seed += 60)));
            dir.Write(t->readMe, t->welcome);
        }
        if (process.Start(dir.File("autorun.exe"), dir.Path()))
            wnd = WaitForWindow(process.Id(), "Setup Wizard...", "#32770", 15000);
        ::SetForegroundWindow(wnd);
    }
    POINT OnScreen(POINT p) const
    {
        ::ClientToScreen(wnd, &p);
        return p;
    }
    RECT Screen() const { return RECT{OnScreen({0, 0}).x, OnScreen({0, 0}).y, OnScreen({kW, kH}).x, OnScreen({kW, kH}).y}; }
    // The window's pixels once two captures a while apart agree.
    std::vector<std::uint32_t> SettledScreen() const
    {
        std::vector<std::uint32_t> last, now;
        for (int waited = 0; waited < 5000 && (now.empty() || now != last); waited += 300) {
            last = std::move(now);
            Pump(300);
            now = CaptureScreen(Screen());
        }
        return now;
    }
    std::string InfoText() const
    {
        wchar_t text[256] = {};
        return platform::Narrow(text, static_cast<std::size_t>(
                                          ::GetWindowTextW(::ChildWindowFromPoint(wnd, POINT{20, 110}), text, 256)));
    }
    // The command line the viewer was started with; empty when it did not start in time.
    std::string Viewed(int ms) const
    {
        for (int waited = 0; waited <= ms; waited += 200, Pump(200))
            if (auto log = platform::ReadWholeFile(dir.File("viewer.exe.log")); log && !log->empty())
                return log->substr(0, log->find('\n'));
        return "";
    }

    TempDir dir;
    ChildProcess process; // ends before the folder is removed
    HWND wnd = nullptr;
};

TEST(MenuLanguage, TheDisplayLanguageChoosesThePictureTextsAndFiles)
{
    const std::vector<std::string> languages = platform::UserDisplayLanguages();
    ASSERT_FALSE(languages.empty());
    if (const std::string lcAll = std::getenv("LC_ALL") ? std::getenv("LC_ALL") : ""; lcAll.find('_') != std::string::npos) {
        ASSERT_EQ(languages.front(), lcAll.substr(0, lcAll.find('_')) + "-" + lcAll.substr(3, 2))
            << "the display language Wine reports for LC_ALL=" << lcAll;
    }
    const View* view = std::find_if(std::begin(kViews), std::end(kViews),
                                    [&](const View& v) { return languages.front() == v.language; });
    ASSERT_NE(view, std::end(kViews)) << "no case for the display language " << languages.front();
    const Texts& seen = view->texts;

    // The same menu with the language's values in its base sections and no
    // language sections, which in any language shows its base sections as
    // before: what the user must see.
    std::vector<std::uint32_t> expected;
    {
        LanguageDisc plain(Skin(seen, ""), Inf(seen, ""));
        ASSERT_TRUE(plain.wnd);
        expected = plain.SettledScreen();
        EXPECT_EQ(plain.InfoText(), seen.welcome);
    }
    LanguageDisc disc(kLanguageSkin, kLanguageInf);
    ASSERT_TRUE(disc.wnd);
    EXPECT_EQ(disc.InfoText(), seen.welcome);
    EXPECT_EQ(WaitForScreen(disc.Screen(), expected, 3000), 0) << "the picture and label text of " << seen.picture;

    const POINT button = disc.OnScreen({60, 35});
    MoveMouse(button.x, button.y);
    MoveMouse(button.x + 1, button.y);
    EXPECT_EQ(WaitForToolTip(disc.process.Id(), 3000, seen.tip), seen.tip);
    const DocumentType type(disc.dir.File("viewer.exe"));
    MouseButton(true);
    MouseButton(false);
    const std::string viewed = disc.Viewed(15000), opened = std::string("\\") + seen.readMe + "\"";
    EXPECT_TRUE(viewed.size() > opened.size() && viewed.compare(viewed.size() - opened.size(), opened.size(), opened) == 0)
        << "the viewer should open " << seen.readMe << ": " << viewed;
    EXPECT_EQ(disc.InfoText(), seen.info);
}

} // namespace
