#pragma once
// Text as it arrives in files and at the platform's edge: which encoding a
// file's bytes are in, and the conversions between UTF-8 (the programs' own
// strings), UTF-16 (the platform's wide calls) and the ANSI code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// One code point read from UTF-8 at `at`. A broken sequence reads as
// kBrokenUtf8 and its length covers its longest valid beginning (at least one
// byte): the platform's converters count one replacement for it.
constexpr char32_t kBrokenUtf8 = 0xFFFFFFFF;
struct Utf8Step {
    char32_t codePoint;
    std::size_t length;
};
Utf8Step DecodeUtf8(std::string_view text, std::size_t at);

// Calls fn(codePoint) for each code point of `text`; kBrokenUtf8 for each
// broken sequence.
template <typename Fn>
void ForEachCodePoint(std::string_view text, Fn&& fn)
{
    for (std::size_t i = 0; i < text.size();) {
        Utf8Step step = DecodeUtf8(text, i);
        i += step.length;
        fn(step.codePoint);
    }
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text);
void AppendUtf8(std::string& out, char32_t codePoint);

// Broken sequences and unpaired surrogates become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Lengths of UTF-8 text as the wide calls count them: UTF-16 units (a broken
// sequence counts one, as its U+FFFD). Utf16PrefixBytes is the byte length of
// the longest beginning of `utf8` that takes at most `units` units; it never
// splits a character.
std::size_t Utf16Length(std::string_view utf8);
std::size_t Utf16PrefixBytes(std::string_view utf8, std::size_t units);

enum class TextEncoding { Ansi, Utf8, Utf8Bom, Utf16Le }; // EncodingName keeps this order
const char* EncodingName(TextEncoding encoding);

// UTF-16 LE or UTF-8 by their byte-order marks; without a mark, UTF-8 when the
// bytes are valid UTF-8 and hold a non-ASCII byte (what editors save today),
// otherwise the ANSI code page, so that existing ANSI files read as before.
TextEncoding DetectEncoding(std::string_view bytes);

// The file's text as UTF-8, its mark removed. `ansiToUtf8` converts from the
// ANSI code page of the machine (the platform's, or Cp1252ToUtf8 off Windows).
using AnsiToUtf8 = std::string (*)(std::string_view);
std::string DecodeText(std::string_view bytes, TextEncoding encoding, AnsiToUtf8 ansiToUtf8);

// Windows-1252: the ANSI code page of the portable stand-ins (and of Wine in a
// C.UTF-8 locale). The five bytes it leaves undefined stand for the C1
// controls of the same value, as the platform maps them.
std::string Cp1252ToUtf8(std::string_view ansi);
// The 1252 byte of a code point, or '?' where the code page lacks it.
char CodePointToCp1252(char32_t codePoint);

} // namespace platform
