// discbuild: the name rules and media as tables; the [autorun] section in each
// encoding read back out of the images; both demo discs built, read back by
// xorriso and mtools file by file, reproducible, the folder never changed;
// refusals write nothing; signing round trip.
#include "tools/discbuild/AutorunSection.h"
#include "tools/discbuild/Discbuild.h"
#include "tools/discbuild/FatWriter.h"
#include "tools/discbuild/Images.h"
#include "tools/discbuild/Media.h"
#include "tools/discbuild/NameRules.h"
#include "tools/discbuild/ReadBack.h"
#include "tools/discbuild/Tools.h"

#include "platform/FileSystem.h"
#include "platform/IniDocument.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <set>
#include <filesystem>
#include <map>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

struct NameCase {
    std::vector<TreeName> names;
    const char* joliet; // a finding on the last name (and none on others), nullptr: none at all
    const char* fat;
};

std::string Long(char c, std::size_t n) { return std::string(n, c); }

class NameRule : public ::testing::TestWithParam<NameCase> {};

TEST_P(NameRule, OneFindingOnTheLastNameOrNone)
{
    for (Medium medium : {Medium::Joliet, Medium::Fat}) {
        const char* expected = medium == Medium::Joliet ? GetParam().joliet : GetParam().fat;
        const auto findings = CheckMediumNames(GetParam().names, medium);
        if (!expected) {
            EXPECT_TRUE(findings.empty()) << MediumName(medium) << ": " << findings.front().message;
            continue;
        }
        bool found = false;
        for (const auto& f : findings) {
            EXPECT_EQ(f.file, GetParam().names.back().path) << f.message;
            EXPECT_EQ(f.severity, Severity::Error);
            EXPECT_EQ(f.message.rfind(std::string(MediumName(medium)) + ": ", 0), 0u) << f.message;
            found = found || f.message.find(expected) != std::string::npos;
        }
        EXPECT_TRUE(found) << MediumName(medium) << ": " << expected;
    }
}

const std::string k60a = Long('a', 60), k60b = Long('b', 60);
INSTANTIATE_TEST_SUITE_P(
    Table, NameRule,
    ::testing::Values(
        NameCase{{{"Setup.exe"}, {"Docs", true}, {"Docs/Read me.txt"}, {"Araçlar/Kılavuz ş.html"}}, nullptr, nullptr},
        NameCase{{{"CON"}}, "'CON' is a device name", "'CON' is a device name"},
        NameCase{{{"Docs", true}, {"Docs/lpt3.txt"}}, "'LPT3' is a device", "'LPT3' is a device"},
        NameCase{{{"nul .txt"}}, "'NUL' is a device", "'NUL' is a device"},
        NameCase{{{"COM0.txt"}, {"CONSOLE.txt"}}, nullptr, nullptr},
        NameCase{{{"a<b.txt"}}, "holds '<'", "holds '<'"},
        NameCase{{{"what?.txt"}}, "holds '?'", "holds '?'"},
        NameCase{{{"tab\there"}}, "holds U+0009", "holds U+0009"},
        NameCase{{{"notes."}}, "ends in a dot", "ends in a dot"},
        NameCase{{{"notes "}}, "ends in a blank", "ends in a blank"},
        NameCase{{{"Readme.txt"}, {"README.TXT"}}, "only in case", "only in case"},
        NameCase{{{"Ärger"}, {"äRGER"}}, "only in case", "only in case"},
        NameCase{{{"Iİ"}, {"iı"}}, nullptr, nullptr}, // dotted and dotless i have no pair in Windows' table
        NameCase{{{"a;b.txt"}}, "holds ';'", nullptr},
        NameCase{{{"smile \xF0\x9F\x98\x80.txt"}}, "beyond the Basic Multilingual Plane", nullptr},
        NameCase{{{Long('n', 64) + ".x"}}, "66 UTF-16 units: Joliet keeps 64", nullptr},
        NameCase{{{Long('n', 64)}}, nullptr, nullptr},
        NameCase{{{Long('n', 256)}}, "256 UTF-16 units: Joliet keeps 64", "a FAT long name holds 255"},
        NameCase{{{k60a, true}, {k60a + "/" + k60b, true}, {k60a + "/" + k60b + "/" + k60a, true},
                  {k60a + "/" + k60b + "/" + k60a + "/" + k60b}},
                 "the path has 243 characters", nullptr},
        NameCase{{{k60a, true}, {k60a + "/" + k60b, true}, {k60a + "/" + k60b + "/" + k60a, true},
                  {k60a + "/" + k60b + "/" + k60a + "/" + Long('c', 16), true},
                  {k60a + "/" + k60b + "/" + k60a + "/" + Long('c', 16) + "/" + Long('d', 60)}},
                 "the path has 260 characters: Joliet drops", "the path has 260 characters: with the drive"},
        NameCase{{{"\xFF.txt"}}, "not UTF-8", "not UTF-8"}));

