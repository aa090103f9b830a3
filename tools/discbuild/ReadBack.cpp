#include "tools/discbuild/ReadBack.h"

#include "tools/discbuild/NameRules.h"

#include <map>
#include <set>

std::vector<Finding> CompareTrees(const std::vector<TreeEntry>& expected, const DiscTree& image,
                                  const std::string& medium)
{
    std::vector<Finding> findings;
    const auto error = [&](const std::string& path, const std::string& message) {
        findings.push_back({path, 0, Severity::Error, medium + ": " + message});
    };
    std::map<std::string, const TreeEntry*> read;
    for (const auto& e : image.entries)
        read[e.path] = &e;
    for (const auto& want : expected) {
        const auto it = read.find(want.path);
        if (it == read.end())
            error(want.path, "not in the image under this name");
        else if (it->second->folder != want.folder)
            error(want.path, want.folder ? "a file in the image, not a folder" : "a folder in the image, not a file");
        else if (!want.folder && (it->second->size != want.size || !SameBytes(want.host, it->second->host)))
            error(want.path, "the image holds other bytes");
        if (it != read.end())
            read.erase(it);
    }
    for (const auto& [path, entry] : read)
        error(path, "in the image, but not in the folder");
    return findings;
}

std::vector<Finding> CheckNamedFiles(const std::vector<NamedPath>& named, const DiscTree& image,
                                     const std::string& medium)
{
    std::set<std::string> folded;
    for (const auto& e : image.entries)
        folded.insert(FoldName(e.path));
    std::vector<Finding> findings;
    for (const auto& file : named)
        if (!folded.count(FoldName(file.resolved)))
            findings.push_back({file.resolved, 0, Severity::Error,
                                medium + ": " + file.namedBy + " names " + file.written +
                                    ", which Windows does not find in the image"});
    return findings;
}

std::vector<Finding> CaseNotes(const std::vector<NamedPath>& named)
{
    std::vector<Finding> notes;
    for (const auto& file : named) {
        std::string written = file.written;
        for (char& c : written)
            if (c == '\\')
                c = '/';
        if (written != file.resolved && FoldName(written) == FoldName(file.resolved))
            notes.push_back({file.resolved, 0, Severity::Note,
                             file.namedBy + " names " + file.written +
                                 ", which the folder holds only under this case: Windows finds it on the medium "
                                 "(it compares names without regard to case), a case-sensitive system would not"});
    }
    return notes;
}
