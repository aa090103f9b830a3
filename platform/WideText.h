#pragma once
// The edge between the programs' UTF-8 strings and the wide (UTF-16) calls of Win32.
#include "platform/TextCodec.h"

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16 units");

namespace platform {

inline std::wstring Wide(std::string_view utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

inline std::string Narrow(const wchar_t* text, std::size_t units)
{
    return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text), units));
}

inline std::string Narrow(const std::wstring& text)
{
    return Narrow(text.data(), text.size());
}

} // namespace platform
