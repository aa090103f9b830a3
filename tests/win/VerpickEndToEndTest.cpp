// verpick.exe started as a process on a disc folder written by the test. The
// programs it may start are copies of a recorder that writes its command line
// into "<its path>.log". Wine's per-program version setting decides which
// Windows verpick sees.
#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/ProgramPaths.h"
#include "platform/Win32Handles.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

namespace {

constexpr DWORD kTimeoutMs = 30000;

// HKCU\Software\Wine\AppDefaults\verpick.exe, value Version, for the life of the object.
UserRegistryValue WineVersionOfVerpick(const std::string& version)
{
    return UserRegistryValue("Software\\Wine\\AppDefaults\\verpick.exe", "Version", REG_SZ, version + '\0');
}

struct RunOutcome {
    DWORD exitCode = STILL_ACTIVE;
    DWORD processes = 0; // verpick and all that it started
    bool window = false; // a visible top-level window of verpick's own
};

struct WindowSearch {
    DWORD pid;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND wnd, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    if (pid == search->pid && ::IsWindowVisible(wnd))
        search->found = true;
    return TRUE;
}

// Starts the program in a job, so that what it starts can be counted and
// waited for, and watches for windows of its own while it runs.
RunOutcome RunInJob(const std::string& exe, const std::string& workingDir)
{
    RunOutcome outcome;
    platform::KernelHandle job(::CreateJobObjectA(nullptr, nullptr));
    if (!job)
        throw std::runtime_error("no job object");
    std::wstring commandLine = platform::Wide("\"" + exe + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(platform::Wide(exe).c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                          nullptr, platform::Wide(workingDir).c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + exe + ": error " + std::to_string(::GetLastError()));
    platform::KernelHandle process(info.hProcess);
    platform::KernelHandle thread(info.hThread);
    ::AssignProcessToJobObject(job.Get(), process.Get());
    ::ResumeThread(thread.Get());

    WindowSearch search{info.dwProcessId, false};
    const DWORD start = ::GetTickCount();
    while (::WaitForSingleObject(process.Get(), 10) == WAIT_TIMEOUT && ::GetTickCount() - start < kTimeoutMs)
        ::EnumWindows(&FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    outcome.window = search.found;
    ::GetExitCodeProcess(process.Get(), &outcome.exitCode);

    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    while (::GetTickCount() - start < kTimeoutMs) {
        ::QueryInformationJobObject(job.Get(), JobObjectBasicAccountingInformation, &accounting, sizeof accounting,
                                    nullptr);
        if (accounting.ActiveProcesses == 0)
            break;
        ::Sleep(20);
    }
    outcome.processes = accounting.TotalProcesses;
    return outcome;
}

struct Recorded {
    std::string commandLine;
    std::string show;
};

// A disc folder below a fresh temporary folder, holding verpick.exe.
class Disc {
public:
    explicit Disc(const std::string& folder) : m_dir(m_temp.File(folder) + "\\")
    {
        Copy(VerpickExePath(), m_dir + "verpick.exe");
    }

    // Program directory as verpick computes it.
    const std::string& Dir() const { return m_dir; }
    const TempDir& Temp() const { return m_temp; }

    void WriteConfig(const std::string& text) const { WriteFile(m_dir + "config.ini", text); }

    // A recorder at `path` (relative to the temporary folder when `besideDisc`).
    void PutRecorder(const std::string& relative, bool besideDisc = false) const
    {
        Copy(RecorderExePath(), besideDisc ? m_temp.File(relative) : m_dir + relative);
    }

    std::optional<Recorded> Log(const std::string& relative, bool besideDisc = false) const
    {
        const std::string path = (besideDisc ? m_temp.File(relative) : m_dir + relative) + ".log";
        std::optional<std::string> text = platform::ReadWholeFile(path);
        if (!text)
            return std::nullopt;
        const std::size_t end = text->find('\n');
        Recorded r{text->substr(0, end), end == std::string::npos ? "" : text->substr(end + 1)};
        return r;
    }

    RunOutcome Run() const { return RunInJob(m_dir + "verpick.exe", m_temp.Path()); }

private:
    static void Copy(const std::string& from, const std::string& to)
    {
        std::filesystem::create_directories(std::filesystem::u8path(to).parent_path());
        if (!::CopyFileW(platform::Wide(from).c_str(), platform::Wide(to).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + from + " to " + to);
    }
    static void WriteFile(const std::string& path, const std::string& text)
    {
        std::FILE* f = ::_wfopen(platform::Wide(path).c_str(), L"wb");
        ASSERT_NE(f, nullptr) << path;
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }

    TempDir m_temp;
    std::string m_dir;
};

const char* const kBothPrograms = "[FILES_NAME]\r\n"
                                  "VISTA=vista\\recorder.exe /s \"C:\\Some Path\\a b.txt\"  --x=1\r\n"
                                  "XP=xp\\recorder.exe /xp\r\n";

void ExpectStartedOnly(const Disc& disc, const RunOutcome& run, const std::string& started,
                       const std::string& notStarted)
{
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_FALSE(run.window);
    EXPECT_EQ(run.processes, 2u);
    EXPECT_TRUE(disc.Log(started).has_value()) << started;
    EXPECT_FALSE(disc.Log(notStarted).has_value()) << notStarted;
}

TEST(VerpickEndToEnd, StartsTheVistaProgramOnWinesDefaultVersionWithItsArguments)
{
    Disc disc("disc");
    disc.WriteConfig(kBothPrograms);
    disc.PutRecorder("vista\\recorder.exe");
    disc.PutRecorder("xp\\recorder.exe");

    const RunOutcome run = disc.Run();
    ExpectStartedOnly(disc, run, "vista\\recorder.exe", "xp\\recorder.exe");
    const auto log = disc.Log("vista\\recorder.exe");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->commandLine, "\"" + disc.Dir() + "vista\\recorder.exe\" /s \"C:\\Some Path\\a b.txt\"  --x=1");
    EXPECT_EQ(log->show, "show=5\n"); // SW_SHOW
}

struct VersionCase {
    const char* wineVersion;
    const char* program;
};

class VerpickVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VerpickVersionTest, StartsTheProgramOfTheReportedVersion)
{
    const VersionCase& c = GetParam();
    Disc disc("disc");
    disc.WriteConfig(kBothPrograms);
    disc.PutRecorder("vista\\recorder.exe");
    disc.PutRecorder("xp\\recorder.exe");

    const UserRegistryValue version = WineVersionOfVerpick(c.wineVersion);
    const RunOutcome run = disc.Run();
    const std::string other = std::string(c.program) == "xp" ? "vista" : "xp";
    ExpectStartedOnly(disc, run, std::string(c.program) + "\\recorder.exe", other + "\\recorder.exe");
    if (const auto log = disc.Log("xp\\recorder.exe")) {
        EXPECT_EQ(log->commandLine, "\"" + disc.Dir() + "xp\\recorder.exe\" /xp");
    }
}

// Wine takes every version name, the old 9x and Win32s ones included, for a
// 64-bit verpick (Wine 8 and 10) and a 32-bit one (Wine 10).
INSTANTIATE_TEST_SUITE_P(Wine, VerpickVersionTest,
                         ::testing::Values(VersionCase{"winxp", "xp"}, VersionCase{"win2k", "xp"},
                                           VersionCase{"win98", "xp"}, VersionCase{"win31", "xp"},
                                           VersionCase{"winxp64", "vista"}, VersionCase{"win10", "vista"}),
                         [](const auto& param) { return std::string(param.param.wineVersion); });

TEST(VerpickEndToEnd, StartsNothingWithoutFileSectionOrKey)
{
    struct Case {
        const char* what;
        const char* config; // null: no config.ini
    };
    for (const Case& c : {Case{"no config.ini", nullptr}, Case{"no section", "[OTHER]\r\nVISTA=recorder.exe\r\n"},
                          Case{"no key", "[FILES_NAME]\r\nXP=recorder.exe\r\n"}}) {
        // A blank in the folder's name, and a program named after the part before it.
        Disc disc("My Disc");
        if (c.config)
            disc.WriteConfig(c.config);
        disc.PutRecorder("recorder.exe");
        disc.PutRecorder("My.exe", true);

        const RunOutcome run = disc.Run();
        EXPECT_EQ(run.exitCode, 0u) << c.what;
        EXPECT_FALSE(run.window) << c.what;
        EXPECT_EQ(run.processes, 1u) << c.what;
        EXPECT_FALSE(disc.Log("recorder.exe")) << c.what;
        EXPECT_FALSE(disc.Log("My.exe", true)) << c.what;
    }
}

TEST(VerpickEndToEnd, BlanksDoNotStartAProgramNamedAfterThePartBeforeThem)
{
    struct Case {
        const char* folder;
        const char* value;
        const char* program;
        const char* decoy;
        bool decoyBesideDisc;
    };
    // config.ini in UTF-8: a Turkish name that the ANSI code page (1252 here) cannot hold.
    for (const Case& c : {Case{"My Disc", "recorder.exe /v", "recorder.exe", "My.exe", true},
                          Case{"disc", "my setup.exe /q", "my setup.exe", "my.exe", false},
                          Case{"Disk \xC5\x9F", "Setup\\Vista\\Kurulum \xC5\x9F.exe /s:\xC4\xB0", "Setup\\Vista\\Kurulum \xC5\x9F.exe",
                               "Setup\\Vista\\Kurulum.exe", false}}) {
        Disc disc(c.folder);
        disc.WriteConfig(std::string("[FILES_NAME]\r\nVISTA=") + c.value + "\r\n");
        disc.PutRecorder(c.program);
        disc.PutRecorder(c.decoy, c.decoyBesideDisc);

        const RunOutcome run = disc.Run();
        EXPECT_EQ(run.exitCode, 0u) << c.value;
        EXPECT_FALSE(disc.Log(c.decoy, c.decoyBesideDisc)) << c.value;
        const auto log = disc.Log(c.program);
        ASSERT_TRUE(log) << c.value;
        const std::string value = c.value;
        const std::size_t args = std::string(c.value).rfind(' ');
        EXPECT_EQ(log->commandLine, "\"" + disc.Dir() + value.substr(0, args) + "\"" + value.substr(args));
    }
}

// A program that only the 64-bit system folder holds, for the life of the
// object. This test is a 64-bit process: its system32 is the real one.
class ProgramInSystemFolder {
public:
    ProgramInSystemFolder()
    {
        char windows[MAX_PATH] = {};
        const UINT n = ::GetWindowsDirectoryA(windows, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            throw std::runtime_error("no Windows folder");
        m_windows = std::string(windows, n) + "\\";
        m_name = "ak-recorder-" + std::to_string(::GetCurrentProcessId()) + ".exe";
        if (!::CopyFileA(RecorderExePath().c_str(), Path().c_str(), FALSE))
            throw std::runtime_error("cannot copy the recorder to " + Path());
    }
    ~ProgramInSystemFolder()
    {
        ::DeleteFileA(Path().c_str());
        ::DeleteFileA((Path() + ".log").c_str());
    }
    ProgramInSystemFolder(const ProgramInSystemFolder&) = delete;
    ProgramInSystemFolder& operator=(const ProgramInSystemFolder&) = delete;

    std::string Path() const { return m_windows + "system32\\" + m_name; }
    // Where a 32-bit program that leaves redirection on looks instead.
    std::string RedirectedPath() const { return m_windows + "SysWOW64\\" + m_name; }
    // The same file as a path relative to `dir` (a folder on the same drive, ending in a backslash).
    std::string RelativeTo(const std::string& dir) const
    {
        std::string up;
        for (std::size_t i = 3; i < dir.size(); ++i)
            if (dir[i] == '\\')
                up += "..\\";
        return up + Path().substr(3);
    }

private:
    std::string m_windows;
    std::string m_name;
};

// Under WOW64 a 32-bit program's "system32" is SysWOW64, unless it switches
// redirection off (Microsoft's "File System Redirector"): verpick does, so the
// 32-bit build starts what the 64-bit system folder holds. The 64-bit build
// sees that folder anyway.
TEST(VerpickEndToEnd, StartsAProgramThatOnlyThe64BitSystemFolderHolds)
{
    Disc disc("disc");
    ProgramInSystemFolder program;
    ASSERT_FALSE(platform::IsExistingFile(program.RedirectedPath())) << program.RedirectedPath();
    disc.WriteConfig("[FILES_NAME]\r\nVISTA=" + program.RelativeTo(disc.Dir()) + " /64\r\nXP=" +
                     program.RelativeTo(disc.Dir()) + " /64\r\n");

    const RunOutcome run = disc.Run();
    EXPECT_EQ(run.exitCode, 0u);
    std::optional<std::string> log = platform::ReadWholeFile(program.Path() + ".log");
    ASSERT_TRUE(log) << "verpick did not start " << program.Path();
    EXPECT_EQ(log->substr(0, log->find('\n')), "\"" + disc.Dir() + program.RelativeTo(disc.Dir()) + "\" /64");
}

TEST(VerpickEndToEnd, UsesTheFirst255CharactersOfTheValue)
{
    Disc disc("disc");
    const std::string value = "recorder.exe " + std::string(287, 'a');
    disc.WriteConfig("[FILES_NAME]\r\nVISTA=" + value + "\r\n");
    disc.PutRecorder("recorder.exe");

    disc.Run();
    const auto log = disc.Log("recorder.exe");
    ASSERT_TRUE(log);
    EXPECT_EQ(log->commandLine, "\"" + disc.Dir() + "recorder.exe\" " + std::string(255 - 13, 'a'));
}

} // namespace
