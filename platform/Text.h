#pragma once
// The text rules the programs share: which bytes are blanks, trimming them, and
// comparing names without regard to case. Bytes of the ANSI code page: only
// ASCII letters have a case here.
#include <string_view>

namespace platform {

// Space, tab, CR, LF, VT and FF: what the C library's isspace takes in the "C" locale.
bool IsBlank(char c);

// `text` without blanks (by default those above) at either end; a view into `text`.
std::string_view TrimBlanks(std::string_view text, bool (*isBlank)(char) = IsBlank);

// True when the two differ at most in the case of ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);

} // namespace platform