TEST(NameRule, AFolderPastThePathLimitIsReportedOnceNotForEachFile)
{
    const std::string deep = k60a + "/" + k60b + "/" + k60a + "/" + Long('c', 70 - 5);
    const auto findings = CheckMediumNames({{k60a, true}, {k60a + "/" + k60b, true}, {k60a + "/" + k60b + "/" + k60a, true},
                                      {deep, true}, {deep + "/one.txt"}, {deep + "/two.txt"}},
                                     Medium::Joliet);
    ASSERT_EQ(findings.size(), 2u); // its name (65 units) and its path
    EXPECT_EQ(findings[1].file, deep);
}

TEST(Medium, NamesAndSizes)
{
    const std::pair<const char*, std::uint64_t> rows[] = {
        {"cd74", 681984000},   {"cd80", 737280000},      {"dvd", 4700372992}, {"bd", 25025314816}, {"10M", 10485760},
        {"1k", 1024},          {"3G", 3221225472},       {"700", 700},        {"0", 0},            {"10X", 0},
        {"", 0},               {"M", 0},                 {"1MB", 0},          {"99999999999999999999", 0}, {"99999999999T", 0}};
    for (const auto& [text, bytes] : rows) {
        const auto medium = ParseMedium(text);
        EXPECT_EQ(medium ? medium->bytes : 0, bytes) << text;
    }
    EXPECT_EQ(MediaThatFit(700000000), "cd80, dvd, dvd-dl, bd");
    EXPECT_EQ(MediaThatFit(30000000000), "none");
}

TEST(FatShortName, AsciiOnlyUniqueInTheFolder)
{
    const std::tuple<const char*, std::set<std::string>, const char*> rows[] = {
        {"README.TXT", {}, ""},          {"Data", {}, "DATA"},           {"config.ini", {"DATA"}, "CONFIG.INI"},
        {"BENİOKU.TXT", {}, "BEN_OK~1.TXT"}, {"Read me.txt", {}, "README~1.TXT"}, {"Readme.txt", {"README.TXT"}, "README~1.TXT"},
        {"Read me.txt", {"README~1.TXT"}, "README~2.TXT"}, {".hidden", {}, "HIDDEN~1"},   {"archive.tar.gz", {}, "ARCHIV~1.GZ"}};
    for (const auto& [name, taken, expected] : rows)
        EXPECT_EQ(ShortNameFor(name, taken), expected) << name;
}

TEST(NamedFiles, AFileFoundOnlyUnderAnotherCaseIsANote)
{
    const auto notes = CaseNotes({{"Setup\\SETUP.CMD", "Setup/setup.cmd", "AUTORUN.INF:9"},
                                  {"Setup\\setup.cmd", "Setup/setup.cmd", "AUTORUN.INF:10"}});
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].severity, Severity::Note);
    EXPECT_EQ(notes[0].message.rfind("AUTORUN.INF:9 names Setup\\SETUP.CMD, which the folder holds only under", 0), 0u);
}

