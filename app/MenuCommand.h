#pragma once
// What a click on a named image button of the start menu does: a function of
// the name, the values that AUTORUN.INF holds for it and whether the file it
// names exists, giving the effects to carry out in order. Portable.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The names the menu acts on. Program buttons are ID_BUTTON1 to ID_BUTTON8.
inline constexpr const char* kExitCommand = "ID_EXIT";
inline constexpr const char* kCloseCommand = "ID_CLOSE";
inline constexpr const char* kBrowseCommand = "ID_BROWSE";
inline constexpr const char* kHomePageCommand = "ID_HOMEPAGE";
inline constexpr const char* kMinimizeCommand = "ID_MINIMIZE";
inline constexpr const char* kProgramButtonPrefix = "ID_BUTTON";
inline constexpr char kFirstProgramButton = '1', kLastProgramButton = '8';
// Every command name, those that do nothing (ID_MAXIMIZED, ID_ICON) included.
inline constexpr const char* kMenuCommandNames[] = {
    kExitCommand, "ID_BUTTON1",     "ID_BUTTON2",      "ID_BUTTON3",    "ID_BUTTON4",   "ID_BUTTON5",
    "ID_BUTTON6", "ID_BUTTON7",     "ID_BUTTON8",      kBrowseCommand,  kHomePageCommand, kMinimizeCommand,
    kCloseCommand, "ID_MAXIMIZED", "ID_ICON"};
// The label that shows a program button's text.
inline constexpr const char* kInfoLabelName = "ID_INFO";

// AUTORUN.INF: what a program button opens, and the text it shows.
inline constexpr const char* kRunFilesSection = "RUN_FILES";
inline constexpr const char* kTextInfoSection = "TEXT_INFO";
// Its values are read through a buffer of this many characters, the zero included.
inline constexpr std::size_t kInfValueBufferChars = 260;

struct MenuEffect {
    enum Kind {
        EndDialog,    // the menu closes, and the program ends
        Minimize,     // the window is minimised
        SetLabelText, // `text` into the label named `target`
        ShowMessage,  // a message box with `text` and the caption `target`, information icon
        Open,         // the shell opens `target` with the verb `text` ("" for the default action)
        Repaint,      // the dialog repaints at once
    };
    Kind kind;
    std::string target;
    std::string text;

    bool operator==(const MenuEffect& o) const { return kind == o.kind && target == o.target && text == o.text; }
};

// Reads a value of AUTORUN.INF (section, key); empty when missing.
using InfReader = std::function<std::string(const std::string& section, const std::string& key)>;
// Whether a path names an existing file or folder.
using PathTest = std::function<bool(const std::string& path)>;

// What a screen reader reads of the button `name` besides its tooltip: the
// text a program button shows (its TEXT_INFO entry), and a command in words
// ("Minimize", "Close", ...); either empty when there is none.
struct MenuButtonWords {
    std::string info, command;
};
MenuButtonWords DescribeMenuButton(const std::string& name, const InfReader& readInf);

// Names are compared exactly, byte for byte and with case. `programDir` ends in a backslash.
std::vector<MenuEffect> DecideMenuClick(const std::string& name, const std::string& programDir,
                                        const InfReader& readInf, const PathTest& exists);
