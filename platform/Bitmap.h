#pragma once
// CBitmap: owns one bitmap handle or none.
#include "platform/Win32Handles.h"

namespace platform {
// The format of a 32-bit uncompressed DIB; a negative height stores the rows
// top-down, a positive one bottom-up.
inline BITMAPINFO Dib32Format(LONG width, LONG height)
{
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// What GDI tells of a bitmap: its size and format; false when it cannot.
inline bool DescribeBitmap(HBITMAP bitmap, BITMAP& info)
{
    return ::GetObjectA(bitmap, sizeof info, &info) != 0;
}

// True when the bitmap is a DIB section, whose bits the program can reach.
inline bool IsDibSection(HBITMAP bitmap)
{
    DIBSECTION dib{};
    return ::GetObjectA(bitmap, sizeof dib, &dib) == sizeof dib;
}

} // namespace platform

class CBitmap : public platform::GdiObjectOwner<HBITMAP> {
public:
    // Takes ownership of `bitmap`, destroying the one held before.
    void Attach(HBITMAP bitmap) { m_object.Reset(bitmap); }
    HBITMAP Detach() { return m_object.Detach(); }

    bool CreateCompatibleBitmap(HDC dc, int width, int height)
    {
        m_object.Reset(::CreateCompatibleBitmap(dc, width, height));
        return m_object.IsValid();
    }

    // Width and height in pixels; 0, 0 when empty.
    SIZE GetSize() const
    {
        BITMAP bm{};
        if (!m_object || !platform::DescribeBitmap(m_object.Get(), bm))
            return SIZE{0, 0};
        return SIZE{bm.bmWidth, bm.bmHeight};
    }
};
