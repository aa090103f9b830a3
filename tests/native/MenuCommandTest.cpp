#include "app/AppPaths.h"
#include "app/MenuCommand.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>

namespace {

using E = MenuEffect;
using Effects = std::vector<MenuEffect>;

struct Fake {
    std::map<std::pair<std::string, std::string>, std::string> inf;
    std::set<std::string> files;
    std::vector<std::string> tested;

    Effects Click(const std::string& name, const std::string& dir = "E:\\")
    {
        return DecideMenuClick(
            name, dir, [&](const std::string& s, const std::string& k) { return inf[{s, k}]; },
            [&](const std::string& p) {
                tested.push_back(p);
                return files.count(p) > 0;
            });
    }
};

TEST(MenuCommand, ProgramButtonShowsTheTextAsWrittenOpensAndRepaints)
{
    Fake f;
    f.inf[{"RUN_FILES", "ID_BUTTON2"}] = "setup\\setup.exe";
    f.inf[{"TEXT_INFO", "ID_BUTTON2"}] = "Install";
    f.files = {"E:\\setup\\setup.exe"};
    EXPECT_EQ(f.Click("ID_BUTTON2"), (Effects{{E::SetLabelText, "ID_INFO", "Install"},
                                              {E::Open, "E:\\setup\\setup.exe", ""},
                                              {E::Repaint, "", ""}}));
}

TEST(MenuCommand, MissingFileSetsTheLabelThenReportsAndOpensNothing)
{
    Fake f;
    f.inf[{"RUN_FILES", "ID_BUTTON1"}] = "setup.exe /s"; // arguments make a path that does not exist
    f.inf[{"TEXT_INFO", "ID_BUTTON1"}] = "Setting up";
    f.files = {"E:\\setup.exe"};
    EXPECT_EQ(f.Click("ID_BUTTON1"),
              (Effects{{E::SetLabelText, "ID_INFO", "Setting up"}, {E::ShowMessage, "", "File Not Found !"}}));
    EXPECT_EQ(f.tested, std::vector<std::string>{"E:\\setup.exe /s"});

    f.inf[{"RUN_FILES", "ID_BUTTON1"}] = "C:\\tools\\x.exe"; // absolute paths are joined too
    f.files.insert("C:\\tools\\x.exe");
    EXPECT_EQ(f.Click("ID_BUTTON1").back(), (E{E::ShowMessage, "", "File Not Found !"}));
}

TEST(MenuCommand, ProgramButtonWithoutAnEntryOpensTheFolder)
{
    Fake f;
    f.files = {"E:\\"};
    EXPECT_EQ(f.Click("ID_BUTTON5"),
              (Effects{{E::SetLabelText, "ID_INFO", ""}, {E::Open, "E:\\", ""}, {E::Repaint, "", ""}}));
}

TEST(MenuCommand, EveryNameOfTheTable)
{
    Fake f;
    f.inf[{"RUN_FILES", "ID_HOMEPAGE"}] = "  http://example.org/ \t";
    for (auto [name, expected] : std::vector<std::pair<std::string, Effects>>{
             {"ID_EXIT", {{E::EndDialog, "", ""}}},
             {"ID_CLOSE", {{E::EndDialog, "", ""}}},
             {"ID_BROWSE", {{E::Open, "E:\\", "open"}}},
             {"ID_HOMEPAGE", {{E::Open, "http://example.org/", ""}}},
             {"ID_MINIMIZE", {{E::Minimize, "", ""}}},
             {"ID_MAXIMIZED", {}},
             {"ID_ICON", {}},
             {"id_exit", {}}, // names compare with case
             {"ID_EXIT ", {}},
             {"ID_BUTTON9", {}},
             {"ID_BUTTON", {}},
             {"", {}}})
        EXPECT_EQ(f.Click(name), expected) << name;
}

TEST(MenuCommand, ButtonsDescribedForAScreenReader)
{
    const InfReader inf = [](const std::string& s, const std::string& k) {
        return s == "TEXT_INFO" && k == "ID_BUTTON2" ? std::string("Install") : std::string();
    };
    for (auto [name, info, command] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"ID_BUTTON2", "Install", ""}, {"ID_BUTTON3", "", ""},       {"ID_EXIT", "", "Close"},
             {"ID_CLOSE", "", "Close"},     {"ID_MINIMIZE", "", "Minimize"}, {"ID_BROWSE", "", "Open the disc folder"},
             {"ID_HOMEPAGE", "", "Home page"}, {"id_exit", "", ""},       {"ID_ICON", "", ""}}) {
        const MenuButtonWords words = DescribeMenuButton(name, inf);
        EXPECT_EQ(std::tie(words.info, words.command), std::tie(info, command)) << name;
    }
}

TEST(MenuCommand, ButtonSevenAsksForTheOpenVerbTheOthersForTheDefault)
{
    Fake f;
    for (char n = '1'; n <= '8'; ++n) {
        std::string name = std::string("ID_BUTTON") + n;
        f.inf[{"RUN_FILES", name}] = "doc.txt";
    }
    f.files = {"E:\\doc.txt"};
    for (char n = '1'; n <= '8'; ++n) {
        Effects e = f.Click(std::string("ID_BUTTON") + n);
        ASSERT_EQ(e.size(), 3u);
        EXPECT_EQ(e[1], (E{E::Open, "E:\\doc.txt", n == '7' ? "open" : ""})) << n;
    }
}

TEST(MenuCommand, HomePageOfBlanksDoesNothing)
{
    Fake f;
    f.inf[{"RUN_FILES", "ID_HOMEPAGE"}] = " \t ";
    EXPECT_TRUE(f.Click("ID_HOMEPAGE").empty());
    EXPECT_TRUE(f.tested.empty()); // no existence test for the home page
}

TEST(AppPaths, FromTheProgramPath)
{
    AppPaths p = PathsFromModule("D:\\SETUP\\autorun.exe");
    EXPECT_EQ(p.programDir, "D:\\SETUP\\");
    EXPECT_EQ(p.autorunInfPath, "D:\\SETUP\\AUTORUN.INF");
    EXPECT_EQ(p.skinPath, "D:\\SETUP\\Data\\main.ini");
    EXPECT_EQ(PathsFromModule("E:\\autorun.exe").skinPath, "E:\\Data\\main.ini");
    EXPECT_EQ(PathsFromModule("autorun.exe").programDir, "");
    std::string deep = "C:\\" + std::string(300, 'd') + "\\autorun.exe"; // no cut at 255 characters
    EXPECT_EQ(PathsFromModule(deep).programDir, deep.substr(0, deep.size() - 11));
}

} // namespace