TEST(NamedFiles, FoundInTheImageAsWindowsFindsThem)
{
    DiscTree image;
    for (const char* folder : {"Docs", "Samples"})
        image.entries.push_back({folder, true, "", 0, 0});
    image.entries.push_back({"Docs/GUIDE.HTML", false, "", 0, 0});
    const auto findings = CheckNamedFiles({{"Docs\\Guide.html", "Docs/Guide.html", "AUTORUN.INF:11"},
                                           {"Samples", "Samples", "AUTORUN.INF:13"},
                                           {"Setup\\setup.cmd", "Setup/setup.cmd", "AUTORUN.INF:9"}},
                                          image, "the ISO's Joliet tree");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].message, "the ISO's Joliet tree: AUTORUN.INF:9 names Setup\\setup.cmd, which Windows does "
                                   "not find in the image");
}

struct AutorunCheckCase {
    const char* ini;
    Severity severity;
    const char* message; // nullptr: no finding
};

class AutorunCheck : public ::testing::TestWithParam<AutorunCheckCase> {};

TEST_P(AutorunCheck, AsTheShellReadsTheSection)
{
    const AutorunPlan plan = PlanAutorun(std::string(GetParam().ini), "DISC", [](const std::string& path) {
        return path == "autorun.exe" || path == "bin\\setup.exe" || path == "bin\\setup.ico";
    });
    EXPECT_FALSE(plan.image) << "the author's section is kept";
    if (!GetParam().message) {
        EXPECT_TRUE(plan.findings.empty()) << plan.findings.front().message;
        return;
    }
    ASSERT_EQ(plan.findings.size(), 1u);
    EXPECT_EQ(plan.findings[0].severity, GetParam().severity);
    EXPECT_NE(plan.findings[0].message.find(GetParam().message), std::string::npos) << plan.findings[0].message;
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutorunCheck,
    ::testing::Values(
        AutorunCheckCase{"[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nlabel=Halcyon\r\n", Severity::Error, nullptr},
        AutorunCheckCase{"[AutoRun]\nopen=\"bin\\setup.exe\" /auto\nicon=bin/setup.ico\n", Severity::Error, nullptr},
        AutorunCheckCase{"[autorun]\nopen=setup.exe\n", Severity::Error, "open= names setup.exe, which is not on the disc"},
        AutorunCheckCase{"[autorun]\nopen=autorun.exe\nicon=bin\\setup.ico\n", Severity::Error, "another folder"},
        AutorunCheckCase{"[autorun]\nopen=autorun.exe\nicon=missing.ico\n", Severity::Error, "icon= names missing.ico"},
        AutorunCheckCase{"[autorun]\nopen=autorun.exe\nUseAutoPlay=1\n", Severity::Error, "UseAutoPlay=1"},
        AutorunCheckCase{"[autorun]\nopen=autorun.exe\nshell\\install now\\command=autorun.exe\n", Severity::Error,
                         "'install now' holds a blank"},
        AutorunCheckCase{"[autorun]\nopen=autorun.exe\nshell=go on\n", Severity::Error, "'go on' holds a blank"},
        AutorunCheckCase{"[autorun]\nopen=autorun.exe\nlabel=A label of thirty-three characters\n", Severity::Warning,
                         "label= has 34 characters: Windows shows 32"},
        AutorunCheckCase{"[autorun]\nlabel=Data only\n", Severity::Warning, "has no open="}));

// The build's programs: a real PE where the test build has one (signing needs it).
std::string Program()
{
#ifdef AK_STUB_EXE
    if (auto bytes = platform::ReadWholeFile(AK_STUB_EXE))
        return *bytes;
#endif
    return std::string("MZ") + std::string(510, '\0');
}

