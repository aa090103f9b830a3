#pragma once
// Move-only owner of one handle, released by one release function.
//
// Traits supply:
//   using Handle = ...;                    // may be a small struct (e.g. HWND + HDC)
//   static Handle Invalid() noexcept;      // the empty value
//   static bool IsValid(const Handle&) noexcept;
//   static void Release(const Handle&) noexcept;
// Templated over the traits so that tests can check ownership with a counting fake.
#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : m_handle(Traits::Invalid()) {}
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    const Handle& Get() const noexcept { return m_handle; }
    bool IsValid() const noexcept { return Traits::IsValid(m_handle); }
    explicit operator bool() const noexcept { return IsValid(); }

    // Gives up ownership without releasing (e.g. a region accepted by a window).
    Handle Detach() noexcept { return std::exchange(m_handle, Traits::Invalid()); }

    // Releases what is held now, then owns `handle`.
    void Reset(Handle handle = Traits::Invalid()) noexcept
    {
        Handle old = std::exchange(m_handle, handle);
        if (Traits::IsValid(old))
            Traits::Release(old);
    }

private:
    Handle m_handle;
};

// Traits for a plain pointer-like handle whose empty value is null.
template <typename H, void (*ReleaseFn)(H) noexcept>
struct NullHandleTraits {
    using Handle = H;
    static Handle Invalid() noexcept { return Handle{}; }
    static bool IsValid(const Handle& h) noexcept { return h != Handle{}; }
    static void Release(const Handle& h) noexcept { ReleaseFn(h); }
};

} // namespace platform
