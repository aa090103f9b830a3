// Off Windows the profile service reads files with IniDocument. Like Windows,
// it keeps parsed files while they are unchanged on disk, so that
// reading a skin line by line does not parse the whole file for every value.
#include "FileSystem.h"
#include "IniDocument.h"
#include "Profile.h"
#include "WinPath.h"

#include <sys/stat.h>

#include <list>
#include <memory>
#include <mutex>

namespace platform {
namespace {

struct CachedFile {
    std::string path;
    struct timespec mtime {};
    off_t size = 0;
    std::shared_ptr<const IniDocument> doc;
};

std::shared_ptr<const IniDocument> Load(const std::string& path)
{
    static std::mutex lock;
    static std::list<CachedFile> cache; // most recent first
    constexpr std::size_t kCached = 8;

    struct stat st {};
    if (stat(HostPath(path).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;

    std::lock_guard<std::mutex> guard(lock);
    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if (it->path == path && it->size == st.st_size && it->mtime.tv_sec == st.st_mtim.tv_sec &&
            it->mtime.tv_nsec == st.st_mtim.tv_nsec) {
            cache.splice(cache.begin(), cache, it);
            return cache.front().doc;
        }
    }
    auto bytes = ReadWholeFile(path);
    if (!bytes)
        return nullptr;
    auto doc = std::make_shared<const IniDocument>(IniDocument::Parse(*bytes));
    cache.push_front(CachedFile{path, st.st_mtim, st.st_size, doc});
    if (cache.size() > kCached)
        cache.pop_back();
    return doc;
}

} // namespace

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferChars)
{
    auto doc = Load(path);
    if (!doc)
        return ProfileDefault(def, bufferChars, false);
    return doc->GetString(section, key, def, bufferChars);
}

std::vector<std::string> ReadProfileKeyNames(const std::string& path, const std::string& section,
                                            std::size_t bufferChars)
{
    auto doc = Load(path);
    if (!doc)
        return {};
    return doc->GetKeyNames(section, bufferChars);
}

} // namespace platform
