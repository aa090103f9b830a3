#include "platform/Profile.h"

namespace platform {

std::vector<std::string> SplitNameList(const char* buffer, std::size_t size)
{
    std::vector<std::string> names;
    std::size_t i = 0;
    while (i < size && buffer[i] != '\0') {
        std::size_t start = i;
        while (i < size && buffer[i] != '\0')
            ++i;
        names.emplace_back(buffer + start, i - start);
        ++i;
    }
    return names;
}

} // namespace platform
