#include "launcher/LaunchPlan.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

using launcher::VersionClass;

TEST(ChooseConfigKey, OnlyVistaAndLaterReadVista)
{
    for (int c = 0; c <= 8; ++c) {
        const auto versionClass = static_cast<VersionClass>(c);
        EXPECT_STREQ(launcher::ChooseConfigKey(versionClass), c == 8 ? "VISTA" : "XP") << c;
    }
}

// Shift-JIS lead bytes: the second byte of a character may be 0x5C, the backslash.
bool ShiftJisLead(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

struct DirCase {
    std::string programPath;
    std::string dir;
    bool dbcs;
};

void PrintTo(const DirCase& c, std::ostream* os)
{
    *os << CaseName(c.programPath.substr(0, 40)) << (c.dbcs ? " (double-byte code page)" : "");
}

class ProgramDirTest : public ::testing::TestWithParam<DirCase> {};

TEST_P(ProgramDirTest, KeepsDriveAndDirectoryWithTheBackslash)
{
    const DirCase& c = GetParam();
    launcher::LeadBytePredicate lead;
    if (c.dbcs)
        lead = ShiftJisLead;
    EXPECT_EQ(launcher::GetProgramDir(c.programPath, lead), c.dir);
}

const std::string kDeepDir = "C:\\" + std::string(150, 'a') + "\\" + std::string(150, 'b') + "\\";

INSTANTIATE_TEST_SUITE_P(
    Paths, ProgramDirTest,
    ::testing::Values(DirCase{"D:\\verpick.exe", "D:\\", false},
                      DirCase{"C:\\Program Files\\My Disc\\verpick.exe", "C:\\Program Files\\My Disc\\", false},
                      DirCase{"\\\\server\\share\\disc\\verpick.exe", "\\\\server\\share\\disc\\", false},
                      DirCase{"C:/disc/sub\\verpick.exe", "C:/disc/sub\\", false},
                      DirCase{kDeepDir + "verpick.exe", kDeepDir, false},
                      // "\x95\x5C" is one character; its second byte is no separator.
                      DirCase{"D:\\disc\\\x95\x5C.exe", "D:\\disc\\", true},
                      DirCase{"D:\\\x95\x5C\\verpick.exe", "D:\\\x95\x5C\\", true}),
    [](const auto& param) { return CaseName(param.param.programPath.substr(0, 40)) + (param.param.dbcs ? "_dbcs" : ""); });

// A disc with the given files; records what was looked for.
struct FakeDisc {
    std::set<std::string> files;
    std::vector<std::string> asked;

    std::function<bool(const std::string&)> Exists()
    {
        return [this](const std::string& p) {
            asked.push_back(p);
            return files.count(p) != 0;
        };
    }
};

struct LineCase {
    const char* what;
    std::string dir;
    std::string value;
    std::set<std::string> files;
    std::string line;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.what;
}

class CommandLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(CommandLineTest, QuotesTheProgramThatExists)
{
    const LineCase& c = GetParam();
    FakeDisc disc{c.files, {}};
    EXPECT_EQ(launcher::BuildCommandLine(c.dir, c.value, disc.Exists()), c.line) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineTest,
    ::testing::Values(
        LineCase{"root of a drive", "D:\\", "vista\\install.exe", {"D:\\vista\\install.exe"},
                 "\"D:\\vista\\install.exe\""},
        LineCase{"arguments follow unchanged", "D:\\", "install.exe /s", {"D:\\install.exe"},
                 "\"D:\\install.exe\" /s"},
        LineCase{"blank in the directory", "E:\\My Disc\\", "setup.exe /s", {"E:\\My Disc\\setup.exe"},
                 "\"E:\\My Disc\\setup.exe\" /s"},
        LineCase{"blank in the value: the longest existing part wins", "E:\\Disc\\", "my setup.exe /q",
                 {"E:\\Disc\\my", "E:\\Disc\\my setup.exe"}, "\"E:\\Disc\\my setup.exe\" /q"},
        LineCase{"blanks in the arguments", "E:\\My Disc\\", "setup.exe  /dir \"C:\\Program Files\\X\"\t/s",
                 {"E:\\My Disc\\setup.exe"}, "\"E:\\My Disc\\setup.exe\"  /dir \"C:\\Program Files\\X\"\t/s"},
        LineCase{"a tab ends the program", "E:\\", "setup.exe\t/s", {"E:\\setup.exe"}, "\"E:\\setup.exe\"\t/s"},
        LineCase{"no such file: joined as it is", "E:\\My Disc\\", "missing.exe /s", {},
                 "E:\\My Disc\\missing.exe /s"},
        LineCase{"empty value: the directory itself", "E:\\My Disc\\", "", {}, "E:\\My Disc\\"},
        LineCase{"a folder is no program", "E:\\", "tools /s", {}, "E:\\tools /s"},
        LineCase{"network path", "\\\\srv\\share\\disc\\", "xp\\setup.exe -x", {"\\\\srv\\share\\disc\\xp\\setup.exe"},
                 "\"\\\\srv\\share\\disc\\xp\\setup.exe\" -x"}),
    [](const auto& param) { return CaseName(param.param.what); });

TEST(BuildCommandLine, UsesAtMost255CharactersOfTheValue)
{
    FakeDisc none;
    const std::string value(300, 'v');
    EXPECT_EQ(launcher::BuildCommandLine("D:\\", value, none.Exists()), "D:\\" + value.substr(0, 255));

    FakeDisc disc{{"D:\\run.exe"}, {}};
    const std::string withArgs = "run.exe " + std::string(292, 'a');
    EXPECT_EQ(launcher::BuildCommandLine("D:\\", withArgs, disc.Exists()),
              "\"D:\\run.exe\" " + std::string(255 - 8, 'a'));
    for (const std::string& asked : disc.asked)
        EXPECT_LE(asked.size(), 3u + 255u);
}

// Records every platform call of one run, in order.
class FakeServices : public launcher::LaunchServices {
public:
    bool m_wow64 = false;
    std::string m_programPath = "E:\\My Disc\\verpick.exe";
    launcher::VersionRecord m_version{6, 1};
    std::string m_value;
    std::set<std::string> m_files;
    std::vector<std::string> m_calls;

    std::uint32_t GetVersionWord() override
    {
        m_calls.push_back("GetVersion");
        return m_version.major | (m_version.minor << 8);
    }
    std::optional<launcher::VersionRecord> QueryVersionRecord() override
    {
        m_calls.push_back("GetVersionEx");
        return m_version;
    }
    bool IsWow64() override
    {
        m_calls.push_back("IsWow64");
        return m_wow64;
    }
    void DisableWow64Redirection() override { m_calls.push_back("DisableWow64Redirection"); }
    std::string ProgramFilePath() override
    {
        m_calls.push_back("ProgramFilePath");
        return m_programPath;
    }
    bool IsLeadByte(unsigned char b) override { return ShiftJisLead(b); }
    std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                                  std::size_t bufferChars) override
    {
        m_calls.push_back("Read " + path + " [" + section + "] " + key + " " + std::to_string(bufferChars));
        return m_value;
    }
    bool IsExistingFile(const std::string& path) override { return m_files.count(path) != 0; }
    void StartProgram(const std::string& commandLine) override { m_calls.push_back("Start " + commandLine); }
};

