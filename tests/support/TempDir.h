#pragma once
// A fresh folder for one test, removed with everything in it afterwards.
// Paths are returned in the platform's own form (backslashes on Windows).
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // Path of a file inside the folder; `name` may use '/' for subfolders.
    std::string File(const std::string& name) const;
    // Writes `bytes` to the file `name` (creating subfolders) and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};
