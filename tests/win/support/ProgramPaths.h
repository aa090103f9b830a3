#pragma once
// Where the programs that the tests start are. The build passes host paths;
// Wine sees the host's root as drive Z. The environment may name other builds
// of the same programs (AK_AUTORUN_EXE, AK_VERPICK_EXE): ctest runs the same
// end-to-end tests on the shipped 32-bit programs that way.
#include <cstdlib>
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

inline std::string ProgramUnderTest(const char* variable, const char* built)
{
    const char* chosen = std::getenv(variable);
    return BuildPath(chosen && *chosen ? chosen : built);
}

#ifdef AK_VERPICK_EXE
inline std::string VerpickExePath()
{
    return ProgramUnderTest("AK_VERPICK_EXE", AK_VERPICK_EXE);
}
#endif

#ifdef AK_AUTORUN_EXE
inline std::string AutorunExePath()
{
    return ProgramUnderTest("AK_AUTORUN_EXE", AK_AUTORUN_EXE);
}
#endif

inline std::string RecorderExePath()
{
    return BuildPath(AK_RECORDER_EXE);
}
