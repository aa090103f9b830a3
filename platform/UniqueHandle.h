#pragma once
// Move-only owner of one handle, released by one release function.
//
// Traits supply:
//   using Handle = ...;                    // may be a small struct (e.g. HWND + HDC)
//   static Handle Invalid() noexcept;      // the empty value
//   static bool IsValid(const Handle&) noexcept;
//   static void Release(const Handle&) noexcept;
// Templated over the traits so that tests can check ownership with a counting fake.
#include <atomic>
#include <utility>

namespace platform {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : m_handle(Traits::Invalid()) {}
    explicit UniqueHandle(Handle handle) noexcept : m_handle(handle) { Count(m_handle, +1); }
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Detach()) { Count(m_handle, +1); }
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
    Handle Detach() noexcept
    {
        Count(m_handle, -1);
        return std::exchange(m_handle, Traits::Invalid());
    }

    // Releases what is held now, then owns `handle`.
    void Reset(Handle handle = Traits::Invalid()) noexcept
    {
        Handle old = std::exchange(m_handle, handle);
        Count(m_handle, +1);
        if (Traits::IsValid(old)) {
            Count(old, -1);
            Traits::Release(old);
        }
    }

    // For a function that hands its handle out through a pointer: what is held
    // now is released, and the handle written there is owned from the end of
    // the full expression on (so test it in the next statement, not in the same one).
    class OutParam {
    public:
        explicit OutParam(UniqueHandle& owner) noexcept : m_owner(owner) {}
        OutParam(const OutParam&) = delete;
        OutParam& operator=(const OutParam&) = delete;
        ~OutParam() { m_owner.Reset(m_written); }
        operator Handle*() noexcept { return &m_written; }

    private:
        UniqueHandle& m_owner;
        Handle m_written = Traits::Invalid();
    };
    OutParam Put() noexcept
    {
        Reset();
        return OutParam(*this);
    }

    // How many handles owners of this kind hold now: lets tests show that a
    // piece of work gives back everything it took.
    static long LiveCount() noexcept { return s_live.load(); }

private:
    static void Count(const Handle& h, long delta) noexcept
    {
        if (Traits::IsValid(h))
            s_live += delta;
    }

    static inline std::atomic<long> s_live{0};
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
