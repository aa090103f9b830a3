#pragma once
// Language sections: a section NAME.TAG of a profile file (Screen.tr,
// RUN_FILES.de-AT) gives NAME's values for users of that language. Tags are
// matched without regard to case, '_' read as '-'. Which languages apply is a
// list of tags, most specific first, chosen from the user's display languages;
// the base section NAME comes after all of them. Portable.
#include "platform/IniDocument.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The tag as compared: lower case, '_' read as '-'.
std::string NormalLanguageTag(std::string_view tag);

// A language of two or three letters, then subtags of one to eight letters or
// digits, each after '-' or '_' ("tr", "de-AT", "zh-Hant-TW", "es-419").
bool IsLanguageTag(std::string_view tag);

// The languages to read, most specific first: each display language, in the
// user's order, followed by its parents ("de-AT", "de"); each once, normal
// tags; names that are not language tags are left out.
std::vector<std::string> ChooseLanguages(const std::vector<std::string>& displayLanguages);

// A section name split at its first '.': the base section and the tag. None
// for a name without a dot, or with nothing before or after it.
struct LanguageSectionName {
    std::string_view base;
    std::string_view tag;
};
std::optional<LanguageSectionName> SplitLanguageSection(std::string_view name);

// Whether the section `name` of `doc` is a language section that is read:
// the part before the dot names a section the file has, and the part after
// it is a language tag. A section without a dot is no language section.
enum class LanguageSectionState { NotLanguage, Read, NotATag, NoBase };
LanguageSectionState JudgeLanguageSection(const IniDocument& doc, std::string_view name);

// The section that `key` of `section` is read from: the first language
// section `section.TAG` of `languages` (normal tags, as ChooseLanguages gives
// them; of sections of one name, the first in the file)
// whose entry for `key` holds a value, else `section` itself (also when the
// file has no section `section`: a language section only ever replaces a value of its base). An empty value
// counts as none: a language section only ever replaces a value.
std::string LanguageSectionFor(const IniDocument& doc, const std::vector<std::string>& languages,
                               std::string_view section, std::string_view key);

} // namespace platform
