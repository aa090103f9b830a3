#pragma once
// CFont: owns one font or none, made from a LOGFONT description; and the two
// text calls the labels make, kept here with this layer's other ANSI calls.
#include "Win32Handles.h"

#include <climits>
#include <cstring>
#include <string>

class CFont : public platform::GdiObjectOwner<HFONT> {
public:
    bool CreateFontIndirect(const LOGFONTA& description)
    {
        m_object.Reset(::CreateFontIndirectA(&description));
        return m_object.IsValid();
    }
    // The description of this font; false without one.
    bool GetLogFont(LOGFONTA* description) const
    {
        return m_object && ::GetObjectA(m_object.Get(), sizeof *description, description) == sizeof *description;
    }
    // A font of its own made from the description of a shared one (a stock font).
    bool CreateCopyOf(HGDIOBJ font)
    {
        LOGFONTA description{};
        if (!font || ::GetObjectA(font, sizeof description, &description) != sizeof description)
            return false;
        return CreateFontIndirect(description);
    }

    // Sets the face of `description`: at most the 31 characters that fit.
    static void SetFaceName(LOGFONTA& description, const std::string& face)
    {
        const std::size_t n = face.size() < LF_FACESIZE - 1 ? face.size() : LF_FACESIZE - 1;
        std::memcpy(description.lfFaceName, face.data(), n);
        description.lfFaceName[n] = '\0';
    }
};

namespace platform {

inline int TextLength(const std::string& text)
{
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

// Width and height of `text` in the font selected into `dc`.
inline SIZE TextExtent(HDC dc, const std::string& text)
{
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(dc, text.c_str(), TextLength(text), &size);
    return size;
}

inline void DrawText(HDC dc, const std::string& text, RECT rect, UINT format)
{
    ::DrawTextA(dc, text.c_str(), TextLength(text), &rect, format);
}

} // namespace platform
