#include "tools/discbuild/FatWriter.h"

#include "platform/TextCodec.h"

#include <algorithm>
#include <ctime>
#include <fstream>
#include <map>

namespace {

constexpr std::uint32_t kSector = 512;
constexpr std::uint32_t kEndOfChain = 0x0FFFFFFF;

bool ShortNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || std::string("!#$%&'()-@^_`{}~").find(c) != std::string::npos;
}

// A name that is already 8.3 in upper-case ASCII needs no long name.
bool IsShortName(const std::string& name)
{
    const std::size_t dot = name.find('.');
    const std::string base = name.substr(0, dot), ext = dot == std::string::npos ? "" : name.substr(dot + 1);
    if (base.empty() || base.size() > 8 || ext.size() > 3 || (dot != std::string::npos && ext.empty()))
        return false;
    return std::all_of(base.begin(), base.end(), ShortNameCharacter) &&
           std::all_of(ext.begin(), ext.end(), ShortNameCharacter);
}

std::string ShortPart(const std::string& text, std::size_t limit)
{
    std::string out;
    for (char c : text) {
        if (out.size() == limit)
            break;
        if (c == ' ' || c == '.')
            continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (static_cast<unsigned char>(c) >= 0x80) {
            // One '_' per character, not per byte.
            if ((static_cast<unsigned char>(c) & 0xC0) == 0x80)
                continue;
            c = '_';
        }
        out += ShortNameCharacter(c) ? c : '_';
    }
    return out;
}

// "NAME    EXT" as the directory entry holds it.
std::string Padded(const std::string& shortName)
{
    const std::size_t dot = shortName.find('.');
    std::string base = shortName.substr(0, dot), ext = dot == std::string::npos ? "" : shortName.substr(dot + 1);
    base.resize(8, ' ');
    ext.resize(3, ' ');
    return base + ext;
}

std::uint8_t Checksum(const std::string& padded)
{
    std::uint8_t sum = 0;
    for (char c : padded)
        sum = static_cast<std::uint8_t>(((sum & 1) << 7) + (sum >> 1) + static_cast<std::uint8_t>(c));
    return sum;
}

std::string NameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }
std::string ParentOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? "" : path.substr(0, slash);
}

std::size_t EntriesFor(const std::string& name)
{
    return IsShortName(name) ? 1 : 1 + (platform::Utf8ToUtf16(name).size() + 12) / 13;
}

void Put16(std::string& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& b, std::size_t at, std::uint32_t v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}
std::uint32_t Get(const std::string& b, std::size_t at, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
    return v;
}

struct Stamp {
    std::uint16_t date = 0, time = 0;
};
Stamp DosStamp(std::int64_t seconds)
{
    const std::time_t t = static_cast<std::time_t>(std::max<std::int64_t>(seconds, 315532800)); // FAT starts in 1980
    std::tm tm{};
#ifdef _WIN32
    gmtime_s(&tm, &t);
#else
    gmtime_r(&t, &tm);
#endif
    Stamp s;
    s.date = static_cast<std::uint16_t>(((std::min(tm.tm_year, 207) - 80) << 9) | ((tm.tm_mon + 1) << 5) | tm.tm_mday);
    s.time = static_cast<std::uint16_t>((tm.tm_hour << 11) | (tm.tm_min << 5) | (tm.tm_sec / 2));
    return s;
}

std::string ShortEntry(const std::string& padded, std::uint8_t attributes, std::uint32_t cluster, std::uint32_t size,
                       Stamp stamp)
{
    std::string e(32, '\0');
    e.replace(0, 11, padded);
    e[11] = static_cast<char>(attributes);
    Put16(e, 14, stamp.time);
    Put16(e, 16, stamp.date);
    Put16(e, 18, stamp.date);
    Put16(e, 20, cluster >> 16);
    Put16(e, 22, stamp.time);
    Put16(e, 24, stamp.date);
    Put16(e, 26, cluster & 0xFFFF);
    Put32(e, 28, size);
    return e;
}

