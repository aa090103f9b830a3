#include "tools/discbuild/DiscTree.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

bool Inside(const fs::path& target, const fs::path& root)
{
    auto t = target.begin();
    for (auto r = root.begin(); r != root.end(); ++r, ++t)
        if (t == target.end() || *t != *r)
            return false;
    return true;
}

std::int64_t ModifiedTime(const std::string& path)
{
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<std::int64_t>(st.st_mtime) : 0;
}

} // namespace

DiscTree ReadDiscTree(const std::string& rootText)
{
    DiscTree tree;
    std::error_code ec;
    const fs::path root = fs::canonical(rootText, ec);
    if (ec)
        return tree;
    const auto error = [&](const std::string& path, const std::string& message) {
        tree.findings.push_back({path, 0, Severity::Error, message});
    };
    for (fs::recursive_directory_iterator it(root, fs::directory_options::none, ec), end; !ec && it != end;
         it.increment(ec)) {
        const fs::path& host = it->path();
        const std::string path = host.lexically_relative(root).generic_string();
        TreeEntry entry{path, false, host.string(), 0, 0};
        const fs::file_status link = it->symlink_status(ec);
        if (fs::is_symlink(link)) {
            const fs::path target = fs::canonical(host, ec);
            if (ec) {
                error(path, "a symbolic link that leads nowhere");
                ec.clear();
                continue;
            }
            if (!Inside(target, root)) {
                error(path, "a symbolic link to " + target.string() +
                                ", outside the disc folder: an image carries only what is in the folder");
                continue;
            }
            if (!fs::is_regular_file(target)) {
                error(path, "a symbolic link to a folder: put the folder itself on the disc");
                continue;
            }
            entry.host = target.string();
        } else if (fs::is_directory(link)) {
            entry.folder = true;
        } else if (!fs::is_regular_file(link)) {
            error(path, "neither a file nor a folder (a device, a socket or a pipe): an image cannot carry it");
            continue;
        }
        if (!entry.folder) {
            entry.size = fs::file_size(entry.host, ec);
            entry.mtime = ModifiedTime(entry.host);
            tree.newest = std::max(tree.newest, entry.mtime);
            tree.bytes += entry.size;
            ++tree.files;
        }
        tree.entries.push_back(std::move(entry));
    }
    // The folder's own order differs between file systems; reports and images do not.
    std::sort(tree.entries.begin(), tree.entries.end(),
              [](const TreeEntry& a, const TreeEntry& b) { return a.path < b.path; });
    std::sort(tree.findings.begin(), tree.findings.end(),
              [](const Finding& a, const Finding& b) { return a.file < b.file; });
    return tree;
}

bool SameBytes(const std::string& a, const std::string& b)
{
    std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
    if (!fa || !fb)
        return false;
    // Kept between calls: a disc of many small files compares each of them.
    static thread_local std::vector<char> ba(1 << 20), bb(1 << 20);
    while (true) {
        fa.read(ba.data(), static_cast<std::streamsize>(ba.size()));
        fb.read(bb.data(), static_cast<std::streamsize>(bb.size()));
        if (fa.gcount() != fb.gcount() || !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin()))
            return false;
        if (fa.gcount() == 0 || !fa || !fb)
            return !fa && !fb && fa.eof() && fb.eof();
    }
}
