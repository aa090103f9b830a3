// The portable profile reader, on the layouts whose handling was settled by
// running the same files through the platform's own reader.
#include "IniDocument.h"
#include "IniLayouts.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace {

using platform::IniDocument;
using Names = std::vector<std::string>;

std::string Get(const std::string& text, const char* section, const char* key, const char* def = "<def>",
                std::size_t buf = 2048)
{
    return IniDocument::Parse(text).GetString(section, key, def, buf);
}

Names Keys(const std::string& text, const char* section, std::size_t buf = 16384)
{
    return IniDocument::Parse(text).GetKeyNames(section, buf);
}

class IniValueTest : public ::testing::TestWithParam<IniLayout> {};

TEST_P(IniValueTest, ReadsLikeThePlatform)
{
    const auto& c = GetParam();
    EXPECT_EQ(Get(c.text, c.section, c.key), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Layouts, IniValueTest, ::testing::ValuesIn(IniLayouts()),
    [](const auto& p) { return CaseName(p.param.what) + "_" + std::to_string(p.index); });

TEST(IniDocument, ValueIsCutToTheBuffer)
{
    EXPECT_EQ(Get("[s]\nk=abcdef\n", "s", "k", "", 4), "abc");
    EXPECT_EQ(Get("[s]\nk=abcdef\n", "s", "k", "", 1), "");
    EXPECT_EQ(Get("[s]\nk=abcdef\n", "s", "k", "", 0), "");
}

TEST(IniDocument, DefaultLosesTrailingSpacesAndQuotes)
{
    EXPECT_EQ(Get("", "s", "k", "d  "), "d");
    EXPECT_EQ(Get("", "s", "k", " d"), " d");
    EXPECT_EQ(Get("", "s", "k", "\"d\""), "d");
    EXPECT_EQ(platform::ProfileDefault("\"d\"  ", 2048, false), "\"d\"");
}

TEST(IniDocument, KeyNamesInFileOrder)
{
    EXPECT_EQ(Keys("[s]\nb=1\na=2\nB=3\n", "s"), (Names{"b", "a", "B"}));
    EXPECT_EQ(Keys("[S]\nk=1\n", "s"), Names{"k"});
    EXPECT_EQ(Keys("[s]\n;c=1\nplain\nk=1\n", "s"), Names{"k"}); // comments and lines without '='
    EXPECT_EQ(Keys("[s]\na=1\n=x\nb=2\n", "s"), Names{"a"});      // an empty name ends the list
    EXPECT_TRUE(Keys("[s]\n", "s").empty());
    EXPECT_TRUE(Keys("[s]\nk=1\n", "t").empty());
}

TEST(IniDocument, KeyNamesCutToTheBuffer)
{
    const std::string text = "[s]\nabc=1\ndefg=2\nh=3\n";
    EXPECT_EQ(Keys(text, "s", 100), (Names{"abc", "defg", "h"}));
    EXPECT_EQ(Keys(text, "s", 8), (Names{"abc", "de"}));
    EXPECT_EQ(Keys(text, "s", 6), (Names{"abc"}));
    EXPECT_EQ(Keys(text, "s", 5), (Names{"abc"}));
    EXPECT_EQ(Keys(text, "s", 2), Names{});
}

} // namespace
