#include "tools/skincheck/Rules.h"

#include <algorithm>

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

std::string WithArticle(const std::string& noun)
{
    return (std::string("aeiouAEIOU").find(noun.front()) != std::string::npos ? "an " : "a ") + noun;
}

std::string JoinFields(const std::vector<std::string>& names)
{
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += i + 1 == names.size() ? " and " : ", ";
        out += "the " + names[i];
    }
    return out;
}

std::string Subject(const ModelControl& control) { return std::string(control.kind->noun) + " " + Quote(control.Name()); }

const std::vector<RuleFamily>& RuleFamilies()
{
    static const std::vector<RuleFamily> families{
        {"ini", CheckIniStructure},     {"screen", CheckScreen},   {"control", CheckControlLines},
        {"name", CheckNames},           {"click", CheckClicks},    {"autorun", CheckAutorun},
        {"config", CheckConfig},        {"language", CheckLanguages},
    };
    return families;
}

std::vector<Finding> CheckModel(const DiscModel& model)
{
    Findings found;
    for (const RuleFamily& family : RuleFamilies())
        family.check(model, found);
    std::vector<Finding> findings = std::move(found.List());
    SortFindings(model, findings);
    return findings;
}

void SortFindings(const DiscModel& model, std::vector<Finding>& findings)
{
    std::vector<std::string> files;
    for (const ConfigFile* file : model.Files())
        files.push_back(file->shown);
    const auto rank = [&](const std::string& file) { return std::find(files.begin(), files.end(), file) - files.begin(); };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        return rank(a.file) != rank(b.file) ? rank(a.file) < rank(b.file) : a.line < b.line;
    });
}
