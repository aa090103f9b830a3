#include "skin/SkinFile.h"

#include "platform/FileSystem.h"
#include "tests/support/TempDir.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::string> Split(std::string line, int count)
{
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i)
        out.push_back(NextToken(line));
    return out;
}

using Tokens = std::vector<std::string>;

struct SplitCase {
    const char* line;
    int count;
    Tokens tokens;
};

class NextTokenTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(NextTokenTest, SplitsLikeTheSkinFormat)
{
    const auto& c = GetParam();
    EXPECT_EQ(Split(c.line, c.count), c.tokens) << '"' << c.line << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NextTokenTest,
    ::testing::Values(
        // The blank before a comma stays in the token; the one after is trimmed away.
        SplitCase{"a , b", 2, {"a ", "b"}},
        SplitCase{"a ,\t b ,c", 3, {"a ", "b ", "c"}},
        SplitCase{",x", 2, {"", "x"}},
        SplitCase{"a,,b", 3, {"a", "", "b"}},
        // A trailing comma leaves only empty fields.
        SplitCase{"a,", 3, {"a", "", ""}},
        SplitCase{"a", 3, {"a", "a", "a"}},
        SplitCase{"", 2, {"", ""}},
        // A last field keeps its blanks at its first reading; the line is trimmed after it.
        SplitCase{" b ", 2, {" b ", "b"}}),
    [](const auto& p) { return CaseName(std::string(p.param.line)) + "_" + std::to_string(p.index); });

TEST(NextToken, SplitsLinesFarBeyondTheOldBufferInFull)
{
    std::string longField(1000, 'a');
    std::string line = "name," + longField + ",tail";
    EXPECT_EQ(NextToken(line), "name");
    EXPECT_EQ(NextToken(line), longField);
    EXPECT_EQ(NextToken(line), "tail");
    EXPECT_EQ(line, "tail");
}

struct IntCase {
    const char* field;
    std::int32_t value;
};

class ParseIntTest : public ::testing::TestWithParam<IntCase> {};

TEST_P(ParseIntTest, ReadsLikeAtoi)
{
    EXPECT_EQ(ParseInt(GetParam().field), GetParam().value) << '"' << GetParam().field << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseIntTest,
                         ::testing::Values(IntCase{"  7", 7}, IntCase{"7px", 7}, IntCase{"px", 0}, IntCase{"", 0},
                                           IntCase{"-12", -12}, IntCase{"+5", 5}, IntCase{"- 5", 0},
                                           IntCase{"\t-0", 0}, IntCase{"3 4", 3}, IntCase{"0x10", 0},
                                           IntCase{"2147483647", 2147483647},
                                           IntCase{"99999999999999999999", 2147483647},
                                           IntCase{"-2147483648", -2147483647 - 1},
                                           IntCase{"-99999999999", -2147483647 - 1}),
    [](const auto& p) { return CaseName(std::string(p.param.field)) + "_" + std::to_string(p.index); });

TEST(ParseRect, NegativeSizeIsKeptAndHugeSizeSaturates)
{
    std::string line = "100,5,-30,2147483647";
    SkinRect r = ParseRect(line);
    EXPECT_EQ(r, (SkinRect{100, 5, 70, 2147483647}));
    EXPECT_LT(r.right, r.left);
}

TEST(ParseRect, MissingFieldsRepeatTheLast)
{
    std::string line = "5 , 6";
    EXPECT_EQ(ParseRect(line), (SkinRect{5, 6, 11, 12}));
}

TEST(DirOfFullPath, KeepsExactlyOneBackslash)
{
    EXPECT_EQ(DirOfFullPath("C:\\main.ini"), "C:\\");
    EXPECT_EQ(DirOfFullPath("D:\\Disc\\Data\\main.ini"), "D:\\Disc\\Data\\");
    EXPECT_EQ(DirOfFullPath("D:\\Disc\\Data\\"), "D:\\Disc\\Data\\");
    EXPECT_EQ(DirOfFullPath("\\\\srv\\share\\m.ini"), "\\\\srv\\share\\");
}

TEST(GetFileDir, RelativePathIsTheCurrentDirectory)
{
    std::string cwd = platform::FullPathName(".");
    std::string dir = GetFileDir("main.ini");
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '\\');
    EXPECT_NE(dir.substr(dir.size() - 2), "\\\\");
    if (cwd.back() != '\\')
        cwd += '\\';
    EXPECT_EQ(dir, cwd);
}

TEST(PicturePath, NamesAreRelativeToTheSkinFile)
{
    EXPECT_EQ(PicturePath("C:\\Disc\\Data\\main.ini", "img\\back.bmp"), "C:\\Disc\\Data\\img\\back.bmp");
}

// ---- reading through the profile service --------------------------------

TEST(IniFile, ValuesDefaultsAndCase)
{
    TempDir dir;
    std::string path = dir.Write("main.ini", "[Screen]\r\nMain = back.bmp  \r\n[buttoninfo]\r\n1=a,1,2,3,4\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.GetString("Screen", "Main", ""), "back.bmp");
    EXPECT_EQ(ini.GetString("SCREEN", "main", ""), "back.bmp");
    EXPECT_EQ(ini.GetString("Screen", "Mask", "back.bmp"), "back.bmp");
    EXPECT_EQ(ini.GetString("Nope", "Main", "d"), "d");
    EXPECT_EQ(IniFile(dir.File("missing.ini")).GetString("Screen", "Main", "x"), "x");

    std::vector<std::string> names{"stale"};
    EXPECT_TRUE(ini.GetKeyNames("BUTTONINFO", names));
    EXPECT_EQ(names, std::vector<std::string>{"1"});
    EXPECT_FALSE(ini.GetKeyNames("TEXTINFO", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(IniFile(dir.File("missing.ini")).GetKeyNames("BUTTONINFO", names));
}

TEST(IniFile, ValuesAreCutAt2047Characters)
{
    TempDir dir;
    std::string path = dir.Write("main.ini", "[S]\nk=" + std::string(3000, 'v') + "\n");
    EXPECT_EQ(IniFile(path).GetString("S", "k", "").size(), 2047u);
}

TEST(ReadNumberedLines, KeyGapsAndEmptyValues)
{
    TempDir dir;
    std::string path = dir.Write("main.ini",
                                 "[GAP]\n1=first\n3=third\n"                // N = 2: key 2 missing, 3 never read
                                 "[EMPTY]\n1=a\n2=\n3=c\n"                  // empty value skipped
                                 "[ORDER]\n2=two\nx=ignored\n1=one\n"       // names unused, only their count
                                 "[FIVE]\n1=a\n2=b\n5=e\n");                // key 5 never read
    IniFile ini(path);
    auto keys = [&](const char* section) {
        std::vector<int> k;
        for (const auto& l : ReadNumberedLines(ini, section))
            k.push_back(l.key);
        return k;
    };
    EXPECT_EQ(keys("GAP"), std::vector<int>{1});
    EXPECT_EQ(keys("EMPTY"), (std::vector<int>{1, 3}));
    EXPECT_EQ(keys("ORDER"), (std::vector<int>{1, 2}));
    EXPECT_EQ(keys("FIVE"), (std::vector<int>{1, 2}));
    EXPECT_TRUE(keys("MISSING").empty());
    EXPECT_EQ(ReadNumberedLines(ini, "ORDER")[0].value, "one");
}

} // namespace
