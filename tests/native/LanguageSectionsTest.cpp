// Which languages a menu reads, and how language sections are merged over
// their base sections.
#include "platform/LanguageSections.h"
#include "skin/SkinFile.h"
#include "tests/support/TempDir.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

namespace {

using Tags = std::vector<std::string>;

struct ChoiceCase {
    const char* what;
    Tags display; // as Windows lists the user's display languages
    Tags chosen;
};

class ChooseLanguagesTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(ChooseLanguagesTest, EachLanguageThenItsParents)
{
    EXPECT_EQ(platform::ChooseLanguages(GetParam().display), GetParam().chosen);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChooseLanguagesTest,
    ::testing::Values(ChoiceCase{"none", {}, {}}, ChoiceCase{"one language", {"tr"}, {"tr"}},
                      ChoiceCase{"a region", {"de-AT"}, {"de-at", "de"}},
                      ChoiceCase{"script and region", {"zh-Hant-TW"}, {"zh-hant-tw", "zh-hant", "zh"}},
                      ChoiceCase{"in the user's order, parents first", {"de-AT", "en-US", "de-DE"},
                                 {"de-at", "de", "en-us", "en", "de-de"}},
                      ChoiceCase{"each once", {"pt-BR", "pt", "PT_br"}, {"pt-br", "pt"}},
                      ChoiceCase{"underscore as dash", {"fr_CA"}, {"fr-ca", "fr"}},
                      ChoiceCase{"a singleton is no parent", {"en-x-twain"}, {"en-x-twain", "en"}},
                      ChoiceCase{"names that are not tags left out", {"", "tr-", "english", "1de", "de AT", "fr"},
                                 {"fr"}}),
    [](const auto& p) { return CaseName(p.param.what); });

TEST(LanguageTag, FormsOfTags)
{
    for (const char* tag : {"tr", "deu", "de-AT", "de_at", "zh-Hans", "zh-Hant-TW", "es-419", "sr-Latn-RS"})
        EXPECT_TRUE(platform::IsLanguageTag(tag)) << tag;
    for (const char* tag : {"", "t", "turk", "de-", "-de", "de--AT", "de.AT", "de-ABCDEFGHI", "d3", "tr TR", "tr-TR "})
        EXPECT_FALSE(platform::IsLanguageTag(tag)) << tag;
}

// A skin with language sections, some of them written oddly.
const char kSkin[] = "[Screen]\r\nMain=main.bmp\r\nOver=over.bmp\r\n"
                     "[Screen.tr]\r\nMain=ana.bmp\r\n"
                     "[screen.DE]\r\nMain=haupt.bmp\r\nOver=\r\n"
                     "[Screen.de-at]\r\nOver=\"\"\r\n"
                     "[Screen.de_AT]\r\nMain=second-section.bmp\r\n"
                     "[Screen.zh-Hant]\r\nOver=\"z.bmp\"\r\n"
                     "[RUN_FILES.pt-BR]\r\nID_BUTTON1=LEIAME.TXT\r\n"
                     "[RUN_FILES]\r\nID_BUTTON1=README.TXT\r\nID_BUTTON2=setup.exe\r\n"
                     "[BUTTONINFO]\r\n1=ID_BUTTON1,0,0,10,10,Install,F\r\n2=ID_BUTTON2,20,0,10,10,Read,F\r\n"
                     "3=ID_EXIT,40,0,10,10,Exit,F\r\n"
                     "[BUTTONINFO.tr]\r\n2=ID_BUTTON2,20,0,30,10,Oku,F\r\n3=\r\n4=ID_BUTTON4,60,0,10,10,Added,F\r\n"
                     "[BUTTONINFO.de]\r\n1=ID_BUTTON1,0,0,10,10,Installieren,F\r\n"
                     "[TEXTINFO]\r\n1=ID_INFO,Arial,0,0,12,0,0,20,100,12,Welcome\r\n2=\r\n"
                     "[TEXTINFO.tr]\r\n2=ID_TITLE,Arial,0,0,12,0,0,40,100,12,Added\r\n";

struct MergeCase {
    const char* what;
    Tags languages;
    const char* section;
    const char* key;
    const char* value; // "<def>" when the default is read
};

class LanguageMergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(LanguageMergeTest, TheMostSpecificSectionWithTheKeyElseTheBase)
{
    const auto& c = GetParam();
    const platform::IniDocument doc = platform::IniDocument::Parse(kSkin);
    const std::string section = platform::LanguageSectionFor(doc, c.languages, c.section, c.key);
    EXPECT_EQ(doc.GetString(section, c.key, "<def>", 2048), c.value) << "read from [" << section << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageMergeTest,
    ::testing::Values(
        MergeCase{"no languages read the base", {}, "Screen", "Main", "main.bmp"},
        MergeCase{"a language section replaces a key", {"tr"}, "Screen", "Main", "ana.bmp"},
        MergeCase{"a key the language lacks is the base's", {"tr"}, "Screen", "Over", "over.bmp"},
        MergeCase{"a key neither has reads the default", {"tr"}, "Screen", "Down", "<def>"},
        MergeCase{"names and tags without regard to case", {"de"}, "SCREEN", "main", "haupt.bmp"},
        MergeCase{"an empty value is no value", {"de"}, "Screen", "Over", "over.bmp"},
        MergeCase{"nor a pair of quotes", {"de-at", "de"}, "Screen", "Over", "over.bmp"},
        MergeCase{"only the first section of a name, underscore as dash", {"de-at", "de"}, "Screen", "Main",
                  "haupt.bmp"},
        MergeCase{"the parent after the region", {"zh-hant-tw", "zh-hant", "zh"}, "Screen", "Over", "z.bmp"},
        MergeCase{"the first language that has the key", {"fr", "tr", "de"}, "Screen", "Main", "ana.bmp"},
        MergeCase{"a language no section names", {"fr-fr", "fr"}, "Screen", "Main", "main.bmp"},
        MergeCase{"before its base section in the file", {"pt-br", "pt"}, "RUN_FILES", "ID_BUTTON1", "LEIAME.TXT"},
        MergeCase{"another key of that section", {"pt-br", "pt"}, "RUN_FILES", "ID_BUTTON2", "setup.exe"}),
    [](const auto& p) { return CaseName(p.param.what); });

struct NumberedCase {
    const char* what;
    Tags languages;
    const char* section;
    std::vector<std::pair<int, std::string>> lines;
};

class LanguageNumberedTest : public ::testing::TestWithParam<NumberedCase> {};

TEST_P(LanguageNumberedTest, TheBaseKeysDecideTheControls)
{
    const auto& c = GetParam();
    TempDir dir;
    const IniFile ini(dir.Write("main.ini", kSkin), c.languages);
    std::vector<std::pair<int, std::string>> lines;
    for (const NumberedLine& line : ReadNumberedLines(ini, c.section))
        lines.emplace_back(line.key, line.value);
    EXPECT_EQ(lines, c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LanguageNumberedTest,
    ::testing::Values(
        NumberedCase{"the base alone",
                     {},
                     "BUTTONINFO",
                     {{1, "ID_BUTTON1,0,0,10,10,Install,F"}, {2, "ID_BUTTON2,20,0,10,10,Read,F"},
                      {3, "ID_EXIT,40,0,10,10,Exit,F"}}},
        // Key 2's whole line is replaced; the empty key 3 keeps its control, key 4 adds none.
        NumberedCase{"a language replaces whole lines, adds and removes none",
                     {"tr"},
                     "BUTTONINFO",
                     {{1, "ID_BUTTON1,0,0,10,10,Install,F"}, {2, "ID_BUTTON2,20,0,30,10,Oku,F"},
                      {3, "ID_EXIT,40,0,10,10,Exit,F"}}},
        NumberedCase{"the parent's line",
                     {"de-at", "de"},
                     "BUTTONINFO",
                     {{1, "ID_BUTTON1,0,0,10,10,Installieren,F"}, {2, "ID_BUTTON2,20,0,10,10,Read,F"},
                      {3, "ID_EXIT,40,0,10,10,Exit,F"}}},
        NumberedCase{"a key the base leaves empty stays without a control",
                     {"tr"},
                     "TEXTINFO",
                     {{1, "ID_INFO,Arial,0,0,12,0,0,20,100,12,Welcome"}}}),
    [](const auto& p) { return CaseName(p.param.what); });

// A skin without language sections reads the same with or without languages.
TEST(LanguageSections, ADiscWithoutThemReadsAsBefore)
{
    TempDir dir;
    const std::string path =
        dir.Write("main.ini", "[Screen]\r\nMain=main.bmp\r\n[BUTTONINFO]\r\n1=ID_EXIT,0,0,9,9,Exit,F\r\n");
    const IniFile plain(path), chosen(path, {"tr-tr", "tr", "en-us", "en"});
    EXPECT_EQ(chosen.GetString("Screen", "Main", ""), plain.GetString("Screen", "Main", ""));
    EXPECT_EQ(chosen.GetString("Screen", "Over", "main.bmp"), "main.bmp");
    ASSERT_EQ(ReadNumberedLines(chosen, "BUTTONINFO").size(), 1u);
    EXPECT_EQ(ReadNumberedLines(chosen, "BUTTONINFO")[0].value, ReadNumberedLines(plain, "BUTTONINFO")[0].value);
}

} // namespace
