#pragma once
// skincheck --html: the menu as one page to try in a browser, filled from the
// disc model alone (the window at the options' scale, every control with what
// its click does) and the findings the rules made. It checks nothing itself.
#include "tools/menupage/MenuPage.h"
#include "tools/skincheck/DiscCheck.h"

#include <string>

// What a click on the control does, in words: "opens Setup\Setup.exe".
std::string ClickInWords(const DiscModel& model, const ModelControl& control);

// Without a window when no picture of the skin loads at this scale.
menupage::PageData PageFromReport(const DiscReport& report, const std::string& title);

// The page written to `path`; false when it cannot be.
bool WriteHtml(const std::string& path, const DiscReport& report, const std::string& title);
