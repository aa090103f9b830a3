// autorun.exe in the user's display language. Wine takes the display language
// from LC_ALL when a program is started from Unix, and the programs it starts
// inherit it: ctest runs this program once per language (tr_TR, de_AT, fr_FR),
// and without LC_ALL it runs as an English user.
#include "tests/support/Bmp.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/ProgramPaths.h"
#include "platform/FileSystem.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

namespace {

constexpr int kW = 240, kH = 140;
const RECT kInfoRect{10, 100, 230, 124};
const POINT kReadMeButton{60, 35};

// What a user sees of the menu below: its picture, the button's tooltip, the
// label's text, the file the button opens and the text it then shows.
struct Texts {
    const char* picture;
    const char* tip;
    const char* welcome;
    const char* readMe;
    const char* info;
};
// The read-mes have an extension of the test's own, which the recorder opens
// (DocumentType): no viewer that the Wine prefix may or may not have decides.
const Texts kBase{"main.bmp", "Read me", "Welcome", "README.akdoc", "Opening the read-me"};
const Texts kTurkish{"ana.bmp", "Beni oku", "Ho\xC5\x9F geldiniz", "BEN\xC4\xB0OKU.akdoc",
                     "Beni oku dosyas\xC4\xB1 a\xC3\xA7\xC4\xB1l\xC4\xB1yor"};
const Texts kGerman{"haupt.bmp", "Lies mich", "Willkommen", "LIESMICH.akdoc", "Die Liesmich-Datei wird ge\xC3\xB6\x66\x66net"};
const char kAustrian[] = "Servus! Die Liesmich-Datei wird ge\xC3\xB6\x66\x66net";

// The sections of one language (`suffix` ".tr"), or the base sections ("").
std::string Skin(const Texts& t, const std::string& suffix)
{
    const bool base = suffix.empty();
    return "[Screen" + suffix + "]\r\nMain=" + t.picture + "\r\n" + (base ? "Mask=mask.bmp\r\n" : "") +
           "[BUTTONINFO" + suffix + "]\r\n1=ID_BUTTON1,20,20,80,30," + t.tip + ",F\r\n" +
           (base ? "2=ID_EXIT,180,20,40,30,Exit,F\r\n" : "") + "[TEXTINFO" + suffix +
           "]\r\n1=ID_INFO,DejaVu Sans,0,0,16,0,10,100,220,24," + t.welcome + ",0\r\n";
}

std::string Inf(const Texts& t, const std::string& suffix)
{
    return "[RUN_FILES" + suffix + "]\r\nID_BUTTON1=" + t.readMe + "\r\n[TEXT_INFO" + suffix +
           "]\r\nID_BUTTON1=" + t.info + "\r\n";
}

// The disc with its sections in three languages, written as authors may
// write them ("DE", "de_AT"); and what a user of each display language sees.
const std::string kLanguageSkin = Skin(kBase, "") + Skin(kTurkish, ".tr") + Skin(kGerman, ".DE");
const std::string kLanguageInf =
    Inf(kBase, "") + Inf(kTurkish, ".tr") + Inf(kGerman, ".de") + "[TEXT_INFO.de_AT]\r\nID_BUTTON1=" + kAustrian + "\r\n";

struct View {
    const char* language; // the first display language Wine reports
    Texts texts;
};
const View kViews[] = {
    {"tr-TR", kTurkish},
    // Austrian German: German, but the Austrian text where there is one.
    {"de-AT", {kGerman.picture, kGerman.tip, kGerman.welcome, kGerman.readMe, kAustrian}},
    {"fr-FR", kBase}, // no French sections: the base
    {"en-US", kBase},
};

std::string FirstDisplayLanguage()
{
    ULONG count = 0, size = 0;
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return "";
    std::wstring list(size, L'\0');
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, list.data(), &size))
        return "";
    return platform::Narrow(list.c_str(), wcslen(list.c_str()));
}

// A disc folder with the menu on it, its pictures, and a read-me per language.
class LanguageDisc {
public:
    LanguageDisc(const std::string& skin, const std::string& inf)
    {
        m_dir.Write("autorun.exe", "");
        EXPECT_TRUE(::CopyFileW(platform::Wide(AutorunExePath()).c_str(),
                                platform::Wide(m_dir.File("autorun.exe")).c_str(), FALSE));
        m_dir.Write("Data/main.ini", skin);
        m_dir.Write("AUTORUN.INF", inf);
        const TestPicture mask{kW, kH, std::vector<std::uint32_t>(std::size_t(kW) * kH, 0xFFFFFF)};
        m_dir.Write("Data/mask.bmp", EncodeBmp24(mask));
        m_dir.Write("viewer.exe", "");
        EXPECT_TRUE(::CopyFileW(platform::Wide(RecorderExePath()).c_str(),
                                platform::Wide(m_dir.File("viewer.exe")).c_str(), FALSE));
        int seed = 0;
        for (const Texts* t : {&kBase, &kTurkish, &kGerman}) {
            m_dir.Write(std::string("Data/") + t->picture, EncodeBmp24(PatternPicture(kW, kH, seed += 60)));
            m_dir.Write(t->readMe, std::string(t->welcome) + "\r\n");
        }
    }

