#include "platform/TextCodec.h"


namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// 0x80..0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

bool StartsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";

std::u16string BytesToUtf16Le(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) // an odd last byte is no unit
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                     static_cast<unsigned char>(bytes[i + 1]) << 8);
    return out;
}

} // namespace

Utf8Step DecodeUtf8(std::string_view text, std::size_t at)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char b = byte(at);
    if (b < 0x80)
        return {b, 1};
    int need;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the first continuation byte
    char32_t cp;
    if (b >= 0xC2 && b <= 0xDF) {
        need = 1;
        cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        need = 2;
        cp = b & 0x0F;
        if (b == 0xE0) lo = 0xA0; // overlong
        if (b == 0xED) hi = 0x9F; // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        need = 3;
        cp = b & 0x07;
        if (b == 0xF0) lo = 0x90; // overlong
        if (b == 0xF4) hi = 0x8F; // above U+10FFFF
    } else {
        return {kBrokenUtf8, 1};
    }
    std::size_t j = at + 1;
    for (int got = 0; got < need; ++got, ++j) {
        if (j >= text.size())
            return {kBrokenUtf8, j - at};
        unsigned char c = byte(j);
        if (c < (got == 0 ? lo : 0x80) || c > (got == 0 ? hi : 0xBF))
            return {kBrokenUtf8, j - at};
        cp = (cp << 6) | (c & 0x3F);
    }
    return {cp, j - at};
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        Utf8Step step = DecodeUtf8(text, i);
        if (step.codePoint == kBrokenUtf8)
            return false;
        i += step.length;
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | cp >> 6);
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | cp >> 12);
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | cp >> 18);
        out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    ForEachCodePoint(utf8, [&out](char32_t cp) {
        if (cp == kBrokenUtf8)
            cp = kReplacement;
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t u = utf16[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
            utf16[i + 1] <= 0xDFFF) {
            u = 0x10000 + ((u - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, u); // a lone surrogate becomes U+FFFD there
    }
    return out;
}

std::size_t Utf16PrefixBytes(std::string_view utf8, std::size_t units)
{
    std::size_t i = 0;
    while (i < utf8.size()) {
        Utf8Step step = DecodeUtf8(utf8, i);
        const std::size_t need = step.codePoint != kBrokenUtf8 && step.codePoint >= 0x10000 ? 2 : 1;
        if (need > units)
            break;
        units -= need;
        i += step.length;
    }
    return i;
}

std::size_t Utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        Utf8Step step = DecodeUtf8(utf8, i);
        units += step.codePoint != kBrokenUtf8 && step.codePoint >= 0x10000 ? 2 : 1;
        i += step.length;
    }
    return units;
}

const char* EncodingName(TextEncoding encoding)
{
    static const char* const kNames[] = {"ANSI code page", "UTF-8", "UTF-8 with byte-order mark", "UTF-16 LE"};
    return kNames[static_cast<int>(encoding)];
}

TextEncoding DetectEncoding(std::string_view bytes)
{
    if (StartsWith(bytes, kUtf16LeBom))
        return TextEncoding::Utf16Le;
    if (StartsWith(bytes, kUtf8Bom))
        return TextEncoding::Utf8Bom;
    bool nonAscii = false;
    for (char c : bytes)
        nonAscii |= static_cast<unsigned char>(c) >= 0x80;
    return nonAscii && IsValidUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Ansi;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding, AnsiToUtf8 ansiToUtf8)
{
    switch (encoding) {
    case TextEncoding::Utf16Le:
        return Utf16ToUtf8(BytesToUtf16Le(bytes.substr(kUtf16LeBom.size())));
    case TextEncoding::Utf8Bom:
        bytes.remove_prefix(kUtf8Bom.size());
        [[fallthrough]];
    case TextEncoding::Utf8:
        // Valid by detection, but a caller may name the encoding itself.
        return Utf16ToUtf8(Utf8ToUtf16(bytes));
    case TextEncoding::Ansi: break;
    }
    return ansiToUtf8(bytes);
}

std::string Cp1252ToUtf8(std::string_view ansi)
{
    std::string out;
    out.reserve(ansi.size());
    for (char c : ansi) {
        auto b = static_cast<unsigned char>(c);
        char32_t cp = b >= 0x80 && b <= 0x9F && kCp1252High[b - 0x80] != 0 ? kCp1252High[b - 0x80] : b;
        AppendUtf8(out, cp);
    }
    return out;
}

char CodePointToCp1252(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<char>(cp);
    for (int i = 0; i < 32; ++i)
        if ((kCp1252High[i] == 0 && cp == static_cast<char32_t>(0x80 + i)) ||
            (kCp1252High[i] != 0 && kCp1252High[i] == cp))
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace platform
