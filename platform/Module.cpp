#include "Module.h"

#include "WinApp.h"

#include <vector>

namespace platform {

std::string LoadResourceString(UINT id)
{
    std::vector<char> buf(256);
    for (;;) {
        int n = ::LoadStringA(AfxGetInstanceHandle(), id, buf.data(), static_cast<int>(buf.size()));
        if (n <= 0)
            return {};
        if (static_cast<std::size_t>(n) < buf.size() - 1)
            return std::string(buf.data(), static_cast<std::size_t>(n));
        if (buf.size() > 65536) // a string table entry holds at most 65535 characters
            return std::string(buf.data(), static_cast<std::size_t>(n));
        buf.resize(buf.size() * 2);
    }
}

HICON LoadResourceIcon(UINT id)
{
    return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
}

} // namespace platform
