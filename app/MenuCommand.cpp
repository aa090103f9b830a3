#include "MenuCommand.h"

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string Trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

std::vector<MenuEffect> ProgramButton(const std::string& name, const std::string& verb, const std::string& programDir,
                                      const InfReader& readInf, const PathTest& exists)
{
    const std::string runPath = programDir + readInf("RUN_FILES", name);
    // The author's text is shown as written: with the program folder in front,
    // "Install" would read "E:\Install".
    std::vector<MenuEffect> effects{{MenuEffect::SetLabelText, "ID_INFO", readInf("TEXT_INFO", name)}};
    if (!exists(runPath)) {
        effects.push_back({MenuEffect::ShowMessage, "", "File Not Found !"});
        return effects;
    }
    effects.push_back({MenuEffect::Open, runPath, verb});
    effects.push_back({MenuEffect::Repaint, "", ""});
    return effects;
}

} // namespace

std::vector<MenuEffect> DecideMenuClick(const std::string& name, const std::string& programDir,
                                        const InfReader& readInf, const PathTest& exists)
{
    if (name == "ID_EXIT" || name == "ID_CLOSE")
        return {{MenuEffect::EndDialog, "", ""}};
    for (char n = '1'; n <= '8'; ++n)
        if (name == std::string("ID_BUTTON") + n)
            return ProgramButton(name, n == '7' ? "open" : "", programDir, readInf, exists);
    if (name == "ID_BROWSE")
        return {{MenuEffect::Open, programDir, "open"}};
    if (name == "ID_HOMEPAGE") {
        std::string address = Trim(readInf("RUN_FILES", "ID_HOMEPAGE"));
        if (address.empty())
            return {};
        return {{MenuEffect::Open, address, ""}};
    }
    if (name == "ID_MINIMIZE")
        return {{MenuEffect::Minimize, "", ""}};
    return {}; // "ID_MAXIMIZED", "ID_ICON" and every other name do nothing
}
