// The WOW64 step with stand-ins for the looked-up functions, and the real
// lookups of this (64-bit) process.
#include "launcher/Wow64.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "tests/support/TempDir.h"
#include "launcher/Win32LaunchServices.h"

#include <gtest/gtest.h>

namespace {

int g_disableCalls = 0;
bool g_disableGotPlace = false;

BOOL WINAPI AnswersWow64(HANDLE process, PBOOL wow64)
{
    *wow64 = process == ::GetCurrentProcess();
    return TRUE;
}

BOOL WINAPI Fails(HANDLE, PBOOL wow64)
{
    *wow64 = TRUE; // written, but the call says it failed
    ::SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

BOOL WINAPI RecordsDisable(PVOID* oldValue)
{
    ++g_disableCalls;
    g_disableGotPlace = oldValue != nullptr;
    if (oldValue)
        *oldValue = reinterpret_cast<PVOID>(1);
    return TRUE;
}

TEST(Wow64, AnswersWhatIsWow64ProcessSaysForThisProcess)
{
    EXPECT_TRUE(launcher::IsWow64(&AnswersWow64));
    EXPECT_FALSE(launcher::IsWow64(&Fails));
}

TEST(Wow64, MissingFunctionsMeanNoAndNothing)
{
    EXPECT_FALSE(launcher::IsWow64(nullptr));
    g_disableCalls = 0;
    launcher::DisableWow64Redirection(nullptr);
    EXPECT_EQ(g_disableCalls, 0);
}

TEST(Wow64, DisablesWithAPlaceForTheOldState)
{
    g_disableCalls = 0;
    g_disableGotPlace = false;
    launcher::DisableWow64Redirection(&RecordsDisable);
    EXPECT_EQ(g_disableCalls, 1);
    EXPECT_TRUE(g_disableGotPlace);
}

TEST(Wow64, ARealSixtyFourBitProcessIsNotUnderWow64)
{
    static_assert(sizeof(void*) == 8, "the tests run as 64-bit programs");
    ASSERT_NE(launcher::FindIsWow64Process(), nullptr);
    EXPECT_NE(launcher::FindDisableWow64Redirection(), nullptr);
    launcher::Win32LaunchServices services;
    EXPECT_FALSE(services.IsWow64());
}

TEST(Win32LaunchServices, TellsFilesFromFoldersAndFindsItsOwnProgram)
{
    TempDir dir;
    const std::string file = dir.Write("My Disc/setup.exe", "MZ");
    launcher::Win32LaunchServices services;
    EXPECT_TRUE(services.IsExistingFile(file));
    EXPECT_FALSE(services.IsExistingFile(dir.File("My Disc")));
    EXPECT_FALSE(services.IsExistingFile(dir.File("My Disc/other.exe")));

    const std::string self = services.ProgramFilePath();
    EXPECT_TRUE(platform::IsExistingFile(self)) << self;
    EXPECT_EQ(self.substr(self.size() - 4), ".exe");
}

TEST(ModuleFileName, GrowsTheBufferUntilThePathFits)
{
    const std::string full = platform::ModuleFileName();
    ASSERT_GT(full.size(), 8u);
    for (std::size_t start : {std::size_t(0), std::size_t(1), std::size_t(7), full.size(), full.size() + 1})
        EXPECT_EQ(platform::ModuleFileName(nullptr, start), full) << start;
}

} // namespace