// The long name's entries, last part first, as the directory holds them.
std::string LongEntries(const std::string& name, std::uint8_t checksum)
{
    std::u16string units = platform::Utf8ToUtf16(name);
    const std::size_t parts = (units.size() + 12) / 13;
    if (units.size() % 13)
        units.push_back(0);
    units.resize(parts * 13, 0xFFFF);
    static const std::size_t kSlots[13] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};
    std::string out;
    for (std::size_t p = parts; p-- > 0;) {
        std::string e(32, '\0');
        e[0] = static_cast<char>((p + 1) | (p + 1 == parts ? 0x40 : 0));
        e[11] = 0x0F;
        e[13] = static_cast<char>(checksum);
        for (std::size_t i = 0; i < 13; ++i)
            Put16(e, kSlots[i], units[p * 13 + i]);
        out += e;
    }
    return out;
}

std::uint64_t Clusters(std::uint64_t bytes, std::uint32_t clusterBytes) { return (bytes + clusterBytes - 1) / clusterBytes; }

// What each folder holds, sorted by name, and how many directory entries it takes.
struct FolderPlan {
    std::map<std::string, std::vector<const FatItem*>> children; // by parent path, "" the root
    std::map<std::string, std::size_t> entries;
};

FolderPlan PlanFolders(const std::vector<FatItem>& items)
{
    FolderPlan plan;
    plan.entries[""] = 1; // the volume label
    for (const auto& item : items) {
        plan.children[ParentOf(item.path)].push_back(&item);
        if (item.folder)
            plan.entries[item.path] += 2; // "." and ".."
    }
    for (auto& [folder, kids] : plan.children) {
        std::sort(kids.begin(), kids.end(), [](const FatItem* a, const FatItem* b) { return a->path < b->path; });
        for (const FatItem* kid : kids)
            plan.entries[folder] += EntriesFor(NameOf(kid->path));
    }
    return plan;
}

std::uint64_t ClustersNeeded(const std::vector<FatItem>& items, std::uint32_t clusterBytes)
{
    const FolderPlan plan = PlanFolders(items);
    std::uint64_t clusters = 0;
    for (const auto& [folder, count] : plan.entries)
        clusters += std::max<std::uint64_t>(1, Clusters(count * 32, clusterBytes));
    for (const auto& item : items)
        if (!item.folder)
            clusters += Clusters(item.size, clusterBytes);
    return clusters;
}

} // namespace

std::string ShortNameFor(const std::string& name, const std::set<std::string>& taken)
{
    if (IsShortName(name))
        return "";
    // A name that is 8.3 but for its case keeps its letters (the long name keeps the case).
    std::string upper = name;
    for (char& c : upper)
        c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    if (IsShortName(upper) && !taken.count(upper))
        return upper;
    const std::size_t dot = name.rfind('.');
    const bool hasExt = dot != std::string::npos && dot > 0;
    std::string base = ShortPart(hasExt ? name.substr(0, dot) : name, 8);
    const std::string ext = hasExt ? ShortPart(name.substr(dot + 1), 3) : "";
    if (base.empty())
        base = "_";
    for (unsigned n = 1;; ++n) {
        const std::string tail = "~" + std::to_string(n);
        std::string candidate = base.substr(0, 8 - tail.size()) + tail + (ext.empty() ? "" : "." + ext);
        if (!taken.count(candidate))
            return candidate;
    }
}

FatGeometry PlanFatImage(const std::vector<FatItem>& items)
{
    std::uint64_t data = 0;
    for (const auto& item : items)
        data += item.size;
    FatGeometry g;
    // Small clusters keep a small stick image small; FAT32 needs 65,525 clusters at least.
    g.clusterBytes = data > (std::uint64_t(256) << 20) ? 4096 : 512;
    const std::uint64_t needed = ClustersNeeded(items, g.clusterBytes);
    const std::uint64_t clusters = std::max<std::uint64_t>(needed + needed / 50 + 64, 65600);
    const std::uint64_t fatSectors = Clusters((clusters + 2) * 4, kSector);
    const std::uint64_t sectors = 32 + 2 * fatSectors + clusters * (g.clusterBytes / kSector) + 2048;
    g.imageKiB = (sectors * kSector + 1023) / 1024;
    return g;
}

