#include "platform/WinPath.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace {

struct PathCase {
    const char* path;
    const char* cwd;
    const char* full;
};

class ResolveFullPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(ResolveFullPathTest, MatchesWindowsRules)
{
    const auto& c = GetParam();
    EXPECT_EQ(platform::ResolveFullPath(c.path, c.cwd), c.full) << c.path << " in " << c.cwd;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ResolveFullPathTest,
    ::testing::Values(PathCase{"C:\\main.ini", "D:\\x", "C:\\main.ini"},
                      PathCase{"main.ini", "D:\\Disc\\Data", "D:\\Disc\\Data\\main.ini"},
                      PathCase{"main.ini", "D:\\", "D:\\main.ini"},
                      PathCase{"Data/main.ini", "E:\\", "E:\\Data\\main.ini"},
                      PathCase{"..\\a\\.\\b.ini", "C:\\x\\y", "C:\\x\\a\\b.ini"},
                      PathCase{"..\\..\\..\\b.ini", "C:\\x", "C:\\b.ini"},
                      PathCase{"C:\\a\\\\b\\c.ini", "D:\\", "C:\\a\\b\\c.ini"},
                      PathCase{"\\top.ini", "D:\\x\\y", "D:\\top.ini"},
                      PathCase{"C:rel.ini", "C:\\cur", "C:\\cur\\rel.ini"},
                      PathCase{"E:rel.ini", "C:\\cur", "E:\\rel.ini"},
                      PathCase{"\\\\srv\\share\\d\\m.ini", "C:\\", "\\\\srv\\share\\d\\m.ini"},
                      PathCase{"m.ini", "\\\\srv\\share\\d", "\\\\srv\\share\\d\\m.ini"},
                      PathCase{"\\m.ini", "\\\\srv\\share\\d", "\\\\srv\\share\\m.ini"},
                      PathCase{"C:\\dir\\", "D:\\", "C:\\dir\\"},
                      // A Linux working folder reads as a rooted path without a drive.
                      PathCase{"demo/disc/Data/main.ini", "/work/main", "\\work\\main\\demo\\disc\\Data\\main.ini"}),
    [](const auto& p) { return CaseName(std::string(p.param.path)) + "_" + std::to_string(p.index); });

} // namespace
