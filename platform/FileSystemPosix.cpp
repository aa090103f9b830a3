#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/WinPath.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace platform {
namespace {

std::string CurrentDirectory()
{
    std::vector<char> buf(4096);
    while (!getcwd(buf.data(), buf.size())) {
        if (buf.size() > (std::size_t(1) << 20))
            return "/";
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> f(std::fopen(HostPath(path).c_str(), "rb"), &std::fclose);
    if (!f)
        return std::nullopt;
    struct stat st {};
    if (fstat(fileno(f.get()), &st) != 0 || !S_ISREG(st.st_mode) ||
        static_cast<unsigned long long>(st.st_size) > maxBytes)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
        return std::nullopt;
    return bytes;
}

bool PathExists(const std::string& path)
{
    return access(HostPath(path).c_str(), F_OK) == 0;
}

bool IsExistingFile(const std::string& path)
{
    struct stat st {};
    return stat(HostPath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string FullPathName(const std::string& path)
{
    return ResolveFullPath(path, CurrentDirectory());
}

std::optional<FileStamp> RegularFileStamp(const std::string& path)
{
    struct stat st {};
    if (stat(HostPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileStamp{static_cast<unsigned long long>(st.st_size),
                     static_cast<unsigned long long>(st.st_mtim.tv_sec) * 1000000000ull +
                         static_cast<unsigned long long>(st.st_mtim.tv_nsec)};
}

std::string AnsiCodePageToUtf8(std::string_view ansi)
{
    return Cp1252ToUtf8(ansi);
}

} // namespace platform
