#pragma once
// What a click on a named image button of the start menu does: a function of
// the name, the values that AUTORUN.INF holds for it and whether the file it
// names exists, giving the effects to carry out in order. Portable.
#include <functional>
#include <string>
#include <vector>

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

// Names are compared exactly, byte for byte and with case. `programDir` ends in a backslash.
std::vector<MenuEffect> DecideMenuClick(const std::string& name, const std::string& programDir,
                                        const InfReader& readInf, const PathTest& exists);
