#pragma once
// Owners of Win32 handles: one move-only type per release function.
#include "platform/UniqueHandle.h"

#include <windows.h>

namespace platform {

namespace detail {
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DeleteDc(HDC h) noexcept { ::DeleteDC(h); }
inline void FreeGlobal(HGLOBAL h) noexcept { ::GlobalFree(h); }
inline void UnloadLibrary(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void CloseRegistryKey(HKEY h) noexcept { ::RegCloseKey(h); }
inline void UnlockGlobal(HGLOBAL block, void*) noexcept { ::GlobalUnlock(block); }
inline void ReleaseWindowDc(HWND wnd, HDC dc) noexcept { ::ReleaseDC(wnd, dc); }
inline void SelectBack(HDC dc, HGDIOBJ previous) noexcept { ::SelectObject(dc, previous); }
} // namespace detail

// A handle released together with a second value that comes first (the block a
// lock is on, the window a DC came from, the DC an object was selected into);
// it holds something while the second value is not null.
template <typename Context, typename H, void (*ReleaseFn)(Context, H) noexcept>
struct PairTraits {
    struct Handle {
        Context context;
        H handle;
    };
    static Handle Invalid() noexcept { return {}; }
    static bool IsValid(const Handle& h) noexcept { return h.handle != nullptr; }
    static void Release(const Handle& h) noexcept { ReleaseFn(h.context, h.handle); }
};

// DeleteObject: bitmaps, regions, fonts, brushes.
template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(const Handle& h) noexcept { return h != nullptr; }
    static void Release(const Handle& h) noexcept { detail::DeleteGdiObject(h); }
};
template <typename T>
using GdiObject = UniqueHandle<GdiTraits<T>>;
using UniqueBitmap = GdiObject<HBITMAP>;
using UniqueRegion = GdiObject<HRGN>;
using UniqueFont = GdiObject<HFONT>;

// What the framework's GDI object classes (CBitmap, CFont) share: one object of
// the kind or none; movable, not copyable.
template <typename H>
class GdiObjectOwner {
public:
    H GetSafeHandle() const { return m_object.Get(); }
    explicit operator bool() const { return m_object.IsValid(); }
    void DeleteObject() { m_object.Reset(); }

protected:
    GdiObject<H> m_object;
};

// DeleteDC: memory device contexts.
using MemoryDc = UniqueHandle<NullHandleTraits<HDC, detail::DeleteDc>>;

// GlobalFree: global memory blocks.
using GlobalMemory = UniqueHandle<NullHandleTraits<HGLOBAL, detail::FreeGlobal>>;

// GlobalUnlock: a movable global block locked for access.
class GlobalLock : public UniqueHandle<PairTraits<HGLOBAL, void*, detail::UnlockGlobal>> {
public:
    explicit GlobalLock(HGLOBAL block) : UniqueHandle({block, block ? ::GlobalLock(block) : nullptr}) {}
    void* Bytes() const noexcept { return Get().handle; }
};

// FreeLibrary: a module loaded with LoadLibrary (not one from GetModuleHandle).
using Library = UniqueHandle<NullHandleTraits<HMODULE, detail::UnloadLibrary>>;

// RegCloseKey: an opened or created registry key.
using RegistryKey = UniqueHandle<NullHandleTraits<HKEY, detail::CloseRegistryKey>>;

// CloseHandle: kernel objects; CreateFile reports failure as INVALID_HANDLE_VALUE.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(const Handle& h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Release(const Handle& h) noexcept { ::CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

// ReleaseDC: a window's device context from GetDC.
class WindowDc : public UniqueHandle<PairTraits<HWND, HDC, detail::ReleaseWindowDc>> {
public:
    WindowDc() = default;
    explicit WindowDc(HWND wnd) : UniqueHandle({wnd, ::GetDC(wnd)}) {}
    HDC Dc() const noexcept { return Get().handle; }
};

// EndPaint: the paint scope of WM_PAINT.
struct PaintHandle {
    HWND wnd;
    PAINTSTRUCT ps;
};
struct PaintTraits {
    using Handle = PaintHandle;
    static Handle Invalid() noexcept { return {nullptr, {}}; }
    static bool IsValid(const Handle& h) noexcept { return h.wnd != nullptr; }
    static void Release(const Handle& h) noexcept { ::EndPaint(h.wnd, &h.ps); }
};
class PaintDc : public UniqueHandle<PaintTraits> {
public:
    explicit PaintDc(HWND wnd) : UniqueHandle(Begin(wnd)) {}
    HDC Dc() const noexcept { return Get().ps.hdc; }

private:
    static PaintHandle Begin(HWND wnd)
    {
        PaintHandle h{wnd, {}};
        if (!::BeginPaint(wnd, &h.ps))
            h.wnd = nullptr;
        return h;
    }
};

// SelectObject back: an object selected into a DC, with what it replaced (none
// when the selection failed, a null DC included).
class Selection : public UniqueHandle<PairTraits<HDC, HGDIOBJ, detail::SelectBack>> {
public:
    Selection() = default;
    Selection(HDC dc, HGDIOBJ obj) : UniqueHandle({dc, dc && obj ? ::SelectObject(dc, obj) : nullptr}) {}
};

// IUnknown::Release: COM interfaces.
template <typename T>
struct ComTraits {
    using Handle = T*;
    static Handle Invalid() noexcept { return nullptr; }
    static bool IsValid(const Handle& h) noexcept { return h != nullptr; }
    static void Release(const Handle& h) noexcept { h->Release(); }
};
template <typename T>
using ComPtr = UniqueHandle<ComTraits<T>>;

} // namespace platform