// A demo disc copied into a folder of the test's, with the programs that the
// build adds to it.
struct DemoCopy {
    TempDir dir;
    std::string disc;
    explicit DemoCopy(const std::string& name) : disc(dir.File(name))
    {
        fs::copy(std::string(AK_DEMO_DISCS) + "/" + name, disc, fs::copy_options::recursive);
        const bool turkish = name == "disc-tr";
        const std::string setup = turkish ? "Kurulum" : "Setup";
        for (const std::string& program : {std::string("autorun.exe"), std::string("verpick.exe"),
                                          setup + "/Vista/" + (turkish ? "Kurulum ş.exe" : "Setup.exe"),
                                          setup + "/XP/" + (turkish ? "Kurulum.exe" : "Setup.exe")})
            dir.Write(name + "/" + program, Program());
    }
    std::string Out(const std::string& name) const { return dir.File(name); }
};

struct Outcome {
    int status;
    std::string out, err;
};

Outcome Discbuild(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = RunDiscbuild(args, out, err);
    return {status, out.str(), err.str()};
}

// Every path below `root` with its bytes (and, for the folder's own state, its time).
std::map<std::string, std::string> Contents(const std::string& root, bool withTimes = false)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string path = e.path().lexically_relative(root).generic_string();
        std::string value = e.is_directory() ? "<folder>" : platform::ReadWholeFile(e.path().string()).value_or("?");
        if (withTimes)
            value += "@" + std::to_string(fs::last_write_time(e.path()).time_since_epoch().count());
        files[path] = value;
    }
    return files;
}

std::map<std::string, std::string> Extracted(const std::string& image, bool iso, const TempDir& dir)
{
    const std::string into = dir.File(iso ? "out-iso" : "out-usb");
    fs::create_directory(into);
    EXPECT_EQ((iso ? ExtractIso : ExtractUsb)(image, into), "");
    auto files = Contents(into);
    for (const auto& e : fs::recursive_directory_iterator(into))
        fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
    return files;
}

class DemoImage : public ::testing::TestWithParam<const char*> {};

TEST_P(DemoImage, BothImagesHoldEveryFileByteForByteAndTheFolderStaysAsItWas)
{
    DemoCopy demo(GetParam());
    const auto before = Contents(demo.disc, true);
    const Outcome r = Discbuild({"--iso", demo.Out("d.iso"), "--usb", demo.Out("d.img"), "--volume", "HALCYON_4",
                                 "--date", "1700000000", demo.disc});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find(GetParam() + std::string(": 0 errors, 0 warnings")), std::string::npos) << r.out;
    EXPECT_EQ(Contents(demo.disc, true), before);
    const auto source = Contents(demo.disc);
    EXPECT_EQ(Extracted(demo.Out("d.iso"), true, demo.dir), source);
    EXPECT_EQ(Extracted(demo.Out("d.img"), false, demo.dir), source);
    EXPECT_EQ(RunTool({"fsck.fat", "-n", demo.Out("d.img")}).status, 0);
    EXPECT_EQ(fs::directory_iterator(demo.dir.Path()) == fs::directory_iterator(), false);
    for (const auto& e : fs::directory_iterator(demo.dir.Path()))
        EXPECT_EQ(e.path().filename().string().find(".partial"), std::string::npos);
}

TEST_P(DemoImage, TheSameFolderAndDateGiveTheSameBytesWhateverTheFilesTimes)
{
    DemoCopy demo(GetParam());
    const std::vector<std::string> options = {"--date", "1700000000", demo.disc};
    const auto build = [&](const std::string& iso, const std::string& usb) {
        std::vector<std::string> args = {"--iso", demo.Out(iso), "--usb", demo.Out(usb)};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(Discbuild(args).status, 0);
    };
    build("1.iso", "1.img");
    fs::last_write_time(demo.disc + "/config.ini", fs::file_time_type::clock::now() - std::chrono::hours(5));
    build("2.iso", "2.img");
    EXPECT_EQ(platform::ReadWholeFile(demo.Out("1.iso")), platform::ReadWholeFile(demo.Out("2.iso")));
    EXPECT_EQ(platform::ReadWholeFile(demo.Out("1.img")), platform::ReadWholeFile(demo.Out("2.img")));
}

INSTANTIATE_TEST_SUITE_P(Demo, DemoImage, ::testing::Values("disc", "disc-tr"));

