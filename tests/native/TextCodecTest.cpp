// Which encoding a file's bytes are read in, and the conversions around it.
#include "platform/TextCodec.h"

#include <gtest/gtest.h>

namespace {

using platform::TextEncoding;

struct EncodingCase {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
    std::string utf8; // the text as the programs get it
};

const EncodingCase kEncodingCases[] = {
    {"pure ASCII stays ANSI", "[Screen]\r\nMain=main.jpg\r\n", TextEncoding::Ansi, "[Screen]\r\nMain=main.jpg\r\n"},
    {"empty file", "", TextEncoding::Ansi, ""},
    {"1252 bytes that are no UTF-8", "Caf\xE9", TextEncoding::Ansi, "Caf\xC3\xA9"},
    {"1252 euro and undefined byte", "\x80\x81", TextEncoding::Ansi, "\xE2\x82\xAC\xC2\x81"},
    {"valid UTF-8 without mark", "[Screen]\nText=Kurulum \xC5\x9F\n", TextEncoding::Utf8,
     "[Screen]\nText=Kurulum \xC5\x9F\n"},
    {"UTF-8 mark keeps the first section readable", "\xEF\xBB\xBF[Screen]\nMask=m.bmp\n", TextEncoding::Utf8Bom,
     "[Screen]\nMask=m.bmp\n"},
    {"UTF-8 mark on ASCII", "\xEF\xBB\xBFk=v", TextEncoding::Utf8Bom, "k=v"},
    {"overlong form is no UTF-8", "k=\xC0\xAF", TextEncoding::Ansi, "k=\xC3\x80\xC2\xAF"},
    {"encoded surrogate is no UTF-8", "\xED\xA0\x80", TextEncoding::Ansi, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},
    {"cut sequence at the end is no UTF-8", "ok \xE4\xB8", TextEncoding::Ansi, "ok \xC3\xA4\xC2\xB8"},
    {"four-byte UTF-8", "\xF0\x9F\x98\x80", TextEncoding::Utf8, "\xF0\x9F\x98\x80"},
    {"above U+10FFFF is no UTF-8", "\xF4\x90\x80\x80", TextEncoding::Ansi, "\xC3\xB4\xC2\x90\xE2\x82\xAC\xE2\x82\xAC"},
    {"UTF-16 LE with mark", std::string("\xFF\xFE[\0S\0]\0\n\0\x5F\x01", 12), TextEncoding::Utf16Le, "[S]\n\xC5\x9F"},
    {"UTF-16 surrogate pair", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), TextEncoding::Utf16Le, "\xF0\x9F\x98\x80"},
    {"UTF-16 lone surrogate and odd byte", std::string("\xFF\xFE\x00\xD8\x41\x00\x42", 7), TextEncoding::Utf16Le,
     "\xEF\xBF\xBD" "A"},
    {"UTF-16 big-endian mark is not understood", "\xFE\xFF", TextEncoding::Ansi, "\xC3\xBE\xC3\xBF"},
};

class EncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingTest, DetectsAndDecodes)
{
    const EncodingCase& c = GetParam();
    TextEncoding encoding = platform::DetectEncoding(c.bytes);
    EXPECT_EQ(encoding, c.encoding) << c.what;
    EXPECT_EQ(platform::DecodeText(c.bytes, encoding, platform::Cp1252ToUtf8), c.utf8) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Files, EncodingTest, ::testing::ValuesIn(kEncodingCases));

TEST(TextCodec, Utf16RoundTripAndReplacement)
{
    const std::string text = "A\xC5\x9F\xE4\xB8\xAD\xF0\x9F\x98\x80"; // A ş 中 😀
    EXPECT_EQ(platform::Utf8ToUtf16(text), u"A\u015F\u4E2D\U0001F600");
    EXPECT_EQ(platform::Utf16ToUtf8(platform::Utf8ToUtf16(text)), text);
    // One replacement per broken sequence, its longest valid beginning included.
    EXPECT_EQ(platform::Utf8ToUtf16("a\xE4\xB8z\xFF"), u"a\uFFFDz\uFFFD");
}

TEST(TextCodec, Cp1252Bytes)
{
    EXPECT_EQ(platform::CodePointToCp1252(0x20AC), '\x80');
    EXPECT_EQ(platform::CodePointToCp1252(0x81), '\x81');
    EXPECT_EQ(platform::CodePointToCp1252(0x80), '?');
    EXPECT_EQ(platform::CodePointToCp1252(0x015F), '?');
    EXPECT_EQ(platform::CodePointToCp1252(0xE9), '\xE9');
}

} // namespace
