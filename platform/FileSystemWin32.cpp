#include "platform/FileSystem.h"
#include "platform/Win32Files.h"
#include "platform/WideText.h"

#include <vector>

namespace platform {

KernelHandle OpenFileForReading(const std::string& path)
{
    return KernelHandle(::CreateFileW(Wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
    return ::GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsExistingFile(const std::string& path)
{
    const DWORD attributes = ::GetFileAttributesW(Wide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string FullPathName(const std::string& path)
{
    const std::wstring wide = Wide(path);
    std::vector<wchar_t> buf(MAX_PATH + 1);
    for (;;) {
        DWORD n = ::GetFullPathNameW(wide.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
        if (n == 0)
            return path;
        if (n < buf.size())
            return Narrow(buf.data(), n);
        buf.resize(n + 1); // too small: n is the size needed, with the zero
    }
}

std::optional<FileStamp> RegularFileStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return std::nullopt;
    return FileStamp{(static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                     (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                         data.ftLastWriteTime.dwLowDateTime};
}

std::string AnsiCodePageToUtf8(std::string_view ansi)
{
    if (ansi.empty())
        return {};
    // Bytes beyond an int's range are not a text file this reader takes.
    const int length = static_cast<int>(std::min<std::size_t>(ansi.size(), 0x7FFFFFFF));
    const int units = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
    if (units <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), units);
    return Narrow(wide);
}

} // namespace platform