struct EncodingCase {
    const char* name;
    std::string (*make)(const std::string& menuSections); // the folder's AUTORUN.INF
    bool moved; // the author's section moved down a line for the shell
};

class AutorunInImage : public ::testing::TestWithParam<EncodingCase> {};

// The demo's AUTORUN.INF without its [autorun] section: what the menu reads.
std::string MenuSections()
{
    const std::string inf = platform::ReadWholeFile(std::string(AK_DEMO_DISCS) + "/disc/AUTORUN.INF").value_or("");
    return inf.substr(inf.find("\r\n\r\n") + 4);
}

// Its lines of ASCII only: what an author writing in the ANSI code page keeps
// (the language sections' letters would be misread there, and skincheck says so).
std::string AsciiLines(const std::string& text)
{
    std::string out, line;
    for (std::istringstream in(text); std::getline(in, line);)
        if (std::all_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            out += line + "\n";
    return out;
}

std::string Utf16(const std::string& utf8)
{
    std::string out = "\xFF\xFE";
    for (char16_t u : platform::Utf8ToUtf16(utf8))
        out += {static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
    return out;
}

TEST_P(AutorunInImage, TheShellReadsTheSectionAndTheMenuItsOwnSectionsUnchanged)
{
    DemoCopy demo("disc");
    const std::string bytes = GetParam().make(MenuSections());
    demo.dir.Write("disc/AUTORUN.INF", bytes);
    const std::string label = "Halcyon Stüdyo";
    const Outcome r = Discbuild({"--iso", demo.Out("a.iso"), "--usb", demo.Out("a.img"), "--label", label, "--date",
                                 "1700000000", demo.disc});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    const auto before = platform::IniDocument::Parse(bytes);
    const bool utf8 = before.Encoding() == platform::TextEncoding::Utf8 || before.Encoding() == platform::TextEncoding::Utf8Bom;
    for (bool iso : {true, false}) {
        const auto files = Extracted(demo.Out(iso ? "a.iso" : "a.img"), iso, demo.dir);
        const std::string& image = files.at("AUTORUN.INF");
        const auto shell = platform::IniDocument::ParseAsWindows(image);
        EXPECT_EQ(shell.GetString("autorun", "open", "", 260), "autorun.exe");
        EXPECT_EQ(shell.GetString("autorun", "icon", "", 260), "autorun.exe,0");
        // UTF-8 reaches the shell as ANSI: the build warns about it.
        EXPECT_EQ(shell.GetString("autorun", "label", "", 260),
                  GetParam().moved ? "Mine" : utf8 ? platform::Cp1252ToUtf8(label) : label);
        const auto menu = platform::IniDocument::Parse(image);
        EXPECT_EQ(menu.Encoding(), before.Encoding());
        for (const char* section : {"RUN_FILES", "TEXT_INFO", "autorun"})
            for (const auto& key : before.GetKeyNames(section, 4096))
                EXPECT_EQ(menu.GetString(section, key, "-", 4096), before.GetString(section, key, "", 4096)) << key;
        if (!GetParam().moved) {
            EXPECT_EQ(image.substr(0, bytes.size()), bytes) << "the author's bytes come first";
        }
        EXPECT_EQ(files.size(), Contents(demo.disc).size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, AutorunInImage,
    ::testing::Values(
        EncodingCase{"Ansi", [](const std::string& m) { return AsciiLines(m) + "; Caf\xE9\r\n"; }, false},
        EncodingCase{"AnsiWithoutLastLineEnd", [](const std::string& m) { return m.substr(0, m.size() - 2); }, false},
        EncodingCase{"Utf8", [](const std::string& m) { return "; Kurulum başlatılıyor\r\n" + m; }, false},
        EncodingCase{"Utf8WithMark", [](const std::string& m) { return "\xEF\xBB\xBF; Kurulum başlatılıyor\r\n" + m; }, false},
        EncodingCase{"Utf8MarkThenTheSection",
                     [](const std::string& m) {
                         return "\xEF\xBB\xBF[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nlabel=Mine\r\n" + m;
                     },
                     true},
        EncodingCase{"Utf16", [](const std::string& m) { return Utf16("; Kurulum başlatılıyor\r\n" + m); }, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(AutorunSection, WrittenWhereTheShellReadsItWhenTheFileHasNone)
{
    const auto exists = [](const std::string&) { return true; };
    const std::pair<std::optional<std::string>, std::string> rows[] = {
        {std::nullopt, "[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nlabel=DISC\r\n"},
        {std::string("\xEF\xBB\xBF"), "\xEF\xBB\xBF\r\n[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nlabel=DISC\r\n"},
        {std::string(""), "[autorun]\r\nopen=autorun.exe\r\nicon=autorun.exe,0\r\nlabel=DISC\r\n"}};
    for (const auto& [bytes, expected] : rows)
        EXPECT_EQ(PlanAutorun(bytes, "DISC", exists).image, expected);
    const AutorunPlan cut = PlanAutorun(std::string("\xFF\xFE[\0X\0]\0\r", 9), "DISC", exists);
    EXPECT_EQ(platform::IniDocument::ParseAsWindows(cut.image.value_or("")).GetString("autorun", "open", "", 260),
              "autorun.exe");
    const AutorunPlan unicode = PlanAutorun(std::nullopt, "Stüdyo", exists);
    ASSERT_TRUE(unicode.image);
    EXPECT_EQ(unicode.image->substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(platform::IniDocument::ParseAsWindows(*unicode.image).GetString("autorun", "label", "", 260), "Stüdyo");
}

// The programs the moved section names.
TEST(AutorunInImage, NamesOfTheAuthorsSectionMustExist)
{
    DemoCopy demo("disc");
    demo.dir.Write("disc/AUTORUN.INF", "\xEF\xBB\xBF[autorun]\r\nopen=menu.exe\r\n");
    const Outcome r = Discbuild({"--iso", demo.Out("a.iso"), "--present", "Tools\\extra.exe", demo.disc});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("--present Tools\\extra.exe: not in the folder, so not in the images either"), std::string::npos);
    EXPECT_NE(r.out.find("AUTORUN.INF:2: error: open= names menu.exe, which is not on the disc"), std::string::npos)
        << r.out;
}

// The files the disc names come from skincheck's model of the disc.
TEST(NamedFiles, TheModelsListIsReadBack)
{
    DemoCopy demo("disc");
    std::string inf = platform::ReadWholeFile(demo.disc + "/AUTORUN.INF").value_or("");
    inf.replace(inf.find("ID_BUTTON2=README.TXT"), 21, "ID_BUTTON2=readme.txt");
    demo.dir.Write("disc/AUTORUN.INF", inf);
    const Outcome r = Discbuild({"--iso", demo.Out("n.iso"), demo.disc});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("README.TXT: note: AUTORUN.INF:10 names readme.txt, which the folder holds only under this case"),
              std::string::npos)
        << r.out;
}

TEST(Refusal, ErrorsWriteNothingAndBadArgumentsOrToolsCannotRun)
{
    DemoCopy demo("disc");
    const std::string iso = demo.Out("r.iso"), img = demo.Out("r.img");
    fs::remove(demo.disc + "/Data/over.jpg");
    Outcome r = Discbuild({"--iso", iso, "--usb", img, demo.disc});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("nothing written"), std::string::npos) << r.out;
    fs::copy_file(std::string(AK_DEMO_DISCS) + "/disc/Data/over.jpg", demo.disc + "/Data/over.jpg");
    r = Discbuild({"--iso", iso, "--usb", img, "--medium", "1M", demo.disc});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("more than 1M holds (1,048,576)"), std::string::npos) << r.out;
    r = Discbuild({"--usb", img, "--medium", "2M", demo.disc}); // the files fit, the FAT32 image does not
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_FALSE(fs::exists(iso) || fs::exists(img));
    EXPECT_EQ(std::distance(fs::directory_iterator(demo.dir.Path()), fs::directory_iterator()), 1) << "only the disc";

    // What the author did not put in the folder; a link inside it is the file it names.
    demo.dir.Write("outside.txt", "not on the disc");
    fs::create_symlink(demo.Out("outside.txt"), demo.disc + "/Docs/outside.txt");
    ASSERT_EQ(mkfifo((demo.disc + "/pipe").c_str(), 0600), 0);
    fs::create_symlink("README.TXT", demo.disc + "/readme-link.txt");
    r = Discbuild({"--iso", iso, demo.disc});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Docs/outside.txt: error: a symbolic link to "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("pipe: error: neither a file nor a folder"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("readme-link"), std::string::npos) << r.out;
    fs::remove(demo.disc + "/Docs/outside.txt");
    fs::remove(demo.disc + "/pipe");
    ASSERT_EQ(Discbuild({"--iso", iso, demo.disc}).status, 0);
    EXPECT_EQ(Extracted(iso, true, demo.dir).at("readme-link.txt"), Contents(demo.disc).at("README.TXT"));
    fs::remove(iso);

    const std::vector<std::vector<std::string>> bad = {
        {}, {demo.disc}, {"--iso"}, {"--iso", iso, "--medium", "huge", demo.disc}, {"--iso", iso, "--frobnicate", demo.disc},
        {"--iso", iso, demo.disc, demo.disc}, {"--iso", demo.disc + "/in.iso", demo.disc}, {"--iso", iso, demo.Out("none")},
        {"--iso", iso, "--date", "yesterday", demo.disc}};
    for (const auto& args : bad)
        EXPECT_EQ(Discbuild(args).status, 2) << (args.empty() ? "" : args.back());
    const std::string path = std::getenv("PATH");
    setenv("PATH", demo.Out("none").c_str(), 1);
    r = Discbuild({"--iso", iso, demo.disc});
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("xorriso is missing: install the Debian package xorriso"), std::string::npos) << r.err;
}

TEST(Signing, ProgramsAreSignedInTheImageOnlyAndVerify)
{
#ifndef AK_STUB_EXE
    GTEST_SKIP() << "no Windows compiler made a program to sign";
#endif
    DemoCopy demo("disc");
    const std::string key = demo.Out("key.pem"), cert = demo.Out("cert.pem"), pfx = demo.Out("sign.pfx");
    demo.dir.Write("password", "throw-away\n");
    ASSERT_EQ(RunTool({"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                       "-days", "2", "-subj", "/CN=discbuild test", "-addext", "extendedKeyUsage=codeSigning"})
                  .status,
              0);
    ASSERT_EQ(RunTool({"openssl", "pkcs12", "-export", "-inkey", key, "-in", cert, "-out", pfx, "-passout",
                       "file:" + demo.Out("password")})
                  .status,
              0);
    const auto before = Contents(demo.disc, true);
    const Outcome r = Discbuild({"--iso", demo.Out("s.iso"), "--sign-pfx", pfx, "--sign-password-file",
                                 demo.Out("password"), demo.disc});
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_NE(r.out.find("; signed"), std::string::npos);
    EXPECT_EQ(Contents(demo.disc, true), before);
    const auto files = Extracted(demo.Out("s.iso"), true, demo.dir);
    for (const char* program : {"autorun.exe", "verpick.exe"}) {
        EXPECT_NE(files.at(program), Program()) << program;
        demo.dir.Write(program, files.at(program));
        EXPECT_EQ(RunTool({"osslsigncode", "verify", "-in", demo.Out(program), "-CAfile", cert}).status, 0) << program;
    }
    demo.dir.Write("password", "wrong\n");
    EXPECT_EQ(Discbuild({"--iso", demo.Out("w.iso"), "--sign-pfx", pfx, "--sign-password-file", demo.Out("password"),
                         demo.disc})
                  .status,
              1);
    EXPECT_FALSE(fs::exists(demo.Out("w.iso")));
}

} // namespace
