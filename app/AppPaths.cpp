#include "app/AppPaths.h"

AppPaths PathsFromModule(const std::string& modulePath)
{
    AppPaths p;
    std::size_t slash = modulePath.rfind('\\');
    p.programDir = slash == std::string::npos ? std::string() : modulePath.substr(0, slash + 1);
    p.autorunInfPath = p.programDir + kAutorunInfName;
    p.skinPath = p.programDir + kSkinRelativePath;
    return p;
}
