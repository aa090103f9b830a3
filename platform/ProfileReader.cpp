// The profile service reads files with IniDocument on every platform, so that
// the programs and the tools agree, and Unicode files read as Unicode. Like
// Windows, it keeps parsed files while they are unchanged on disk, so that
// reading a skin line by line does not parse the whole file for every value.
// The programs and tools read profiles on one thread only, so the cache has no lock
// (a lock would also pull the library's exception support into the lean programs).
#include "platform/FileSystem.h"
#include "platform/IniDocument.h"
#include "platform/LanguageSections.h"
#include "platform/Profile.h"

#include <list>
#include <memory>

namespace platform {
namespace {

struct CachedFile {
    std::string path;
    FileStamp stamp;
    std::shared_ptr<const IniDocument> doc;
};

std::shared_ptr<const IniDocument> Load(const std::string& path)
{
    static std::list<CachedFile> cache; // most recent first
    constexpr std::size_t kCached = 8;

    const std::optional<FileStamp> stamp = RegularFileStamp(path);
    if (!stamp)
        return nullptr;

    for (auto it = cache.begin(); it != cache.end(); ++it) {
        if (it->path == path && it->stamp == *stamp) {
            cache.splice(cache.begin(), cache, it);
            return cache.front().doc;
        }
    }
    auto bytes = ReadWholeFile(path);
    if (!bytes)
        return nullptr;
    auto doc = std::make_shared<const IniDocument>(IniDocument::Parse(*bytes, &AnsiCodePageToUtf8));
    cache.push_front(CachedFile{path, *stamp, doc});
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

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferChars,
                             const std::vector<std::string>& languages)
{
    auto doc = Load(path);
    if (!doc)
        return ProfileDefault(def, bufferChars, false);
    return doc->GetString(LanguageSectionFor(*doc, languages, section, key), key, def, bufferChars);
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
