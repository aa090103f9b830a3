// The built verpick.exe carries its resources where Windows looks for them.
#include "tests/win/support/ProgramPaths.h"
#include "platform/Win32Handles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(VerpickResources, ManifestIconAndVersionBlockAreWhereWindowsLooks)
{
    platform::Library exe(::LoadLibraryExA(VerpickExePath().c_str(), nullptr,
                                           LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(exe) << VerpickExePath();
    EXPECT_NE(::FindResourceA(exe.Get(), MAKEINTRESOURCEA(128), MAKEINTRESOURCEA(14)), nullptr); // group icon
    EXPECT_NE(::FindResourceA(exe.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr);   // version

    HRSRC found = ::FindResourceA(exe.Get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    HGLOBAL loaded = ::LoadResource(exe.Get(), found); // part of the mapped file: not freed
    const char* bytes = static_cast<const char*>(::LockResource(loaded));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, ::SizeofResource(exe.Get(), found));
    for (const char* part : {"name=\"setup.exe\"", "<description>Setup Wizard</description>",
                             "level=\"requireAdministrator\""})
        EXPECT_NE(manifest.find(part), std::string::npos) << part << " in\n" << manifest;
}

} // namespace
