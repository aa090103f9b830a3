#include "launcher/WindowsVersion.h"

namespace launcher {

VersionClass ClassifyWindowsVersion(VersionQueries& queries)
{
    const std::uint32_t word = queries.GetVersionWord();
    const bool ntFamily = (word & 0x80000000u) == 0;
    if (!ntFamily && (word & 0xFFu) < 4)
        return VersionClass::Win32s;
    const VersionClass fallback = ntFamily ? VersionClass::Nt3 : VersionClass::Windows95;

    const std::optional<VersionRecord> record = queries.QueryVersionRecord();
    if (!record)
        return fallback;
    const std::uint32_t major = record->major;
    const std::uint32_t minor = record->minor;

    if (!ntFamily) {
        if (major == 4 && minor == 10)
            return VersionClass::Windows98;
        if (major == 4 && minor == 90)
            return VersionClass::WindowsMe;
        return fallback;
    }
    if (major == 4)
        return VersionClass::Nt4;
    if (major == 5 && minor == 0)
        return VersionClass::Windows2000;
    if (major == 5 && minor == 1)
        return VersionClass::WindowsXp;
    if (major > 5 || (major == 5 && minor >= 2))
        return VersionClass::VistaOrLater;
    return fallback;
}

} // namespace launcher
