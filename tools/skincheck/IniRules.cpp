// INI structure: what of each configuration file the programs never read.
#include "tools/skincheck/Rules.h"

#include "launcher/LaunchPlan.h"
#include "tools/skincheck/NearNames.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

using platform::EqualNoCase;

void CheckEncoding(const ConfigFile& file, Findings& out)
{
    if (file.ansiBeyondAscii)
        out.Add(file, 0, Severity::Warning, "ini.ansi-letters",
                "holds letters beyond ASCII that are not UTF-8: they are read in the ANSI code page "
                "and shown differently on a Windows set to another language; save the file as UTF-8");
}

// Only the first of two sections of the same name is read: the controls of a
// second control section never appear.
void CheckSecondSections(const ConfigFile& file, const std::vector<std::string>& sections, bool skin, Findings& out)
{
    std::map<std::string, std::size_t> first;
    for (const auto& header : file.doc.SectionHeaders()) {
        const auto known = std::find_if(sections.begin(), sections.end(),
                                        [&](const std::string& s) { return EqualNoCase(s, header.name); });
        if (known == sections.end())
            continue;
        auto [it, isFirst] = first.emplace(*known, header.line);
        const bool controls = skin && !EqualNoCase(*known, "Screen");
        if (!isFirst)
            out.Add(file, header.line, controls ? Severity::Error : Severity::Warning, "ini.second-section",
                    "a second [" + header.name + "] section is never read (the first is on line " +
                        std::to_string(it->second) + ")");
    }
}

// A section the programs do not read, named nearly as one they do.
void CheckMisspeltSections(const ConfigFile& file, const std::vector<std::string>& sections, Findings& out)
{
    for (const auto& header : file.doc.SectionHeaders()) {
        if (std::any_of(sections.begin(), sections.end(), [&](const std::string& s) { return EqualNoCase(s, header.name); }))
            continue;
        const std::string meant = ProbablyMeant(header.name, sections);
        if (meant.empty())
            continue;
        const std::size_t keys = file.doc.GetKeyNamesWithLines(header.name, IniFile::kKeyListBufferChars).size();
        out.Add(file, header.line, keys ? Severity::Error : Severity::Warning, "ini.misspelt-section",
                "[" + header.name + "] is never read" +
                    (keys ? ", nor its " + std::to_string(keys) + (keys == 1 ? " key" : " keys") : std::string()) +
                    ": probably [" + meant + "] was meant");
    }
}

void CheckScreenKeys(const ConfigFile& skin, Findings& out)
{
    const std::vector<std::string> roles{"Main", "Mask", "Over", "Down", "Disabled"};
    for (const auto& key : skin.doc.GetKeyNamesWithLines("Screen", IniFile::kKeyListBufferChars)) {
        if (std::any_of(roles.begin(), roles.end(), [&](const std::string& r) { return EqualNoCase(r, key.name); }))
            continue;
        const std::string meant = ProbablyMeant(key.name, roles);
        out.Add(skin, key.line, Severity::Warning, "ini.screen-key",
                "[Screen] " + key.name + " is never read: " +
                    (meant.empty() ? "the keys are Main, Mask, Over, Down and Disabled" : "probably " + meant + " was meant"));
    }
}

// Of two lines with the same key, only the first is read.
void CheckRepeatedKeys(const ConfigFile& file, const std::string& section, Findings& out)
{
    std::vector<platform::IniDocument::Located> seen;
    for (const auto& key : file.doc.GetKeyNamesWithLines(section, IniFile::kKeyListBufferChars)) {
        const auto earlier = std::find_if(seen.begin(), seen.end(), [&](const auto& k) { return EqualNoCase(k.name, key.name); });
        if (earlier != seen.end())
            out.Add(file, key.line, Severity::Warning, "ini.repeated-key",
                    "[" + section + "] " + key.name + " is never read: line " + std::to_string(earlier->line) +
                        " has the same key");
        else
            seen.push_back(key);
    }
}

// The dialog reads keys "1" to N, N being how many keys the section lists.
void CheckNumberedKeys(const ConfigFile& skin, const std::string& section, Findings& out)
{
    const auto listed = skin.doc.GetKeyNamesWithLines(section, IniFile::kKeyListBufferChars);
    const std::size_t count = listed.size();
    std::set<std::size_t> readLines;
    std::vector<std::size_t> missing;
    for (std::size_t i = 1; i <= count; ++i) {
        if (std::size_t line = skin.doc.KeyLine(section, std::to_string(i)))
            readLines.insert(line);
        else
            missing.push_back(i);
    }
    for (const auto& key : listed) {
        if (readLines.count(key.line))
            continue;
        std::string why;
        const auto same = std::find_if(listed.begin(), listed.end(), [&](const auto& k) {
            return k.line != key.line && EqualNoCase(k.name, key.name) && readLines.count(k.line);
        });
        if (same != listed.end()) {
            why = "line " + std::to_string(same->line) + " has the same key";
        } else {
            why = "the section lists " + std::to_string(count) + " keys, so the menu reads keys 1 to " +
                  std::to_string(count);
            if (!missing.empty()) {
                why += missing.size() == 1 ? ", and key " : ", and keys ";
                for (std::size_t m = 0; m < missing.size(); ++m)
                    why += (m ? (m + 1 == missing.size() ? " and " : ", ") : "") + std::to_string(missing[m]);
                why += missing.size() == 1 ? " is missing" : " are missing";
            }
        }
        out.Add(skin, key.line, Severity::Error, "ini.unread-control-key",
                "[" + section + "] key " + Quote(key.name) + " is never read: " + why);
    }
}

void CheckSkinFile(const ConfigFile& skin, Findings& out)
{
    if (!skin.Present()) {
        out.Add(skin, 0, Severity::Error, "ini.no-skin", "not found: the menu opens as an empty window");
        return;
    }
    std::vector<std::string> sections{"Screen"};
    for (const auto& kind : ControlKinds())
        sections.push_back(kind.section);
    CheckSecondSections(skin, sections, true, out);
    CheckMisspeltSections(skin, sections, out);
    if (skin.SectionLine("Screen")) {
        CheckScreenKeys(skin, out);
        CheckRepeatedKeys(skin, "Screen", out);
    }
    for (const auto& kind : ControlKinds())
        CheckNumberedKeys(skin, kind.section, out);
}

// A file of named sections whose keys are read by name.
void CheckKeyedFile(const ConfigFile& file, const std::vector<std::string>& sections, Findings& out)
{
    if (!file.Present())
        return;
    CheckSecondSections(file, sections, false, out);
    CheckMisspeltSections(file, sections, out);
    for (const std::string& section : sections)
        CheckRepeatedKeys(file, section, out);
}

} // namespace

void CheckIniStructure(const DiscModel& model, Findings& out)
{
    for (const ConfigFile* file : model.Files())
        CheckEncoding(*file, out);
    CheckSkinFile(model.skin, out);
    if (model.autorun)
        CheckKeyedFile(*model.autorun, {kRunFilesSection, kTextInfoSection}, out);
    for (const LaunchPlan& plan : model.plans)
        CheckKeyedFile(plan.config, {launcher::kConfigSection}, out);
}
