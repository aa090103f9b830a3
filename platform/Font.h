#pragma once
// CFont: owns one font or none, made from a LOGFONT description; and the two
// text calls the labels make, kept here with this layer's other text calls.
#include "platform/TextCodec.h"
#include "platform/Win32Handles.h"
#include "platform/WideText.h"

#include <climits>
#include <cstring>
#include <string>

class CFont : public platform::GdiObjectOwner<HFONT> {
public:
    bool CreateFontIndirect(const LOGFONTW& description)
    {
        m_object.Reset(::CreateFontIndirectW(&description));
        return m_object.IsValid();
    }
    // The description of this font; false without one.
    bool GetLogFont(LOGFONTW* description) const
    {
        return m_object && ::GetObjectW(m_object.Get(), sizeof *description, description) == sizeof *description;
    }
    // A font of its own made from the description of a shared one (a stock font).
    bool CreateCopyOf(HGDIOBJ font)
    {
        LOGFONTW description{};
        if (!font || ::GetObjectW(font, sizeof description, &description) != sizeof description)
            return false;
        return CreateFontIndirect(description);
    }

    // Sets the face of `description` (UTF-8): at most the 31 UTF-16 units that
    // fit, never half a character.
    static void SetFaceName(LOGFONTW& description, const std::string& face)
    {
        const std::wstring wide =
            platform::Wide(face.substr(0, platform::Utf16PrefixBytes(face, LF_FACESIZE - 1)));
        std::memcpy(description.lfFaceName, wide.data(), wide.size() * sizeof(wchar_t));
        description.lfFaceName[wide.size()] = L'\0';
    }
};

namespace platform {

inline int TextLength(const std::wstring& text)
{
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

// Width and height of `text` in the font selected into `dc`.
inline SIZE TextExtent(HDC dc, const std::string& text)
{
    SIZE size{0, 0};
    const std::wstring wide = Wide(text);
    ::GetTextExtentPoint32W(dc, wide.c_str(), TextLength(wide), &size);
    return size;
}

inline void DrawText(HDC dc, const std::string& text, RECT rect, UINT format)
{
    const std::wstring wide = Wide(text);
    ::DrawTextW(dc, wide.c_str(), TextLength(wide), &rect, format);
}

} // namespace platform
