#include "FileSystem.h"
#include "Win32Files.h"

#include <io.h>

#include <vector>

namespace platform {

KernelHandle OpenFileForReading(const std::string& path)
{
    return KernelHandle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    KernelHandle file = OpenFileForReading(path);
    if (!file)
        return std::nullopt;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0 ||
        static_cast<unsigned long long>(size.QuadPart) > maxBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &got, nullptr) || got == 0)
            return std::nullopt;
        done += got;
    }
    return bytes;
}

bool PathExists(const std::string& path)
{
    return ::_access(path.c_str(), 0) == 0;
}

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FullPathName(const std::string& path)
{
    std::vector<char> buf(MAX_PATH + 1);
    for (;;) {
        DWORD n = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
        if (n == 0)
            return path;
        if (n < buf.size())
            return std::string(buf.data(), n);
        buf.resize(n + 1); // too small: n is the size needed, with the zero
    }
}

} // namespace platform