    bool Start()
    {
        m_wnd = m_process.Start(m_dir.File("autorun.exe"), m_dir.Path())
                    ? WaitForWindow(m_process.Id(), "Setup Wizard...", "#32770", 15000)
                    : nullptr;
        if (m_wnd)
            ::SetForegroundWindow(m_wnd);
        return m_wnd != nullptr;
    }
    RECT ScreenRect(RECT r = {0, 0, kW, kH}) const
    {
        ::MapWindowPoints(m_wnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    // The window's pixels once two captures a while apart agree.
    std::vector<std::uint32_t> SettledScreen() const
    {
        std::vector<std::uint32_t> last;
        for (int waited = 0; waited < 5000; waited += 300) {
            Pump(300);
            std::vector<std::uint32_t> now = CaptureScreen(ScreenRect());
            if (now == last)
                break;
            last = std::move(now);
        }
        return last;
    }
    std::string InfoText() const
    {
        wchar_t text[256] = {};
        HWND label = ::ChildWindowFromPoint(m_wnd, POINT{kInfoRect.left + 5, kInfoRect.top + 5});
        const int n = label && label != m_wnd ? ::GetWindowTextW(label, text, 256) : 0;
        return platform::Narrow(text, static_cast<std::size_t>(n > 0 ? n : 0));
    }
    void Point(POINT at) const
    {
        ::ClientToScreen(m_wnd, &at);
        MoveMouse(at.x, at.y);
        MoveMouse(at.x + 1, at.y);
    }
    DWORD Pid() const { return m_process.Id(); }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    // The command line the viewer was started with; empty when it did not start in time.
    std::string Viewed(int ms) const
    {
        for (int waited = 0; waited <= ms; waited += 200) {
            if (auto log = platform::ReadWholeFile(m_dir.File("viewer.exe.log")); log && !log->empty())
                return log->substr(0, log->find('\n'));
            Pump(200);
        }
        return "";
    }

private:
    TempDir m_dir;
    ChildProcess m_process; // ends before the folder is removed
    HWND m_wnd = nullptr;
};

// Files of the extension ".akdoc" open with `viewer` for the life of the
// object. Wine reads file types from HKEY_LOCAL_MACHINE\Software\Classes only;
// Windows would also read them from the user's Classes key.
class DocumentType {
public:
    explicit DocumentType(const std::string& viewer)
    {
        Set(L"Software\\Classes\\.akdoc", L"AkDocument");
        Set(L"Software\\Classes\\AkDocument\\shell\\open\\command", L"\"" + platform::Wide(viewer) + L"\" \"%1\"");
    }
    ~DocumentType()
    {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\AkDocument");
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.akdoc");
    }
    DocumentType(const DocumentType&) = delete;
    DocumentType& operator=(const DocumentType&) = delete;

private:
    static void Set(const wchar_t* key, const std::wstring& value)
    {
        HKEY k = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &k, nullptr),
                  ERROR_SUCCESS);
        ::RegSetValueExW(k, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        ::RegCloseKey(k);
    }
};

TEST(MenuLanguage, TheDisplayLanguageChoosesThePictureTextsAndFiles)
{
    const std::string language = FirstDisplayLanguage();
    if (const char* lcAll = std::getenv("LC_ALL"); lcAll && *lcAll && std::string(lcAll).find('_') != std::string::npos) {
        std::string expected(lcAll, std::string(lcAll).find('.'));
        expected[expected.find('_')] = '-';
        ASSERT_EQ(language, expected) << "the display language Wine reports for LC_ALL=" << lcAll;
    }
    const View* view = nullptr;
    for (const View& v : kViews)
        if (language == v.language)
            view = &v;
    ASSERT_TRUE(view) << "no case for the display language " << language;
    const Texts& seen = view->texts;

    // The same menu with the language's values in its base sections and no
    // language sections: what the user must see. In any language such a
    // disc shows its base sections, as before.
    std::vector<std::uint32_t> expected;
    {
        LanguageDisc plain(Skin(seen, ""), Inf(seen, ""));
        ASSERT_TRUE(plain.Start());
        expected = plain.SettledScreen();
        EXPECT_EQ(plain.InfoText(), seen.welcome);
    }

    LanguageDisc disc(kLanguageSkin, kLanguageInf);
    ASSERT_TRUE(disc.Start());
    EXPECT_EQ(disc.InfoText(), seen.welcome);
    // The language's picture, and the label's text drawn on it.
    EXPECT_EQ(WaitForScreen(disc.ScreenRect(), expected, 3000), 0) << language << ": the screen of " << seen.picture;

    disc.Point(kReadMeButton);
    EXPECT_EQ(WaitForToolTip(disc.Pid(), 3000, seen.tip), seen.tip);
    const DocumentType type(disc.File("viewer.exe"));
    MouseButton(true);
    MouseButton(false);
    const std::string viewed = disc.Viewed(15000), opened = std::string("\\") + seen.readMe + "\"";
    EXPECT_TRUE(viewed.size() > opened.size() && viewed.compare(viewed.size() - opened.size(), opened.size(), opened) == 0)
        << "the viewer should open " << seen.readMe << ": " << viewed;
    EXPECT_EQ(disc.InfoText(), seen.info);
}

} // namespace
