// Which languages a menu reads, and how language sections are merged over
// their base sections.
#include "platform/LanguageSections.h"
#include "skin/SkinFile.h"
#include "tests/support/TempDir.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace {

using Tags = std::vector<std::string>;

TEST(ChooseLanguages, EachDisplayLanguageThenItsParents)
{
    const struct {
        Tags display; // as Windows lists the user's display languages
        Tags chosen;
    } cases[] = {
        {{}, {}},
        {{"tr"}, {"tr"}},
        {{"zh-Hant-TW"}, {"zh-hant-tw", "zh-hant", "zh"}},
        {{"de-AT", "en-US", "de-DE"}, {"de-at", "de", "en-us", "en", "de-de"}}, // in the user's order
        {{"pt-BR", "pt", "PT_br"}, {"pt-br", "pt"}},                         // each once, '_' as '-'
        {{"en-x-twain"}, {"en-x-twain", "en"}},                                // a singleton is no parent
        {{"", "tr-", "english", "1de", "de AT", "fr"}, {"fr"}},                // not tags: left out
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::ChooseLanguages(c.display), c.chosen) << ::testing::PrintToString(c.display);
    for (const char* tag : {"deu", "de_at", "zh-Hans", "es-419", "sr-Latn-RS"})
        EXPECT_TRUE(platform::IsLanguageTag(tag)) << tag;
    for (const char* tag : {"t", "turk", "-de", "de--AT", "de.AT", "de-ABCDEFGHI", "d3", "tr-TR "})
        EXPECT_FALSE(platform::IsLanguageTag(tag)) << tag;
}

// A skin with language sections, some written oddly; numbered sections as
// the menu reads them are "key:line" lists.
const char kSkin[] = "[Screen]\r\nMain=main.bmp\r\nOver=over.bmp\r\n"
                     "[Screen.tr]\r\nMain=ana.bmp\r\n"
                     "[screen.DE]\r\nMain=haupt.bmp\r\nOver=\r\n"
                     "[Screen.de-at]\r\nOver=\"\"\r\n"
                     "[Screen.de_AT]\r\nMain=second-section.bmp\r\n"
                     "[Screen.zh-Hant]\r\nOver=\"z.bmp\"\r\n"
                     "[RUN_FILES.pt-BR]\r\nID_BUTTON1=LEIAME.TXT\r\n"
                     "[RUN_FILES]\r\nID_BUTTON1=README.TXT\r\nID_BUTTON2=setup.exe\r\n"
                     "[BUTTONINFO]\r\n1=A\r\n2=B\r\n3=C\r\n"
                     "[BUTTONINFO.tr]\r\n2=B-tr\r\n3=\r\n4=D-tr\r\n"
                     "[BUTTONINFO.de]\r\n1=A-de\r\n"
                     "[TEXTINFO]\r\n1=T\r\n2=\r\n"
                     "[TEXTINFO.tr]\r\n2=U-tr\r\n"
                     "[TEXT_INFO.tr]\r\nID_BUTTON1=no base section\r\n"
                     "[Screen.english]\r\nMain=not a tag.bmp\r\n";

struct MergeCase {
    const char* what;
    Tags languages;
    const char* section;
    const char* key; // none: the numbered section's lines
    const char* value; // "<def>" when the default is read
};

class LanguageMergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(LanguageMergeTest, TheMostSpecificSectionWithTheKeyElseTheBase)
{
    const auto& c = GetParam();
    TempDir dir;
    const IniFile ini(dir.Write("main.ini", kSkin), c.languages);
    std::string value = c.key ? ini.GetString(c.section, c.key, "<def>") : "";
    for (const NumberedLine& line : c.key ? std::vector<NumberedLine>{} : ReadNumberedLines(ini, c.section))
        value += std::to_string(line.key) + ":" + line.value + " ";
    EXPECT_EQ(value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageMergeTest,
    ::testing::Values(
        MergeCase{"no languages read the base", {}, "Screen", "Main", "main.bmp"},
        MergeCase{"a language section replaces a key", {"tr"}, "Screen", "Main", "ana.bmp"},
        MergeCase{"a key the language lacks is the base's", {"tr"}, "Screen", "Over", "over.bmp"},
        MergeCase{"a key neither has reads the default", {"tr"}, "Screen", "Down", "<def>"},
        MergeCase{"names and tags without regard to case", {"de"}, "SCREEN", "main", "haupt.bmp"},
        MergeCase{"an empty value or a pair of quotes is none", {"de-at", "de"}, "Screen", "Over", "over.bmp"},
        MergeCase{"only the first section of a name, '_' as '-'", {"de-at", "de"}, "Screen", "Main", "haupt.bmp"},
        MergeCase{"the parent after the region", {"zh-hant-tw", "zh-hant", "zh"}, "Screen", "Over", "z.bmp"},
        MergeCase{"the first language that has the key", {"fr", "tr", "de"}, "Screen", "Main", "ana.bmp"},
        MergeCase{"a language no section names", {"fr-fr", "fr"}, "Screen", "Main", "main.bmp"},
        MergeCase{"before its base section in the file", {"pt-br", "pt"}, "RUN_FILES", "ID_BUTTON1", "LEIAME.TXT"},
        MergeCase{"the base lines alone", {}, "BUTTONINFO", nullptr, "1:A 2:B 3:C "},
        // Whole lines replaced; the empty key 3 keeps its control, key 4 adds none.
        MergeCase{"a language adds and removes no control", {"tr"}, "BUTTONINFO", nullptr, "1:A 2:B-tr 3:C "},
        MergeCase{"the parent's line", {"de-at", "de"}, "BUTTONINFO", nullptr, "1:A-de 2:B 3:C "},
        MergeCase{"a key the base leaves empty stays without a control", {"tr"}, "TEXTINFO", nullptr, "1:T "},
        MergeCase{"no base section: never read", {"tr"}, "TEXT_INFO", "ID_BUTTON1", "<def>"}),
    [](const auto& p) { return CaseName(p.param.what); });

TEST(JudgeLanguageSection, ReadOnlyWithATagAndABaseSection)
{
    const auto doc = platform::IniDocument::Parse(kSkin);
    using S = platform::LanguageSectionState;
    const std::pair<const char*, S> cases[] = {
        {"Screen", S::NotLanguage},   {"Screen.tr", S::Read},         {"screen.DE", S::Read},
        {"RUN_FILES.pt-BR", S::Read}, {"Screen.english", S::NotATag}, {"TEXT_INFO.tr", S::NoBase},
        {".tr", S::NotLanguage},      {"Screen.", S::NotLanguage},
    };
    for (const auto& [name, state] : cases)
        EXPECT_EQ(platform::JudgeLanguageSection(doc, name), state) << name;
}

} // namespace
