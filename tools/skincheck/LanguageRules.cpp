// Language sections: which of them the menu never reads, and what the users
// of a language meet that the base sections do not show.
#include "tools/skincheck/Rules.h"

#include "platform/LanguageSections.h"
#include "skin/SkinFile.h"

#include <algorithm>
#include <map>

namespace {

using platform::EqualNoCase;
using platform::LanguageSectionState;

// A language section replaces lines of controls that its base section makes;
// any other key of it is never read.
void CheckControlKeys(const ConfigFile& skin, const std::string& base, const std::string& section, Findings& out)
{
    std::vector<std::string> read;
    for (const NumberedLine& line : ReadNumberedLines(IniFile(skin.file.hostPath), base))
        read.push_back(std::to_string(line.key));
    for (const auto& key : skin.doc.GetKeyNamesWithLines(section, IniFile::kKeyListBufferChars))
        if (std::find(read.begin(), read.end(), key.name) == read.end())
            out.Add(skin, key.line, Severity::Error, "language.unread-key",
                    "[" + section + "] key " + Quote(key.name) + " is never read: [" + base +
                        "] has no control of that key, and a language section adds none");
}

// The language sections of one file: each names a section of the file and a
// language, and is the first of that name.
void CheckSections(const DiscModel& model, const ConfigFile& file, Findings& out)
{
    const std::vector<std::string> bases = model.LanguageBases(file);
    std::map<std::string, std::size_t> first; // by base and normal tag
    for (const auto& header : file.doc.SectionHeaders()) {
        const auto split = platform::SplitLanguageSection(header.name);
        const auto base = std::find_if(bases.begin(), bases.end(),
                                       [&](const std::string& b) { return split && EqualNoCase(b, split->base); });
        if (base == bases.end())
            continue;
        const std::string section = "[" + header.name + "]";
        const LanguageSectionState state = platform::JudgeLanguageSection(file.doc, header.name);
        if (state == LanguageSectionState::NotATag) {
            out.Add(file, header.line, Severity::Error, "language.not-a-tag",
                    section + " is never read: " + Quote(std::string(split->tag)) +
                        " is not a language tag (as tr, de-AT or zh-Hans)");
            continue;
        }
        if (state == LanguageSectionState::NoBase) {
            out.Add(file, header.line, Severity::Error, "language.no-base",
                    section + " is never read: the file has no [" + *base + "] section, whose values it would replace");
            continue;
        }
        const bool controls = *base != "Screen" && &file == &model.skin;
        const auto [it, isFirst] =
            first.emplace(platform::NormalLanguageTag(*base + "." + std::string(split->tag)), header.line);
        if (!isFirst)
            out.Add(file, header.line, controls ? Severity::Error : Severity::Warning, "language.second-section",
                    section + " is never read: line " + std::to_string(it->second) +
                        " starts the section of that name and language");
        else if (controls)
            CheckControlKeys(file, *base, header.name, out);
    }
}

// The window of the language's pictures has another size than the base
// sections' window, which the control lines were laid out on.
void CheckWindowSize(const DiscModel& model, Findings& out)
{
    if (model.languages.empty() || model.baseWindow.width == 0 || model.outline.width == 0 ||
        (model.outline.width == model.baseWindow.width && model.outline.height == model.baseWindow.height))
        return;
    const ScreenPicture* mask = model.Screen("Mask");
    const ScreenPicture& frame = model.outline.shaped && mask->written ? *mask : *model.Screen("Main");
    out.Add(model.skin, frame.ref.line, Severity::Warning, "language.window-size",
            std::string("the ") + frame.role + " picture " + Quote(frame.ref.name) + " makes the window " +
                Size(model.outline.width, model.outline.height) + ", but the base sections' pictures make it " +
                Size(model.baseWindow.width, model.baseWindow.height) +
                ": the controls lie where the base sections put them, unless this language's lines move them");
}

// A language with texts of its own, but the base text for a program button.
void CheckInfoTexts(const DiscModel& model, Findings& out)
{
    if (model.languages.empty() || !model.autorun || !model.autorun->Present())
        return;
    const ConfigFile& inf = *model.autorun;
    const std::size_t texts = inf.LanguageSectionLine(kTextInfoSection);
    if (!texts && !model.skin.LanguageSectionLine("TEXTINFO"))
        return;
    for (const ModelControl& c : model.controls) {
        const std::string& name = c.Name();
        const bool program = name.size() == 10 && name.rfind(kProgramButtonPrefix, 0) == 0 &&
                             name[9] >= kFirstProgramButton && name[9] <= kLastProgramButton;
        if (!c.Is(ControlKindId::ImageButton) || !program || !inf.doc.GivesValue(kTextInfoSection, name) ||
            !EqualNoCase(inf.SectionFor(kTextInfoSection, name), kTextInfoSection))
            continue;
        out.Add(inf, texts ? texts : inf.doc.KeyLine(kTextInfoSection, name), Severity::Warning, "language.no-info-text",
                std::string("no [") + kTextInfoSection + "] section of this language has a text for " + name +
                    ": a click shows its users the base text");
    }
}

} // namespace

void CheckLanguages(const DiscModel& model, Findings& out)
{
    if (model.skin.Present())
        CheckSections(model, model.skin, out);
    if (model.autorun && model.autorun->Present())
        CheckSections(model, *model.autorun, out);
    CheckWindowSize(model, out);
    CheckInfoTexts(model, out);
}
