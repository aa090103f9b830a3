// The portable profile reader, on the layouts whose handling was settled by
// running the same files through the platform's own reader.
#include "platform/IniDocument.h"
#include "tests/support/IniLayouts.h"

#include "tests/support/CaseName.h"

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

// A disc's files as editors save them: whatever the encoding, the same UTF-8
// texts come out, and a mark never costs the first section.
TEST(IniDocument, ReadsEveryEncodingAsTheSameText)
{
    const std::string text = "[Screen]\r\nMain=ana \xC5\x9F.bmp\r\n[TEXT_INFO]\r\nID_BUTTON1=\xCE\xA9 \xD0\x96 "
                             "\xE4\xB8\xAD \xC4\xB0\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : platform::Utf8ToUtf16(text)) {
        utf16 += static_cast<char>(unit & 0xFF);
        utf16 += static_cast<char>(unit >> 8);
    }
    const struct {
        const char* what;
        std::string bytes;
        platform::TextEncoding encoding;
    } files[] = {
        {"UTF-8", text, platform::TextEncoding::Utf8},
        {"UTF-8 with mark", "\xEF\xBB\xBF" + text, platform::TextEncoding::Utf8Bom},
        {"UTF-16 LE", utf16, platform::TextEncoding::Utf16Le},
    };
    for (const auto& f : files) {
        const IniDocument doc = IniDocument::Parse(f.bytes);
        EXPECT_EQ(doc.Encoding(), f.encoding) << f.what;
        EXPECT_EQ(doc.GetString("screen", "main", "", 2048), "ana \xC5\x9F.bmp") << f.what;
        EXPECT_EQ(doc.GetString("TEXT_INFO", "ID_BUTTON1", "", 2048), "\xCE\xA9 \xD0\x96 \xE4\xB8\xAD \xC4\xB0")
            << f.what;
        EXPECT_EQ(doc.KeyLine("TEXT_INFO", "ID_BUTTON1"), 4u) << f.what;
    }
    // A 1252 file stays as it always read.
    EXPECT_EQ(Get("[s]\nk=Caf\xE9\n", "s", "k"), "Caf\xC3\xA9");
}

// Buffers count UTF-16 units, as the wide calls do: a character is never cut in two.
TEST(IniDocument, BuffersCountUtf16Units)
{
    const std::string text = "[s]\nk=a\xC5\x9F\xF0\x9F\x98\x80" "b\n\xC5\x9F\xC5\x9F=1\nx=2\n";
    EXPECT_EQ(Get(text, "s", "k", "", 3), "a\xC5\x9F");
    EXPECT_EQ(Get(text, "s", "k", "", 4), "a\xC5\x9F"); // the pair needs two
    EXPECT_EQ(Get(text, "s", "k", "", 5), "a\xC5\x9F\xF0\x9F\x98\x80");
    EXPECT_EQ(Keys(text, "s", 6), (Names{"k", "\xC5\x9F\xC5\x9F"}));
    EXPECT_EQ(Keys(text, "s", 5), (Names{"k", "\xC5\x9F"}));
    // A name whose first character needs two units, with room for one: the list ends.
    EXPECT_EQ(Keys("[s]\nk=1\n\xF0\x9F\x98\x80=2\n", "s", 5), Names{"k"});
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

// Line numbers for tools that report on a file: they must name the line whose
// value is actually read, whatever the line ends and blank lines around it.
TEST(IniDocument, LinesOfTheEntriesThatAreRead)
{
    struct Case {
        const char* what;
        std::string text;
        const char* section;
        const char* key;
        std::size_t line;
    };
    const Case cases[] = {
        {"LF", "[s]\na=1\nk=2\n", "s", "k", 3},
        {"CRLF", "[s]\r\na=1\r\nk=2\r\n", "s", "k", 3},
        {"CR only", "[s]\ra=1\rk=2\r", "s", "k", 3},
        {"blank lines count", "\n\n[s]\n\r\n\nk=2", "s", "k", 6},
        {"mixed ends", "[s]\n\r\r\nk=2", "s", "k", 4},
        {"UTF-8 mark", "\xEF\xBB\xBF[s]\nk=\xC3\xA9\n", "s", "k", 2},
        {"first of two wins", "[s]\nk=1\nk=2\n", "s", "k", 2},
        {"names ignore case", "[S]\nK=1\n", " s", "k ", 2},
        {"first section only", "[s]\na=1\n[s]\nk=2\n", "s", "k", 0},
        {"line without =", "[s]\nk\nk=2\n", "s", "k", 0},
        {"missing", "[s]\nk=1\n", "s", "x", 0},
    };
    for (const auto& c : cases) {
        const IniDocument doc = IniDocument::Parse(c.text);
        EXPECT_EQ(doc.KeyLine(c.section, c.key), c.line) << c.what;
        // The line named is the one whose value GetString returns.
        EXPECT_EQ(doc.KeyLine(c.section, c.key) == 0, doc.GetString(c.section, c.key, "<def>", 100) == "<def>")
            << c.what;
    }
}

TEST(IniDocument, SectionHeadersAndListedKeysCarryTheirLines)
{
    const IniDocument doc = IniDocument::Parse("top=0\r\n[a]\r\n;c=1\r\nx=1\r\n\r\n[ b ]\nk=1\nk=2\n[A]\ny=3\n");
    const auto headers = doc.SectionHeaders();
    ASSERT_EQ(headers.size(), 3u);
    EXPECT_EQ(headers[0].name, "a");
    EXPECT_EQ(headers[0].line, 2u);
    EXPECT_EQ(headers[1].name, "b");
    EXPECT_EQ(headers[1].line, 6u);
    EXPECT_EQ(headers[2].line, 9u);

    const auto keys = doc.GetKeyNamesWithLines("b", 100);
    ASSERT_EQ(keys.size(), 2u); // both lines are listed, as the platform lists them
    EXPECT_EQ(keys[0].line, 7u);
    EXPECT_EQ(keys[1].line, 8u);
    const auto a = doc.GetKeyNamesWithLines("A", 100); // the first [a] only
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].name, "x");
    EXPECT_EQ(a[0].line, 4u);
}

} // namespace
