#include "platform/MessageBox.h"

#include "platform/WideText.h"

namespace platform {

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    return ::MessageBoxW(owner, Wide(text).c_str(), Wide(caption).c_str(), type);
}

} // namespace platform
