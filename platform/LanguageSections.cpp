#include "platform/LanguageSections.h"

#include "platform/Text.h"

#include <algorithm>

namespace platform {
namespace {

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '-' || c == '_'; }

} // namespace

std::string NormalLanguageTag(std::string_view tag)
{
    std::string out(tag);
    for (char& c : out)
        c = c == '_' ? '-' : (c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    return out;
}

bool IsLanguageTag(std::string_view tag)
{
    std::size_t i = 0, subtags = 0;
    while (true) {
        const std::size_t start = i;
        while (i < tag.size() && (IsLetter(tag[i]) || (subtags && IsDigit(tag[i]))))
            ++i;
        const std::size_t length = i - start;
        if (subtags == 0 ? length < 2 || length > 3 : length < 1 || length > 8)
            return false;
        ++subtags;
        if (i == tag.size())
            return true;
        if (!IsSeparator(tag[i++]))
            return false;
    }
}

std::vector<std::string> ChooseLanguages(const std::vector<std::string>& displayLanguages)
{
    std::vector<std::string> chosen;
    for (const std::string& language : displayLanguages) {
        if (!IsLanguageTag(language))
            continue;
        std::string tag = NormalLanguageTag(language);
        while (true) {
            if (std::find(chosen.begin(), chosen.end(), tag) == chosen.end())
                chosen.push_back(tag);
            const std::size_t dash = tag.rfind('-');
            if (dash == std::string::npos)
                break;
            tag.erase(dash);
            // A single letter only introduces the subtags after it ("x" of
            // "en-x-twain"): no tag ends in one.
            if (tag.size() > 2 && tag[tag.size() - 2] == '-')
                tag.erase(tag.size() - 2);
        }
    }
    return chosen;
}

std::optional<LanguageSectionName> SplitLanguageSection(std::string_view name)
{
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == name.size())
        return std::nullopt;
    return LanguageSectionName{name.substr(0, dot), name.substr(dot + 1)};
}

LanguageSectionState JudgeLanguageSection(const IniDocument& doc, std::string_view name)
{
    const auto split = SplitLanguageSection(TrimBlanks(name));
    if (!split)
        return LanguageSectionState::NotLanguage;
    if (!IsLanguageTag(split->tag))
        return LanguageSectionState::NotATag;
    return doc.HasSection(split->base) ? LanguageSectionState::Read : LanguageSectionState::NoBase;
}

std::string LanguageSectionFor(const IniDocument& doc, const std::vector<std::string>& languages,
                               std::string_view section, std::string_view key)
{
    const std::string_view base = TrimBlanks(section);
    if (languages.empty() || !doc.HasSection(base))
        return std::string(section);
    for (const std::string& language : languages)
        for (std::size_t i = 0; i < doc.SectionCount(); ++i) {
            const std::string& name = doc.SectionName(i);
            const auto split = SplitLanguageSection(name);
            if (!split || !EqualNoCase(split->base, base) || NormalLanguageTag(split->tag) != language)
                continue;
            // Only the first section of a name is read, as for every section.
            if (doc.GivesValue(name, key))
                return name;
            break;
        }
    return std::string(section);
}

} // namespace platform
