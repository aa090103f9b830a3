// Checks a Windows program file: machine, subsystem, the DLLs it imports and
// the resources it carries. Prints what it finds; with --expect options it
// fails (exit 1) when the file differs.
//   pecheck FILE [--machine i386|amd64] [--gui] [--system-imports]
//               [--resource TYPE:ID]... [--max-size BYTES]
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Pe {
    std::vector<unsigned char> bytes;
    std::uint16_t machine = 0;
    std::uint16_t subsystem = 0;
    struct Section {
        std::uint32_t va, vsize, raw, rawSize;
    };
    std::vector<Section> sections;
    std::uint32_t importRva = 0, resourceRva = 0;

    template <typename T>
    bool Read(std::size_t off, T& out) const
    {
        if (off > bytes.size() || bytes.size() - off < sizeof(T))
            return false;
        std::memcpy(&out, bytes.data() + off, sizeof(T));
        return true;
    }
    // File offset of a relative virtual address, or 0 when outside every section.
    std::size_t Offset(std::uint32_t rva) const
    {
        for (const auto& s : sections)
            if (rva >= s.va && rva - s.va < std::max(s.vsize, s.rawSize))
                return s.raw + (rva - s.va);
        return 0;
    }
    std::string StringAt(std::size_t off) const
    {
        std::string s;
        while (off < bytes.size() && bytes[off] && s.size() < 512)
            s += static_cast<char>(bytes[off++]);
        return s;
    }
};

bool Load(const char* path, Pe& pe)
{
    std::ifstream in(path, std::ios::binary);
    pe.bytes.assign(std::istreambuf_iterator<char>(in), {});
    std::uint32_t peOff = 0, sig = 0;
    if (pe.bytes.size() < 64 || pe.bytes[0] != 'M' || pe.bytes[1] != 'Z' || !pe.Read(0x3C, peOff) ||
        !pe.Read(peOff, sig) || sig != 0x4550)
        return false;
    std::uint16_t sectionCount = 0, optSize = 0, magic = 0;
    pe.Read(peOff + 4, pe.machine);
    pe.Read(peOff + 6, sectionCount);
    pe.Read(peOff + 20, optSize);
    std::size_t opt = peOff + 24;
    pe.Read(opt, magic);
    bool plus = magic == 0x20B;
    pe.Read(opt + 68, pe.subsystem);
    std::size_t dirs = opt + (plus ? 112 : 96);
    pe.Read(dirs + 8, pe.importRva);
    pe.Read(dirs + 16, pe.resourceRva);
    std::size_t sec = opt + optSize;
    for (int i = 0; i < sectionCount; ++i, sec += 40) {
        Pe::Section s{};
        pe.Read(sec + 12, s.va);
        pe.Read(sec + 8, s.vsize);
        pe.Read(sec + 20, s.raw);
        pe.Read(sec + 16, s.rawSize);
        pe.sections.push_back(s);
    }
    return true;
}

std::vector<std::string> Imports(const Pe& pe)
{
    std::vector<std::string> dlls;
    std::size_t off = pe.Offset(pe.importRva);
    for (int i = 0; off && i < 256; ++i, off += 20) {
        std::uint32_t nameRva = 0, firstThunk = 0;
        pe.Read(off + 12, nameRva);
        pe.Read(off + 16, firstThunk);
        if (!nameRva && !firstThunk)
            break;
        dlls.push_back(pe.StringAt(pe.Offset(nameRva)));
    }
    return dlls;
}

// "TYPE:ID" for every resource (numeric ids; named ones as their name).
std::vector<std::string> Resources(const Pe& pe)
{
    std::vector<std::string> out;
    std::size_t base = pe.Offset(pe.resourceRva);
    if (!base)
        return out;
    auto entries = [&](std::size_t dir, auto&& fn) {
        std::uint16_t named = 0, ids = 0;
        pe.Read(dir + 12, named);
        pe.Read(dir + 14, ids);
        for (int i = 0; i < named + ids && i < 4096; ++i) {
            std::uint32_t name = 0, target = 0;
            pe.Read(dir + 16 + 8 * i, name);
            pe.Read(dir + 16 + 8 * i + 4, target);
            std::string label;
            if (name & 0x80000000u) {
                std::size_t s = base + (name & 0x7FFFFFFFu);
                std::uint16_t len = 0;
                pe.Read(s, len);
                for (int k = 0; k < len; ++k) {
                    std::uint16_t ch = 0;
                    pe.Read(s + 2 + 2 * k, ch);
                    label += static_cast<char>(ch < 128 ? ch : '?');
                }
            } else {
                label = std::to_string(name);
            }
            fn(label, target);
        }
    };
    entries(base, [&](const std::string& type, std::uint32_t t) {
        if (!(t & 0x80000000u))
            return;
        entries(base + (t & 0x7FFFFFFFu), [&](const std::string& id, std::uint32_t) { out.push_back(type + ":" + id); });
    });
    return out;
}

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: pecheck FILE [--machine i386|amd64] [--gui] [--system-imports] "
                             "[--resource TYPE:ID]... [--max-size BYTES]\n");
        return 2;
    }
    Pe pe;
    if (!Load(argv[1], pe)) {
        std::fprintf(stderr, "pecheck: %s is not a Windows program file\n", argv[1]);
        return 2;
    }
    const std::string machine = pe.machine == 0x14C ? "i386" : pe.machine == 0x8664 ? "amd64" : "other";
    const auto dlls = Imports(pe);
    const auto resources = Resources(pe);
    std::printf("%s: %zu bytes, machine %s, subsystem %s\n", argv[1], pe.bytes.size(), machine.c_str(),
                pe.subsystem == 2 ? "gui" : pe.subsystem == 3 ? "console" : "other");
    for (const auto& d : dlls)
        std::printf("  import %s\n", d.c_str());
    for (const auto& r : resources)
        std::printf("  resource %s\n", r.c_str());

    // DLLs that every Windows system has.
    static const std::set<std::string> system = {
        "kernel32.dll", "user32.dll",   "gdi32.dll",    "advapi32.dll", "shell32.dll", "ole32.dll",
        "oleaut32.dll", "comctl32.dll", "msvcrt.dll",   "comdlg32.dll", "shlwapi.dll", "version.dll",
        "olepro32.dll", "uxtheme.dll",  "winmm.dll"};
    int failures = 0;
    auto fail = [&](const std::string& what) {
        std::fprintf(stderr, "pecheck: %s: %s\n", argv[1], what.c_str());
        ++failures;
    };
    for (int i = 2; i < argc; ++i) {
        std::string opt = argv[i];
        std::string value = i + 1 < argc ? argv[i + 1] : "";
        if (opt == "--machine") {
            if (machine != value)
                fail("machine is " + machine + ", not " + value);
            ++i;
        } else if (opt == "--gui") {
            if (pe.subsystem != 2)
                fail("not a GUI-subsystem program");
        } else if (opt == "--system-imports") {
            for (const auto& d : dlls)
                if (!system.count(Lower(d)))
                    fail("imports " + d + ", which is not a system DLL");
        } else if (opt == "--resource") {
            if (std::find(resources.begin(), resources.end(), value) == resources.end())
                fail("has no resource " + value);
            ++i;
        } else if (opt == "--max-size") {
            if (pe.bytes.size() > std::stoull(value))
                fail("is larger than " + value + " bytes");
            ++i;
        } else {
            fail("unknown option " + opt);
        }
    }
    return failures ? 1 : 0;
}
