// AUTORUN.INF: what the program buttons and the home page button open, and
// the entries that no button reads.
#include "tools/skincheck/Rules.h"

#include "launcher/LaunchPlan.h"
#include "skin/MessageTexts.h"
#include "tools/skincheck/NearNames.h"

#include <algorithm>
#include <limits>

namespace {

using platform::EqualNoCase;

std::vector<std::string> ProgramButtonNames()
{
    std::vector<std::string> names;
    for (char n = kFirstProgramButton; n <= kLastProgramButton; ++n)
        names.push_back(kProgramButtonPrefix + std::string(1, n));
    return names;
}

const ModelControl& Button(const DiscModel& model, const std::string& name)
{
    return *std::find_if(model.controls.begin(), model.controls.end(), [&](const ModelControl& c) {
        return c.Is(ControlKindId::ImageButton) && c.Name() == name;
    });
}

void CheckProgramButton(const DiscModel& model, const ConfigFile& inf, const std::string& name, Findings& out)
{
    const std::string value = inf.Value(kRunFilesSection, name, kInfValueBufferChars);
    const std::size_t line = inf.LineFor(kRunFilesSection, name);
    const std::size_t whole = inf.Raw(kRunFilesSection, name).size();
    if (whole > kInfValueBufferChars - 1)
        out.Add(inf, line, Severity::Warning, "autorun.entry-cut",
                name + " has " + std::to_string(whole) + " characters, and the menu reads only the first " +
                    std::to_string(kInfValueBufferChars - 1));
    const ModelControl& button = Button(model, name);
    const bool notFound = std::any_of(button.click.begin(), button.click.end(),
                                      [](const MenuEffect& e) { return e.kind == MenuEffect::ShowMessage; });
    if (value.empty()) {
        out.Add(inf, line, Severity::Warning, "autorun.no-entry",
                "[RUN_FILES] has no entry for " + name + ": a click on it opens the disc folder");
    } else if (button.clickTarget.state == DiscFile::Outside) {
        out.Add(inf, line, Severity::Error, "autorun.outside",
                name + " opens " + Quote(value) + ", which lies outside the disc folder");
    } else if (notFound) {
        std::string hint;
        for (std::size_t blank = value.find_first_of(" \t"); blank != std::string::npos;
             blank = value.find_first_of(" \t", blank + 1))
            if (model.disc->FindRelative(value.substr(0, blank), true).IsThere())
                hint = " (the menu passes no arguments: " + Quote(value.substr(0, blank)) + " alone would be found)";
        out.Add(inf, line, Severity::Error, "autorun.not-found",
                name + " opens " + Quote(value) + ", which is not on the disc: a click shows " +
                    Quote(kFileNotFoundText) + hint);
    }
}

void CheckHomePage(const DiscModel& model, const ConfigFile& inf, Findings& out)
{
    const bool button = model.HasImageButton(kHomePageCommand);
    const std::size_t keyLine = inf.doc.KeyLine(kRunFilesSection, kHomePageCommand);
    const auto readInf = [&](const std::string& section, const std::string& key) {
        return inf.Value(section, key, kInfValueBufferChars);
    };
    if (!DecideMenuClick(kHomePageCommand, model.disc->ProgramDir(), readInf, [](const std::string&) { return true; })
             .empty())
        return;
    if (keyLine)
        out.Add(inf, keyLine, button ? Severity::Error : Severity::Warning, "autorun.home-page-empty",
                std::string("ID_HOMEPAGE is empty") + (button ? ": the home page button does nothing" : ""));
    else if (button)
        out.Add(inf, inf.SectionLine(kRunFilesSection), Severity::Error, "autorun.no-home-page",
                "[RUN_FILES] has no entry for ID_HOMEPAGE: the home page button does nothing");
}

// An entry that no image button reads: written for a button that is not in
// main.ini, or under a misspelt key; or a text longer than the menu reads.
void CheckEntry(const DiscModel& model, const ConfigFile& inf, const std::string& section,
                const platform::IniDocument::Located& key, const std::vector<std::string>& keys, Findings& out)
{
    const std::string where = "[" + section + "] " + key.name;
    const auto known = std::find_if(keys.begin(), keys.end(), [&](const std::string& k) { return EqualNoCase(k, key.name); });
    if (known != keys.end() && model.HasImageButton(*known)) {
        const std::string raw = inf.Raw(section, key.name);
        if (section == kTextInfoSection && raw.size() > kInfValueBufferChars - 1)
            out.Add(inf, key.line, Severity::Warning, "autorun.text-cut",
                    where + " has " + std::to_string(raw.size()) + " characters, and the menu reads only the first " +
                        std::to_string(kInfValueBufferChars - 1) + ": the text shown ends at " +
                        Quote(raw.substr(kInfValueBufferChars - 21, 20)));
        return;
    }
    const bool beyond = known == keys.end() && LooksLikeProgramButton(key.name);
    const std::string meant = known == keys.end() && !beyond ? ProbablyMeant(key.name, keys) : "";
    if (known != keys.end())
        out.Add(inf, key.line, Severity::Warning, "autorun.no-such-button",
                where + " is never read: no image button is named " + Quote(*known));
    else if (!meant.empty() && model.HasImageButton(meant) && !inf.doc.KeyLine(section, meant) &&
             section == kRunFilesSection)
        out.Add(inf, key.line, Severity::Error, "autorun.misspelt-entry",
                where + " is never read: probably " + meant + " was meant, which has no entry and opens the disc folder");
    else
        out.Add(inf, key.line, Severity::Warning, "autorun.unread-entry",
                where + " is never read" +
                    (beyond          ? ": the program buttons are ID_BUTTON1 to ID_BUTTON8"
                     : meant.empty() ? ": no image button reads it"
                                     : ": probably " + meant + " was meant"));
}

void CheckEntries(const DiscModel& model, const ConfigFile& inf, Findings& out)
{
    const std::vector<std::string> commands = ProgramButtonNames(); // the keys the menu may read
    for (const std::string section : {kRunFilesSection, kTextInfoSection}) {
        std::vector<std::string> keys = commands;
        if (section == kRunFilesSection)
            keys.push_back(kHomePageCommand);
        for (const auto& key : inf.doc.GetKeyNamesWithLines(section, std::numeric_limits<std::size_t>::max()))
            if (inf.doc.KeyLine(section, key.name) == key.line) // a repeated key is reported as such
                CheckEntry(model, inf, section, key, keys, out);
    }
    if (!model.InfoLabel())
        return;
    for (const std::string& name : commands)
        if (model.HasImageButton(name) && !inf.doc.KeyLine(kTextInfoSection, name) &&
            inf.doc.KeyLine(kRunFilesSection, name))
            out.Add(inf, inf.LineFor(kTextInfoSection, name), Severity::Warning, "autorun.no-text",
                    "[TEXT_INFO] has no entry for " + name + ": a click shows only the disc folder's path in \"" +
                        kInfoLabelName + "\"");
}

// A button that starts verpick.exe: it reads config.ini beside itself, and
// without it starts nothing.
void CheckLaunchers(const DiscModel& model, const ConfigFile& inf, Findings& out)
{
    for (const LauncherButton& launcher : model.launchers)
        if (!launcher.plan)
            out.Add(inf, inf.LineFor(kRunFilesSection, launcher.button), Severity::Error, "autorun.no-config",
                    launcher.button + " starts " + Quote(launcher.value) + ", but no " + launcher::kConfigFileName +
                        " is beside it: verpick starts nothing");
}

} // namespace

void CheckAutorun(const DiscModel& model, Findings& out)
{
    if (!model.autorun)
        return; // nothing in the menu reads AUTORUN.INF
    const ConfigFile& inf = *model.autorun;
    std::vector<std::string> programButtons;
    for (const std::string& name : ProgramButtonNames())
        if (model.HasImageButton(name))
            programButtons.push_back(name);
    if (!inf.Present())
        return out.Add(inf, 0, Severity::Error, "autorun.missing",
                       !programButtons.empty() ? "not found: the program buttons open the disc folder"
                                               : "not found: the home page button does nothing");
    for (const std::string& name : programButtons)
        CheckProgramButton(model, inf, name, out);
    CheckHomePage(model, inf, out);
    CheckEntries(model, inf, out);
    CheckLaunchers(model, inf, out);
}
