#pragma once
// Which Windows the launcher runs on, told apart as far as it matters for
// choosing a program. Portable: the version queries are handed in.
#include <cstdint>
#include <optional>

namespace launcher {

enum class VersionClass : int {
    Win32s = 0,      // Win32 on 16-bit Windows
    Nt3 = 1,         // NT 3.x, and the NT family when nothing more is known
    Windows95 = 2,   // also the 9x family when nothing more is known
    Windows98 = 3,
    WindowsMe = 4,
    Nt4 = 5,
    Windows2000 = 6,
    WindowsXp = 7,
    VistaOrLater = 8, // NT 5.2 (Server 2003, XP x64) and everything after
};

// Major and minor version from an OSVERSIONINFOA record.
struct VersionRecord {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

class VersionQueries {
public:
    virtual ~VersionQueries() = default;
    // What GetVersion answers: bit 31 set outside the NT family, the major
    // version in the low byte.
    virtual std::uint32_t GetVersionWord() = 0;
    // A zeroed record filled by GetVersionExA (still zero when the query fails);
    // nothing when the record cannot be allocated.
    virtual std::optional<VersionRecord> QueryVersionRecord() = 0;
};

// Win32s is recognised from the version word alone; every other class asks
// for the record, and falls back to the family's oldest class when the record
// says nothing useful.
VersionClass ClassifyWindowsVersion(VersionQueries& queries);

} // namespace launcher
