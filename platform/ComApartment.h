#pragma once
// A COM apartment for the calling thread for as long as the object lives:
// CoInitializeEx on construction, and CoUninitialize only when that call
// succeeded (including "already initialised", which also counts).
#include <objbase.h>

namespace platform {

class ComApartment {
public:
    ComApartment() noexcept : m_initialised(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (m_initialised)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool m_initialised;
};

} // namespace platform
