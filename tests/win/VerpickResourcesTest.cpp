// The built programs carry their resources where Windows looks for them.
#include "tests/win/support/ProgramPaths.h"
#include "platform/Win32Handles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

platform::Library ResourcesOf(const std::string& exe)
{
    return platform::Library(
        ::LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

TEST(VerpickResources, IconAndVersionBlockAreWhereWindowsLooks)
{
    platform::Library exe = ResourcesOf(VerpickExePath());
    ASSERT_TRUE(exe) << VerpickExePath();
    EXPECT_NE(::FindResourceA(exe.Get(), MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr); // group icon
    EXPECT_NE(::FindResourceA(exe.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);   // version
}

// Both manifests ask for administrator rights and declare per-monitor DPI
// awareness: v2 with v1 as the fallback in one element, as Windows 10 reads
// it, and dpiAware for Windows 8.1 and before.
TEST(ProgramResources, ManifestsAskForAdministratorAndDeclarePerMonitorDpi)
{
    const struct {
        std::string exe;
        const char* name;
    } programs[] = {{VerpickExePath(), "name=\"setup.exe\""}, {AutorunExePath(), "name=\"autorun.exe\""}};
    for (const auto& program : programs) {
        platform::Library exe = ResourcesOf(program.exe);
        ASSERT_TRUE(exe) << program.exe;
        HRSRC found = ::FindResourceA(exe.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        ASSERT_NE(found, nullptr) << program.exe;
        HGLOBAL loaded = ::LoadResource(exe.Get(), found); // part of the mapped file: not freed
        const char* bytes = static_cast<const char*>(::LockResource(loaded));
        ASSERT_NE(bytes, nullptr) << program.exe;
        const std::string manifest(bytes, ::SizeofResource(exe.Get(), found));
        for (const char* part :
             {program.name, "<description>Setup Wizard</description>", "level=\"requireAdministrator\"",
              "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>",
              "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2, "
              "PerMonitor</dpiAwareness>"})
            EXPECT_NE(manifest.find(part), std::string::npos) << part << " in\n" << manifest;
    }
}

} // namespace
