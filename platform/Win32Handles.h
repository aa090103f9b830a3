#pragma once
// Owners of Win32 handles: one move-only type per release function.
#include "UniqueHandle.h"

#include <windows.h>

namespace platform {

namespace detail {
inline void DeleteGdiObject(HGDIOBJ h) noexcept { ::DeleteObject(h); }
inline void DeleteDc(HDC h) noexcept { ::DeleteDC(h); }
inline void FreeGlobal(HGLOBAL h) noexcept { ::GlobalFree(h); }
inline void UnloadLibrary(HMODULE h) noexcept { ::FreeLibrary(h); }
inline void CloseRegistryKey(HKEY h) noexcept { ::RegCloseKey(h); }
} // namespace detail

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

// DeleteDC: memory device contexts.
using MemoryDc = UniqueHandle<NullHandleTraits<HDC, detail::DeleteDc>>;

// GlobalFree: global memory blocks.
using GlobalMemory = UniqueHandle<NullHandleTraits<HGLOBAL, detail::FreeGlobal>>;

// GlobalUnlock: a movable global block locked for access.
struct GlobalLockHandle {
    HGLOBAL block;
    void* bytes;
};
struct GlobalLockTraits {
    using Handle = GlobalLockHandle;
    static Handle Invalid() noexcept { return {nullptr, nullptr}; }
    static bool IsValid(const Handle& h) noexcept { return h.bytes != nullptr; }
    static void Release(const Handle& h) noexcept { ::GlobalUnlock(h.block); }
};
class GlobalLock : public UniqueHandle<GlobalLockTraits> {
public:
    explicit GlobalLock(HGLOBAL block) : UniqueHandle({block, block ? ::GlobalLock(block) : nullptr}) {}
    void* Bytes() const noexcept { return Get().bytes; }
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
struct WindowDcHandle {
    HWND wnd;
    HDC dc;
};
struct WindowDcTraits {
    using Handle = WindowDcHandle;
    static Handle Invalid() noexcept { return {nullptr, nullptr}; }
    static bool IsValid(const Handle& h) noexcept { return h.dc != nullptr; }
    static void Release(const Handle& h) noexcept { ::ReleaseDC(h.wnd, h.dc); }
};
class WindowDc : public UniqueHandle<WindowDcTraits> {
public:
    WindowDc() = default;
    explicit WindowDc(HWND wnd) : UniqueHandle({wnd, ::GetDC(wnd)}) {}
    HDC Dc() const noexcept { return Get().dc; }
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

// SelectObject back: an object selected into a DC, with what it replaced.
struct SelectionHandle {
    HDC dc;
    HGDIOBJ previous;
};
struct SelectionTraits {
    using Handle = SelectionHandle;
    static Handle Invalid() noexcept { return {nullptr, nullptr}; }
    static bool IsValid(const Handle& h) noexcept { return h.dc != nullptr && h.previous != nullptr; }
    static void Release(const Handle& h) noexcept { ::SelectObject(h.dc, h.previous); }
};
class Selection : public UniqueHandle<SelectionTraits> {
public:
    Selection() = default;
    Selection(HDC dc, HGDIOBJ obj) : UniqueHandle({dc, obj ? ::SelectObject(dc, obj) : nullptr}) {}
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
