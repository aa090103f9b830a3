#pragma once
// The disc folder as the programs on the burned disc will find their files:
// paths in the form the programs compose them (absolute, with backslashes),
// names matched without regard to case as on Windows, nothing outside the
// folder, and files that the build adds later counted as present.
#include <set>
#include <string>

struct DiscFile {
    enum State { Present, Assumed, Missing, Outside };
    State state = Missing;
    std::string hostPath; // where to read it (Present only)
    std::string relative; // below the disc folder, '/'-separated: as found, or as asked for

    bool IsThere() const { return state == Present || state == Assumed; }
};

class DiscFolder {
public:
    explicit DiscFolder(const std::string& root);

    // True when the folder exists.
    bool Exists() const;
    // The directory of a program in the disc's root, as it composes its paths.
    const std::string& ProgramDir() const { return m_programDir; }
    // Counts `relative` (below the folder) as present although it is not there yet.
    void AssumePresent(const std::string& relative);
    // A full path as a program composes it; folders count when `folders` is set.
    DiscFile Find(const std::string& fullPath, bool folders) const;
    DiscFile FindRelative(const std::string& relative, bool folders) const
    {
        return Find(m_programDir + relative, folders);
    }
    // How a file below the folder is named in reports.
    std::string Display(const std::string& relative) const;

private:
    std::string m_given;      // the folder as given, without trailing separators
    std::string m_programDir; // absolute, ending in a backslash
    std::set<std::string> m_assumed; // lower case, backslashes
};
