#pragma once
// The start menu's paths, from the program file's path. Portable.
#include <string>

// Below the program's folder: what the buttons open, and the skin.
inline constexpr const char* kAutorunInfName = "AUTORUN.INF";
inline constexpr const char* kSkinRelativePath = "Data\\main.ini";

struct AppPaths {
    std::string programDir;     // ends in a backslash (empty when the path has none)
    std::string autorunInfPath; // programDir + "AUTORUN.INF"
    std::string skinPath;       // programDir + "Data\main.ini"
};

AppPaths PathsFromModule(const std::string& modulePath);
