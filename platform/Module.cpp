#include "platform/Module.h"

#include "platform/WideText.h"
#include "platform/WinApp.h"

#include <vector>

namespace platform {

std::string LoadResourceString(UINT id)
{
    // With a buffer size of 0, LoadStringW hands out the resource's own text and its length.
    const wchar_t* text = nullptr;
    const int n = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<wchar_t*>(&text), 0);
    if (n <= 0 || !text)
        return {};
    return Narrow(text, static_cast<std::size_t>(n));
}

HICON LoadResourceIcon(UINT id)
{
    return ::LoadIconW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id));
}

} // namespace platform
