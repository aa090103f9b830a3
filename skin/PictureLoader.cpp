#include "skin/PictureLoader.h"

#include "skin/BmpDecoder.h"
#include "platform/ComApartment.h"
#include "platform/Win32Files.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <cstdint>

namespace {

// A skin picture is a window-sized image; a file beyond this is not one and
// is not read into memory.
constexpr LONGLONG kMaxPictureBytes = LONGLONG(256) << 20;

// The whole file in a movable global block, as the OLE stream takes it; none
// when the file is missing, empty, unreadable or too large.
platform::GlobalMemory ReadIntoGlobalMemory(const std::string& path, DWORD& length)
{
    // Shared for reading, so that two programs may load the same skin at once.
    platform::KernelHandle file = platform::OpenFileForReading(path);
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.Get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxPictureBytes)
        return {};
    length = static_cast<DWORD>(size.QuadPart);
    platform::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, length));
    platform::GlobalLock locked(block.Get());
    if (!locked)
        return {};
    auto* bytes = static_cast<unsigned char*>(locked.Bytes());
    for (DWORD done = 0; done < length;) {
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes + done, length - done, &got, nullptr) || got == 0)
            return {}; // shrunk or failed under us
        done += got;
    }
    locked.Reset();
    return block;
}

// The decoded bitmap, owned by the caller alone; none when the bytes are not a
// picture that decodes to a bitmap (icons and metafiles are not bitmaps).
platform::UniqueBitmap Decode(platform::GlobalMemory block, DWORD length)
{
    if (!block)
        return {};
    {
        // A BMP whose header gives no width or no height holds no picture,
        // though some decoders make a 1 × 1 one of it.
        platform::GlobalLock locked(block.Get());
        long long width = 0, height = 0;
        if (!locked ||
            (BmpHeaderSize(std::string_view(static_cast<const char*>(locked.Bytes()), std::min<DWORD>(length, 64)),
                           width, height) &&
             (width == 0 || height == 0)))
            return {};
    }
    platform::ComApartment apartment;
    platform::ComPtr<IStream> stream;
    const HRESULT made = ::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Put());
    if (FAILED(made) || !stream)
        return {};
    block.Detach(); // the stream frees it now
    platform::ComPtr<IPicture> picture;
    const HRESULT hr = ::OleLoadPicture(stream.Get(), static_cast<LONG>(length), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(static_cast<IPicture**>(picture.Put())));
    stream.Reset();
    if (FAILED(hr) || !picture)
        return {};
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture.Get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture.Get()->get_Handle(&handle)) || handle == 0)
        return {};
    // OLE handles are 32 bits; GDI handles sign-extend from them.
    auto decoded = static_cast<HBITMAP>(LongToHandle(static_cast<LONG>(handle)));
    // The picture object destroys its bitmap when released, so keep a copy of
    // the same kind (device-dependent or DIB section, same depth).
    return platform::UniqueBitmap(static_cast<HBITMAP>(
        ::CopyImage(decoded, IMAGE_BITMAP, 0, 0, platform::IsDibSection(decoded) ? LR_CREATEDIBSECTION : 0)));
}

} // namespace

void LoadPicture(const std::string& path, CBitmap& bitmap, SIZE& size)
{
    DWORD length = 0;
    platform::GlobalMemory block = ReadIntoGlobalMemory(path, length);
    bitmap.Attach(Decode(std::move(block), length).Detach());
    size = bitmap.GetSize();
}

platform::UniqueBitmap LoadPictureFromMemory(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > static_cast<std::size_t>(kMaxPictureBytes))
        return {};
    const auto length = static_cast<DWORD>(bytes.size());
    platform::GlobalMemory block(::GlobalAlloc(GMEM_MOVEABLE, length));
    {
        platform::GlobalLock locked(block.Get());
        if (!locked)
            return {};
        std::copy(bytes.begin(), bytes.end(), static_cast<char*>(locked.Bytes()));
    }
    return Decode(std::move(block), length);
}

namespace {

// Runs `draw` with `bitmap` selected into a memory device context compatible
// with `dc`, for a copy of width × height that GDI can take; nothing otherwise.
template <typename Draw>
void WithSelected(HDC dc, HBITMAP bitmap, LONGLONG width, LONGLONG height, Draw draw)
{
    if (!bitmap || width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX)
        return;
    platform::MemoryDc memory(::CreateCompatibleDC(dc));
    if (!memory)
        return;
    platform::Selection selected(memory.Get(), bitmap);
    if (selected)
        draw(memory.Get(), static_cast<int>(width), static_cast<int>(height));
}

} // namespace

void DrawBitmap(HDC dc, HBITMAP bitmap, const RECT& rect)
{
    WithSelected(dc, bitmap, LONGLONG(rect.right) - rect.left, LONGLONG(rect.bottom) - rect.top,
                 [&](HDC memory, int w, int h) { ::BitBlt(dc, rect.left, rect.top, w, h, memory, 0, 0, SRCCOPY); });
}

void DrawPictureArea(HDC dc, const CBitmap& picture, const RECT& area, POINT to)
{
    const SIZE size = picture.GetSize();
    WithSelected(dc, picture.GetSafeHandle(), LONGLONG(area.right) - area.left, LONGLONG(area.bottom) - area.top,
                 [&](HDC memory, int w, int h) {
                     if (area.left < 0 || area.top < 0 || area.right > size.cx || area.bottom > size.cy)
                         ::PatBlt(dc, to.x, to.y, w, h, BLACKNESS); // then the part that the picture holds
                     const RECT held{std::max(area.left, 0L), std::max(area.top, 0L), std::min(area.right, size.cx),
                                     std::min(area.bottom, size.cy)};
                     if (held.left < held.right && held.top < held.bottom)
                         ::BitBlt(dc, to.x + (held.left - area.left), to.y + (held.top - area.top),
                                  held.right - held.left, held.bottom - held.top, memory, held.left, held.top,
                                  SRCCOPY);
                 });
}

void CropBitmap(HDC dc, CBitmap& target, const CBitmap& source, int left, int top, int right, int bottom)
{
    if (!source)
        return;
    const LONGLONG width = LONGLONG(right) - left, height = LONGLONG(bottom) - top;
    if (width <= 0 || height <= 0 || width > INT32_MAX || height > INT32_MAX ||
        !target.CreateCompatibleBitmap(dc, static_cast<int>(width), static_cast<int>(height))) {
        target.DeleteObject();
        return;
    }
    platform::MemoryDc targetDc(::CreateCompatibleDC(dc));
    platform::MemoryDc sourceDc(::CreateCompatibleDC(dc));
    if (!targetDc || !sourceDc) {
        target.DeleteObject();
        return;
    }
    platform::Selection targetSelected(targetDc.Get(), target.GetSafeHandle());
    platform::Selection sourceSelected(sourceDc.Get(), source.GetSafeHandle());
    const int w = static_cast<int>(width), h = static_cast<int>(height);
    // A new compatible bitmap holds whatever the memory held: make the part
    // that lies beyond the source black rather than left over.
    if (!targetSelected || !sourceSelected || !::PatBlt(targetDc.Get(), 0, 0, w, h, BLACKNESS) ||
        !::BitBlt(targetDc.Get(), 0, 0, w, h, sourceDc.Get(), left, top, SRCCOPY)) {
        targetSelected.Reset();
        target.DeleteObject();
    }
}
