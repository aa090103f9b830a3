// Names and commands: the menu compares names byte for byte, and only image
// buttons run commands.
#include "tools/skincheck/Rules.h"

#include "tools/skincheck/NearNames.h"

#include <algorithm>

namespace {

using platform::EqualNoCase;

void CheckSameName(const DiscModel& model, std::size_t i, Findings& out)
{
    const ModelControl& c = model.controls[i];
    for (std::size_t j = 0; j < i; ++j)
        if (model.controls[j].kind == c.kind && model.controls[j].Name() == c.Name() && !c.Name().empty()) {
            out.Add(model.skin, c.line, Severity::Warning, "name.same",
                    Subject(c) + ": the " + c.kind->noun + " on line " + std::to_string(model.controls[j].line) +
                        " has the same name, and the menu cannot tell them apart");
            return;
        }
}

// An image button whose name looks like a command but is not one.
void CheckCommandName(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const std::vector<std::string> commands(std::begin(kMenuCommandNames), std::end(kMenuCommandNames));
    const std::string& name = c.Name();
    if (std::find(commands.begin(), commands.end(), name) != commands.end())
        return;
    const std::string trimmed(TrimBlanks(name)), loose = LooseName(name);
    for (const std::string& command : commands) {
        std::string how;
        if (EqualNoCase(trimmed, command))
            how = trimmed == name ? "only in case" : trimmed == command ? "only in blanks" : "in case and in blanks";
        else if (loose == LooseName(command))
            how = "only in spelling";
        if (!how.empty())
            return out.Add(model.skin, c.line, Severity::Error, "name.near-command",
                           Subject(c) + ": the name differs from the command " + Quote(command) + " " + how +
                               ", and names must match exactly: a click does nothing");
    }
    if (LooksLikeProgramButton(name))
        return out.Add(model.skin, c.line, Severity::Error, "name.program-button-range",
                       Subject(c) + ": the program buttons are ID_BUTTON1 to ID_BUTTON8, and a click on this one does nothing");
    const std::string meant = ProbablyMeant(name, commands);
    if (!meant.empty())
        out.Add(model.skin, c.line, Severity::Warning, "name.no-command",
                Subject(c) + ": the name is no command, and a click does nothing: probably " + Quote(meant) + " was meant");
}

// Commands that do something, on any control but an image button; ID_ICON
// and ID_MAXIMIZED name harmless things.
void CheckCommandElsewhere(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const bool acts = !DecideMenuClick(
                           c.Name(), "C:\\", [](const std::string&, const std::string&) { return std::string("x"); },
                           [](const std::string&) { return true; })
                           .empty();
    if (acts)
        out.Add(model.skin, c.line, Severity::Error, "name.command-elsewhere",
                Subject(c) + ": a click on " + WithArticle(c.kind->noun) + " runs no command; only image buttons [" +
                    ControlKindOf(ControlKindId::ImageButton).section + "] do");
}

void CheckInfoLabelName(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const std::string& name = c.Name();
    if (name == kInfoLabelName || !EqualNoCase(TrimBlanks(name), kInfoLabelName))
        return;
    const bool blanks = TrimBlanks(name) != name, cased = TrimBlanks(name) != kInfoLabelName;
    const char* how = blanks && cased ? "in case and in blanks" : blanks ? "only in blanks" : "only in case";
    out.Add(model.skin, c.line, Severity::Warning, "name.near-info-label",
            Subject(c) + ": the name differs from \"ID_INFO\" " + how +
                ", and the program buttons' texts go only to a label named exactly \"ID_INFO\"");
}

void CheckInfoLabel(const DiscModel& model, Findings& out)
{
    bool programButtons = false;
    for (char n = kFirstProgramButton; n <= kLastProgramButton; ++n)
        programButtons = programButtons || model.HasImageButton(kProgramButtonPrefix + std::string(1, n));
    if (!programButtons || model.InfoLabel())
        return;
    const std::size_t labels = model.skin.SectionLine(ControlKindOf(ControlKindId::TextLabel).section);
    out.Add(model.skin, labels ? labels : model.skin.SectionLine(ControlKindOf(ControlKindId::ImageButton).section),
            Severity::Warning, "name.no-info-label",
            "no text label is named \"ID_INFO\": the program buttons' texts are not shown");
}

// A button that a screen reader can name only by its control name: no
// tooltip text, no info text and no command the menu puts in words.
void CheckSpokenName(const DiscModel& model, const ModelControl& c, Findings& out)
{
    if (!TrimBlanks(c.fields.Text(FieldRole::Tooltip)).empty())
        return;
    const ConfigFile* inf = model.autorun && model.autorun->Present() ? &*model.autorun : nullptr;
    const auto readInf = [&](const std::string& section, const std::string& key) {
        return inf ? inf->Value(section, key, kInfValueBufferChars) : std::string();
    };
    const MenuButtonWords words = DescribeMenuButton(c.Name(), readInf);
    if (words.info.empty() && words.command.empty())
        out.Add(model.skin, c.line, Severity::Warning, "name.unspoken",
                Subject(c) + ": no tooltip text, no TEXT_INFO text and no command the menu knows: a screen reader "
                             "reads it only as " + Quote(c.Name()));
}

} // namespace

void CheckNames(const DiscModel& model, Findings& out)
{
    for (std::size_t i = 0; i < model.controls.size(); ++i) {
        const ModelControl& c = model.controls[i];
        CheckSameName(model, i, out);
        if (c.Is(ControlKindId::ImageButton))
            CheckCommandName(model, c, out);
        else
            CheckCommandElsewhere(model, c, out);
        if (c.Is(ControlKindId::TextLabel))
            CheckInfoLabelName(model, c, out);
        if (c.Is(ControlKindId::ImageButton) || c.Is(ControlKindId::ButtonEx))
            CheckSpokenName(model, c, out);
    }
    CheckInfoLabel(model, out);
}