namespace {

// The file system mkfs.fat made, as its boot sector describes it.
struct Volume {
    std::uint32_t perCluster = 0, reserved = 0, fats = 0, perFat = 0, fsInfo = 0, backup = 0;
    std::uint64_t dataStart = 0, clusterCount = 0;
    std::uint32_t ClusterBytes() const { return perCluster * kSector; }
    std::uint64_t At(std::uint32_t cluster) const { return dataStart + std::uint64_t(cluster - 2) * ClusterBytes(); }
};

bool ReadVolume(std::fstream& disk, Volume& v)
{
    std::string boot(kSector, '\0');
    if (!disk.read(&boot[0], kSector))
        return false;
    const std::uint32_t total = Get(boot, 32, 4);
    v = {Get(boot, 13, 1), Get(boot, 14, 2), Get(boot, 16, 1), Get(boot, 36, 4), Get(boot, 48, 2), Get(boot, 50, 2), 0, 0};
    if (Get(boot, 11, 2) != kSector || v.perCluster == 0 || v.perFat == 0 || Get(boot, 44, 4) != 2 ||
        Get(boot, 510, 2) != 0xAA55 || total <= v.reserved + v.fats * v.perFat)
        return false;
    v.dataStart = std::uint64_t(v.reserved + v.fats * v.perFat) * kSector;
    v.clusterCount = (total - v.reserved - v.fats * v.perFat) / v.perCluster;
    return true;
}

// Every folder and file gets one run of clusters: the root first (cluster 2, as
// mkfs.fat put it), the other folders, then the files.
struct Allocation {
    std::vector<std::uint32_t> fat = {0x0FFFFFF8, kEndOfChain};
    std::map<std::string, std::uint32_t> first;