TEST(RunLauncher, SwitchesRedirectionOffFirstAndOnlyUnderWow64)
{
    for (bool wow64 : {true, false}) {
        FakeServices fake;
        fake.m_wow64 = wow64;
        fake.m_value = "setup.exe";
        fake.m_files = {"E:\\My Disc\\setup.exe"};
        launcher::RunLauncher(fake);

        std::vector<std::string> expected{"IsWow64"};
        if (wow64)
            expected.push_back("DisableWow64Redirection");
        for (const char* call : {"ProgramFilePath", "GetVersion", "GetVersionEx"})
            expected.push_back(call);
        expected.push_back("Read E:\\My Disc\\config.ini [FILES_NAME] VISTA 256");
        expected.push_back("Start \"E:\\My Disc\\setup.exe\"");
        EXPECT_EQ(fake.m_calls, expected) << "wow64 " << wow64;
    }
}

TEST(RunLauncher, ReadsTheKeyOfTheVersionAndStartsItsProgram)
{
    struct Case {
        launcher::VersionRecord version;
        const char* key;
    };
    for (const Case& c : {Case{{6, 1}, "VISTA"}, Case{{5, 2}, "VISTA"}, Case{{10, 0}, "VISTA"}, Case{{5, 1}, "XP"},
                          Case{{5, 0}, "XP"}}) {
        FakeServices fake;
        fake.m_programPath = "D:\\verpick.exe";
        fake.m_version = c.version;
        fake.m_value = "vista\\install.exe /s";
        fake.m_files = {"D:\\vista\\install.exe"};
        EXPECT_EQ(launcher::RunLauncher(fake), "D:\\");
        ASSERT_GE(fake.m_calls.size(), 2u);
        EXPECT_EQ(fake.m_calls[fake.m_calls.size() - 2], std::string("Read D:\\config.ini [FILES_NAME] ") + c.key + " 256");
        EXPECT_EQ(fake.m_calls.back(), "Start \"D:\\vista\\install.exe\" /s");
    }
}

TEST(RunLauncher, WithoutAValueStartsNothing)
{
    // "E:\My Disc\" as a command line would start E:\My.exe where there is one.
    FakeServices fake;
    EXPECT_EQ(launcher::RunLauncher(fake), "E:\\My Disc\\");
    EXPECT_EQ(fake.m_calls.back(), "Read E:\\My Disc\\config.ini [FILES_NAME] VISTA 256");
}

TEST(RunLauncher, SplitsTheProgramPathByTheCodePage)
{
    FakeServices fake;
    fake.m_programPath = "D:\\disc\\\x95\x5C.exe";
    EXPECT_EQ(launcher::RunLauncher(fake), "D:\\disc\\");
}

} // namespace
