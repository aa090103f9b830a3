#include "app/MenuCommand.h"

#include "skin/MessageTexts.h"
#include "platform/Text.h"

namespace {

std::vector<MenuEffect> ProgramButton(const std::string& name, const std::string& verb, const std::string& programDir,
                                      const InfReader& readInf, const PathTest& exists)
{
    const std::string runPath = programDir + readInf(kRunFilesSection, name);
    // The author's text is shown as written: with the program folder in front,
    // "Install" would read "E:\Install".
    std::vector<MenuEffect> effects{{MenuEffect::SetLabelText, kInfoLabelName, readInf(kTextInfoSection, name)}};
    if (!exists(runPath)) {
        effects.push_back({MenuEffect::ShowMessage, "", kFileNotFoundText});
        return effects;
    }
    effects.push_back({MenuEffect::Open, runPath, verb});
    effects.push_back({MenuEffect::Repaint, "", ""});
    return effects;
}

} // namespace

MenuButtonWords DescribeMenuButton(const std::string& name, const InfReader& readInf)
{
    static constexpr struct {
        const char* name;
        const char* words;
    } kCommandWords[] = {{kExitCommand, "Close"},
                         {kCloseCommand, "Close"},
                         {kMinimizeCommand, "Minimize"},
                         {kBrowseCommand, "Open the disc folder"},
                         {kHomePageCommand, "Home page"}};
    for (const auto& c : kCommandWords)
        if (name == c.name)
            return {"", c.words};
    for (char n = kFirstProgramButton; n <= kLastProgramButton; ++n)
        if (name == kProgramButtonPrefix + std::string(1, n))
            return {readInf(kTextInfoSection, name), ""};
    return {};
}

std::vector<MenuEffect> DecideMenuClick(const std::string& name, const std::string& programDir,
                                        const InfReader& readInf, const PathTest& exists)
{
    if (name == kExitCommand || name == kCloseCommand)
        return {{MenuEffect::EndDialog, "", ""}};
    for (char n = kFirstProgramButton; n <= kLastProgramButton; ++n)
        if (name == kProgramButtonPrefix + std::string(1, n))
            return ProgramButton(name, n == '7' ? "open" : "", programDir, readInf, exists);
    if (name == kBrowseCommand)
        return {{MenuEffect::Open, programDir, "open"}};
    if (name == kHomePageCommand) {
        const std::string address(platform::TrimBlanks(readInf(kRunFilesSection, kHomePageCommand)));
        if (address.empty())
            return {};
        return {{MenuEffect::Open, address, ""}};
    }
    if (name == kMinimizeCommand)
        return {{MenuEffect::Minimize, "", ""}};
    return {}; // "ID_MAXIMIZED", "ID_ICON" and every other name do nothing
}