    void Add(const std::string& key, std::uint64_t count)
    {
        if (count == 0)
            return;
        first[key] = static_cast<std::uint32_t>(fat.size());
        for (std::uint64_t i = 1; i < count; ++i)
            fat.push_back(static_cast<std::uint32_t>(fat.size() + 1));
        fat.push_back(kEndOfChain);
    }
    std::uint32_t Of(const std::string& key) const { return first.count(key) ? first.at(key) : 0u; }
    std::uint64_t Used() const { return fat.size() - 2; }
};

Allocation Allocate(const FolderPlan& plan, const std::vector<FatItem>& items, std::uint32_t clusterBytes)
{
    Allocation a;
    const auto folderClusters = [&](std::size_t entries) {
        return std::max<std::uint64_t>(1, Clusters(entries * 32, clusterBytes));
    };
    a.Add("", folderClusters(plan.entries.at("")));
    for (const auto& [folder, count] : plan.entries)
        if (!folder.empty())
            a.Add(folder, folderClusters(count));
    for (const auto& item : items)
        if (!item.folder)
            a.Add(item.path, Clusters(item.size, clusterBytes));
    return a;
}

// One folder's entries: the label or "." and "..", then each child's long name
// (when it needs one) and short entry.
std::string FolderBytes(const FolderPlan& plan, const Allocation& a, const std::string& folder, const std::string& label,
                        Stamp stamp)
{
    std::string dir;
    if (folder.empty()) {
        std::string name = label.substr(0, 11);
        name.resize(11, ' ');
        dir += ShortEntry(name, 0x08, 0, 0, stamp);
    } else {
        const std::string parent = ParentOf(folder);
        dir += ShortEntry(".          ", 0x10, a.Of(folder), 0, stamp);
        dir += ShortEntry("..         ", 0x10, parent.empty() ? 0 : a.Of(parent), 0, stamp);
    }
    std::set<std::string> taken;
    const auto kids = plan.children.find(folder);
    if (kids == plan.children.end())
        return dir;
    for (const FatItem* kid : kids->second) {
        const std::string name = NameOf(kid->path);
        const std::string shortName = ShortNameFor(name, taken);
        taken.insert(shortName.empty() ? name : shortName);
        const std::string padded = Padded(shortName.empty() ? name : shortName);
        if (shortName != name && !shortName.empty())
            dir += LongEntries(name, Checksum(padded));
        dir += ShortEntry(padded, kid->folder ? 0x10 : 0x20, a.Of(kid->path),
                          kid->folder ? 0 : static_cast<std::uint32_t>(kid->size), stamp);
    }
    return dir;
}

void WriteAt(std::fstream& disk, std::uint64_t offset, const std::string& bytes)
{
    disk.seekp(static_cast<std::streamoff>(offset));
    disk.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string CopyFiles(std::fstream& disk, const Volume& v, const Allocation& a, const std::vector<FatItem>& items,
                      const std::function<void(std::uint64_t)>& progress)
{
    std::uint64_t written = 0;
    std::vector<char> buffer(1 << 20);
    for (const auto& item : items) {
        if (item.folder || item.size == 0)
            continue;
        std::ifstream in(item.host, std::ios::binary);
        disk.seekp(static_cast<std::streamoff>(v.At(a.Of(item.path))));
        std::uint64_t left = item.size;
        while (left > 0 && in) {
            const std::size_t chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
            if (!in.read(buffer.data(), static_cast<std::streamsize>(chunk)))
                break;
            disk.write(buffer.data(), static_cast<std::streamsize>(chunk));
            left -= chunk;
            written += chunk;
            if (progress)
                progress(written);
        }
        if (left > 0)
            return "cannot read " + item.host;
    }
    return "";
}

// Both copies of the table, and the free count and next free cluster in the
// information sector and its copy.
void WriteTables(std::fstream& disk, const Volume& v, const Allocation& a)
{
    std::string table(a.fat.size() * 4, '\0');
    for (std::size_t i = 0; i < a.fat.size(); ++i)
        Put32(table, i * 4, a.fat[i]);
    for (std::uint32_t f = 0; f < v.fats; ++f)
        WriteAt(disk, std::uint64_t(v.reserved + f * v.perFat) * kSector, table);
    for (std::uint32_t sector : {v.fsInfo, v.backup ? v.backup + v.fsInfo : 0u}) {
        if (sector == 0)
            continue;
        std::string info(kSector, '\0');
        disk.seekg(static_cast<std::streamoff>(std::uint64_t(sector) * kSector));
        disk.read(&info[0], kSector);
        Put32(info, 488, static_cast<std::uint32_t>(v.clusterCount - a.Used()));
        Put32(info, 492, static_cast<std::uint32_t>(a.fat.size()));
        WriteAt(disk, std::uint64_t(sector) * kSector, info);
    }
}

} // namespace

std::string WriteFatTree(const std::string& image, const std::vector<FatItem>& items, const std::string& label,
                         std::int64_t time, const std::function<void(std::uint64_t)>& progress)
{
    std::fstream disk(image, std::ios::in | std::ios::out | std::ios::binary);
    Volume v;
    if (!ReadVolume(disk, v))
        return image + " does not hold the FAT32 file system that mkfs.fat was asked for";
    for (const auto& item : items)
        if (item.size > 0xFFFFFFFFull)
            return item.path + " is 4 GiB or larger, more than a FAT file can hold";
    const FolderPlan plan = PlanFolders(items);
    const Allocation a = Allocate(plan, items, v.ClusterBytes());
    if (a.Used() > v.clusterCount)
        return image + " is too small for the disc (" + std::to_string(a.Used()) + " clusters needed)";
    const Stamp stamp = DosStamp(time);
    for (const auto& [folder, count] : plan.entries) {
        std::string dir = FolderBytes(plan, a, folder, label, stamp);
        dir.resize(std::max<std::uint64_t>(1, Clusters(dir.size(), v.ClusterBytes())) * v.ClusterBytes(), '\0');
        WriteAt(disk, v.At(a.Of(folder)), dir);
    }
    const std::string failure = CopyFiles(disk, v, a, items, progress);
    if (!failure.empty())
        return failure;
    WriteTables(disk, v, a);
    disk.flush();
    return disk ? "" : "cannot write " + image;
}
