#include "platform/DisplayLanguages.h"

#include "platform/Module.h"
#include "platform/Process.h"
#include "platform/WideText.h"

#include <windows.h>

#include <cwchar>

namespace platform {

std::vector<std::string> UserDisplayLanguages()
{
    std::vector<std::string> languages;
    using PreferredFn = BOOL(WINAPI*)(DWORD, PULONG, PZZWSTR, PULONG);
    // Looked up rather than linked, so that the menu still starts before Vista.
    const auto preferred =
        FunctionFrom<PreferredFn>(LoadedDll("kernel32.dll"), "GetUserPreferredUILanguages");
    ULONG count = 0, size = 0;
    if (preferred && preferred(MUI_LANGUAGE_NAME, &count, nullptr, &size) && size > 0) {
        std::wstring list(size, L'\0');
        if (preferred(MUI_LANGUAGE_NAME, &count, list.data(), &size))
            // Names each ended by a zero, the list by an empty one.
            for (std::size_t start = 0, end; start < list.size() && list[start]; start = end + 1) {
                end = list.find(L'\0', start);
                if (end == std::wstring::npos)
                    end = list.size();
                languages.push_back(Narrow(list.data() + start, end - start));
            }
    }
    if (!languages.empty())
        return languages;
    // The UI language's ISO names, which every Windows gives.
    const LCID locale = MAKELCID(::GetUserDefaultUILanguage(), SORT_DEFAULT);
    wchar_t language[9] = {}, region[9] = {};
    if (::GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, language, 9) > 1) {
        std::string tag = Narrow(language, wcslen(language));
        if (::GetLocaleInfoW(locale, LOCALE_SISO3166CTRYNAME, region, 9) > 1)
            tag += "-" + Narrow(region, wcslen(region));
        languages.push_back(tag);
    }
    return languages;
}

} // namespace platform
