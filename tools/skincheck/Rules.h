#pragma once
// The rules: families of small functions over the disc's model, one file per
// family, run in the order of one table. A new check is one function in its
// family's file; a new family is one file and one row below.
#include "tools/skincheck/Findings.h"

#include <vector>

struct RuleFamily {
    const char* name;
    void (*check)(const DiscModel& model, Findings& out);
};

void CheckIniStructure(const DiscModel& model, Findings& out); // IniRules.cpp
void CheckScreen(const DiscModel& model, Findings& out);       // ScreenRules.cpp
void CheckControlLines(const DiscModel& model, Findings& out); // ControlRules.cpp
void CheckNames(const DiscModel& model, Findings& out);        // NameRules.cpp
void CheckClicks(const DiscModel& model, Findings& out);       // ClickRules.cpp
void CheckAutorun(const DiscModel& model, Findings& out);      // AutorunRules.cpp
void CheckConfig(const DiscModel& model, Findings& out);       // ConfigRules.cpp
void CheckLanguages(const DiscModel& model, Findings& out);    // LanguageRules.cpp

// Shared by the Screen and the control lines (ScreenRules.cpp): a picture
// that a line names loads and its @2x version is usable; a mask cuts
// carefully, and so does its usable @2x version. `role` names the picture in
// messages ("the Mask picture"), `what` with its name.
void CheckPictureRef(const DiscModel& model, const PictureRef& ref, const std::string& role, Findings& out);
void CheckMaskCuts(const DiscModel& model, const PictureLoad& mask, const std::string& what, std::size_t line,
                   Findings& out);
void CheckTwoXMask(const DiscModel& model, const PictureRef& mask, const std::string& role, Findings& out);

const std::vector<RuleFamily>& RuleFamilies();

// Every family's findings: by file (main.ini, AUTORUN.INF, config.ini), then
// by line, and on one line in the order of the table.
std::vector<Finding> CheckModel(const DiscModel& model);
// Into that order, stably.
void SortFindings(const DiscModel& model, std::vector<Finding>& findings);
