#pragma once
// Where the build put the programs that the end-to-end tests start. The build
// passes host paths; Wine sees the host's root as drive Z.
#include <string>

inline std::string BuildPath(const char* hostPath)
{
    std::string path = hostPath;
    if (!path.empty() && path.front() == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

inline std::string VerpickExePath()
{
    return BuildPath(AK_VERPICK_EXE);
}

inline std::string RecorderExePath()
{
    return BuildPath(AK_RECORDER_EXE);
}
