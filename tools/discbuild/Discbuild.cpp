#include "tools/discbuild/Discbuild.h"

#include "tools/discbuild/AutorunSection.h"
#include "tools/discbuild/DiscTree.h"
#include "tools/discbuild/Images.h"
#include "tools/discbuild/Media.h"
#include "tools/discbuild/NameRules.h"
#include "tools/discbuild/ReadBack.h"
#include "tools/discbuild/Tools.h"
#include "tools/skincheck/DiscCheck.h"
#include "tools/skincheck/DiscFolder.h"

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <filesystem>
#include <optional>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char kUsage[] =
    "usage: discbuild [--iso OUT.iso] [--usb OUT.img] [--volume ID] [--label TEXT] [--medium NAME|SIZE]\n"
    "                 [--date EPOCH] [--sign-pfx FILE [--sign-password-file FILE]] [--present PATH]... DISC\n"
    "Checks a start-menu disc folder as skincheck does, and the names, size and [autorun]\n"
    "section as Windows will read them from the medium; then writes the images, reads\n"
    "them back and prints a summary. At least one of --iso and --usb.\n"
    "  --iso OUT.iso      an ISO 9660 level 3 image with Joliet and Rock Ridge names\n"
    "  --usb OUT.img      a FAT32 image of a USB stick\n"
    "  --volume ID        the volume id: A-Z, 0-9 and _, at most 32 (default: from the folder's name)\n"
    "  --label TEXT       label= of the [autorun] section written when AUTORUN.INF lacks it\n"
    "                     (default: the volume id)\n"
    "  --medium M         cd74, cd80, dvd, dvd-dl, bd or a size such as 700M: refuse a larger image\n"
    "  --date EPOCH       every date in the images (default: SOURCE_DATE_EPOCH, else the\n"
    "                     newest file's time): the same folder and date give the same bytes\n"
    "  --sign-pfx FILE    Authenticode-sign autorun.exe and verpick.exe inside the images\n"
    "  --sign-password-file FILE  the PKCS#12 file's password\n"
    "  --present PATH     count PATH as present for skincheck's checks\n"
    "Exit status: 0 built, 1 refused (errors: nothing written), 2 could not run.\n";

struct Options {
    std::optional<std::string> iso, usb, volume, label, medium, date, pfx, passwordFile;
    std::vector<std::string> present;
    std::string disc;
};

// Every option that takes a value, and where it goes.
std::optional<std::string>* ValueOption(Options& o, const std::string& arg)
{
    const std::pair<const char*, std::optional<std::string>*> table[] = {
        {"--iso", &o.iso},       {"--usb", &o.usb},   {"--volume", &o.volume},      {"--label", &o.label},
        {"--medium", &o.medium}, {"--date", &o.date}, {"--sign-pfx", &o.pfx}, {"--sign-password-file", &o.passwordFile}};
    for (const auto& [name, slot] : table)
        if (arg == name)
            return slot;
    return nullptr;
}

// 0 when the options are usable, else the exit status (after saying why).
int ParseDiscbuildOptions(const std::vector<std::string>& args, Options& o, std::ostream& out, std::ostream& err)
{
    bool haveDisc = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string>* slot = ValueOption(o, arg);
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return -1;
        }
        if ((slot || arg == "--present") && i + 1 >= args.size()) {
            err << "discbuild: " << arg << " needs a value\n" << kUsage;
            return 2;
        }
        if (slot)
            *slot = args[++i];
        else if (arg == "--present")
            o.present.push_back(args[++i]);
        else if (arg.size() > 1 && arg[0] == '-') {
            err << "discbuild: unknown option " << arg << "\n" << kUsage;
            return 2;
        } else if (haveDisc) {
            err << "discbuild: one disc folder only\n" << kUsage;
            return 2;
        } else {
            o.disc = arg;
            haveDisc = true;
        }
    }
    const char* problem = !haveDisc || o.disc.empty() ? "no disc folder"
                          : !o.iso && !o.usb          ? "--iso or --usb is needed"
                          : o.passwordFile && !o.pfx  ? "--sign-password-file goes with --sign-pfx"
                          : o.medium && !ParseMedium(*o.medium) ? "--medium takes cd74, cd80, dvd, dvd-dl, bd or a size such as 700M"
                                                      : nullptr;
    if (problem) {
        err << "discbuild: " << problem << "\n" << kUsage;
        return 2;
    }
    return 0;
}

// The Debian package that brings each tool, for the message when one is missing.
bool ToolsPresent(const Options& o, std::ostream& err)
{
    struct Need {
        bool needed;
        const char* program;
        const char* package;
    };
    const Need needs[] = {{bool(o.iso), "xorriso", "xorriso"},         {bool(o.usb), "mkfs.fat", "dosfstools"},
                          {bool(o.usb), "mcopy", "mtools"},            {bool(o.pfx), "osslsigncode", "osslsigncode"},
                          {bool(o.pfx), "openssl", "openssl"}};
    bool ok = true;
    for (const Need& n : needs)
        if (n.needed && FindTool(n.program).empty()) {
            err << "discbuild: " << n.program << " is missing: install the Debian package " << n.package
                << " (scripts/deps.sh does)\n";
            ok = false;
        }
    return ok;
}

std::optional<std::int64_t> ParseEpoch(const std::string& text)
{
    if (text.empty() || text.size() > 12 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(text);
}

std::string Grouped(std::uint64_t n)
{
    std::string digits = std::to_string(n), out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string Count(std::size_t n, const char* noun) { return std::to_string(n) + " " + noun + (n == 1 ? "" : "s"); }

// Removed with everything in it, also when the build fails half-way.
class ScratchDir {
public:
    ScratchDir()
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/discbuild-XXXXXX";
        if (mkdtemp(&pattern[0]))
            m_path = pattern;
    }
    ~ScratchDir() { Remove(m_path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return m_path; }

    // Extracted images hold read-only folders: make them writable first.
    static void Remove(const std::string& path)
    {
        std::error_code ec;
        if (path.empty() || !fs::exists(fs::symlink_status(path, ec)))
            return;
        for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_directory(ec) && !it->is_symlink(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }

private:
    std::string m_path;
};

// Everything decided before an image is written.
struct Build {
    const Options& options;
    DiscFolder disc;
    DiscTree tree;
    std::vector<Finding> findings; // discbuild's own
    std::string volume, label, fatLabel;
    std::int64_t date = 0;
    std::optional<MediumSize> medium;
    AutorunPlan autorun;
    std::string autorunPath = "AUTORUN.INF";
    std::vector<NamedPath> named;
    std::map<std::string, std::string> staged;
    bool signedPrograms = false;

    void Error(const std::string& file, const std::string& message, Severity severity = Severity::Error)
    {
        findings.push_back({file, 0, severity, message});
    }
};

std::string DefaultVolume(const std::string& disc)
{
    fs::path path = fs::absolute(disc).lexically_normal();
    if (path.filename().empty())
        path = path.parent_path();
    const std::string name = path.filename().string();
    std::string id;
    platform::ForEachCodePoint(name, [&](char32_t c) {
        if (c >= 'a' && c <= 'z')
            c -= 'a' - 'A';
        if (id.size() < 32)
            id += (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? static_cast<char>(c) : '_';
    });
    return id.empty() ? "DISC" : id;
}

void CheckVolume(Build& b)
{
    b.volume = b.options.volume ? *b.options.volume : DefaultVolume(b.options.disc);
    if (b.volume.empty() || b.volume.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") != std::string::npos)
        b.Error("", "the volume id '" + b.volume + "' holds more than A-Z, 0-9 and _");
    else if (b.volume.size() > 32)
        b.Error("", "the volume id has " + std::to_string(b.volume.size()) + " characters: an ISO holds 32");
    else if (b.volume.size() > 16 && b.options.iso)
        b.Error("", "the volume id has " + std::to_string(b.volume.size()) + " characters: Joliet keeps 16",
                Severity::Warning);
    b.fatLabel = b.volume.substr(0, 11);
    b.label = b.options.label ? *b.options.label : b.volume;
}

const TreeEntry* RootFile(const DiscTree& tree, const std::string& name)
{
    for (const auto& e : tree.entries)
        if (!e.folder && e.path.find('/') == std::string::npos && FoldName(e.path) == FoldName(name))
            return &e;
    return nullptr;
}

void CheckAutorunSection(Build& b)
{
    const TreeEntry* inf = RootFile(b.tree, "AUTORUN.INF");
    std::optional<std::string> bytes;
    if (inf) {
        b.autorunPath = inf->path;
        bytes = platform::ReadWholeFile(inf->host);
    }
    b.autorun = PlanAutorun(bytes, b.label, [&](const std::string& path) {
        return b.disc.FindRelative(path, false).IsThere();
    });
    for (Finding f : b.autorun.findings) {
        f.file = b.autorunPath;
        b.findings.push_back(f);
    }
    const auto name = [&](const std::string& written, std::size_t line, const char* key) {
        const DiscFile found = b.disc.FindRelative(written, false);
        if (found.state == DiscFile::Present)
            b.named.push_back({written, found.relative, b.autorunPath + ":" + std::to_string(line) + " " + key});
    };
    if (!b.autorun.open.empty())
        name(b.autorun.open, b.autorun.openLine, "open=");
    if (!b.autorun.icon.empty())
        name(b.autorun.icon, b.autorun.iconLine, "icon=");
}

void CheckSize(Build& b)
{
    // Each file takes whole sectors: a lower bound of either image.
    std::uint64_t sectors = 0;
    for (const auto& e : b.tree.entries)
        sectors += (e.size + 2047) / 2048;
    if (b.options.usb)
        for (const auto& e : b.tree.entries)
            if (e.size > 0xFFFFFFFFull)
                b.Error(e.path, "FAT: the file has " + Grouped(e.size) + " bytes: a FAT file holds less than 4 GiB");
    if (b.options.medium) {
        b.medium = ParseMedium(*b.options.medium);
        if (sectors * 2048 > b.medium->bytes)
            b.Error("", "the files alone take " + Grouped(sectors * 2048) + " bytes: more than " + b.medium->name +
                            " holds (" + Grouped(b.medium->bytes) + ")");
    }
}

void PrintFinding(std::ostream& out, const DiscFolder& disc, const Finding& f)
{
    std::string shown = disc.Display(f.file);
    if (f.file.empty() && shown.size() > 1)
        shown.pop_back(); // the folder itself, without its separator
    out << shown << ':';
    if (f.line)
        out << f.line << ':';
    out << ' ' << (f.severity == Severity::Error ? "error" : f.severity == Severity::Warning ? "warning" : "note")
        << ": " << f.message << '\n';
}

std::size_t CountOf(const std::vector<Finding>& findings, Severity severity)
{
    std::size_t n = 0;
    for (const auto& f : findings)
        n += f.severity == severity;
    return n;
}

// skincheck's checks, then discbuild's; true when nothing stands in the way.
bool CheckAll(Build& b, std::ostream& out)
{
    for (const auto& p : b.options.present)
        b.disc.AssumePresent(p);
    SkincheckOptions skincheck;
    skincheck.folder = b.options.disc;
    skincheck.present = b.options.present;
    const DiscReport report = CheckDisc(b.disc, skincheck);
    // Every file the disc names, as skincheck's model of the disc lists it; open=
    // and icon= of [autorun] are added by discbuild's own reading of the section.
    for (const NamedFile& f : report.model.files)
        if (f.resolved.state == DiscFile::Present)
            b.named.push_back({f.written, f.resolved.relative, f.namedBy + ":" + std::to_string(f.line)});
    b.tree = ReadDiscTree(b.options.disc);
    b.findings = b.tree.findings;
    std::vector<TreeName> names;
    for (const auto& e : b.tree.entries)
        names.push_back({e.path, e.folder});
    for (Medium m : {Medium::Joliet, Medium::Fat})
        if (m == Medium::Joliet ? bool(b.options.iso) : bool(b.options.usb))
            for (auto& f : CheckMediumNames(names, m))
                b.findings.push_back(std::move(f));
    for (const auto& p : b.options.present)
        if (b.disc.FindRelative(p, true).state == DiscFile::Assumed)
            b.Error("", "--present " + p + ": not in the folder, so not in the images either", Severity::Warning);
    CheckVolume(b);
    CheckAutorunSection(b);
    CheckSize(b);
    for (auto& f : CaseNotes(b.named))
        b.findings.push_back(std::move(f));
    for (const auto& f : report.findings)
        PrintFinding(out, b.disc, f);
    for (const auto& f : b.findings)
        PrintFinding(out, b.disc, f);
    const std::size_t errors = report.Count(Severity::Error) + CountOf(b.findings, Severity::Error);
    out << b.options.disc << ": " << Count(errors, "error") << ", "
        << Count(report.Count(Severity::Warning) + CountOf(b.findings, Severity::Warning), "warning") << '\n';
    return errors == 0;
}

} // namespace

namespace {

// Staged copies of the files whose image copy differs: AUTORUN.INF with its
// section, the signed programs. An empty message on success.
std::string Stage(Build& b, const std::string& scratch)
{
    const auto stage = [&](const std::string& path, const std::string& bytes) {
        const std::string host = scratch + "/staged-" + std::to_string(b.staged.size());
        std::ofstream(host, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        b.staged[path] = host;
    };
    if (b.autorun.image)
        stage(b.autorunPath, *b.autorun.image);
    if (b.options.pfx) {
        for (const char* program : {"autorun.exe", "verpick.exe"}) {
            const TreeEntry* exe = RootFile(b.tree, program);
            if (!exe)
                continue;
            const std::string signedCopy = scratch + "/signed-" + program;
            const std::string failure = SignProgram(exe->host, signedCopy, *b.options.pfx,
                                                    b.options.passwordFile.value_or(""), b.date, scratch);
            if (!failure.empty())
                return failure;
            b.staged[exe->path] = signedCopy;
            b.signedPrograms = true;
        }
        if (!b.signedPrograms)
            return "--sign-pfx: the disc has neither autorun.exe nor verpick.exe to sign";
    }
    // What the image should hold: the folder's entries, staged hosts where they differ.
    for (auto& e : b.tree.entries)
        if (b.staged.count(e.path)) {
            e.host = b.staged[e.path];
            e.size = fs::file_size(e.host);
        }
    if (b.autorun.image && !RootFile(b.tree, b.autorunPath)) {
        b.tree.entries.push_back({b.autorunPath, false, b.staged[b.autorunPath], b.autorun.image->size(), b.date});
        std::sort(b.tree.entries.begin(), b.tree.entries.end(),
                  [](const TreeEntry& x, const TreeEntry& y) { return x.path < y.path; });
    }
    return "";
}

struct ImageKind {
    const char* what;   // in the summary
    const char* medium; // in the read-back messages
    std::string (*write)(const std::string&, const ImageRequest&);
    std::string (*extract)(const std::string&, const std::string&);
};
const ImageKind kIso = {"ISO 9660 level 3 + Joliet + Rock Ridge", "the ISO's Joliet tree", WriteIso, ExtractIso};
const ImageKind kUsb = {"FAT32 (USB stick)", "the USB image", WriteUsb, ExtractUsb};

void PrintSummary(std::ostream& out, const Build& b, const std::string& path, const ImageKind& kind,
                  std::uint64_t bytes)
{
    std::size_t folders = 0, files = 0;
    for (const auto& e : b.tree.entries)
        (e.folder ? folders : files)++;
    out << path << ": " << kind.what << ", " << Grouped(bytes) << " bytes (" << Grouped((bytes + 2047) / 2048)
        << " sectors of 2,048 bytes)\n";
    if (b.medium)
        out << "  medium: " << b.medium->name << " (" << Grouped(b.medium->bytes) << " bytes): it fits\n";
    else
        out << "  fits on: " << MediaThatFit(bytes) << '\n';
    out << "  " << Count(files, "file") << " in " << Count(folders, "folder") << "; volume id " << b.volume;
    if (&kind == &kUsb)
        out << " (label " << b.fatLabel << ")";
    out << "; label \"" << b.autorun.label << "\"; " << (b.signedPrograms ? "signed" : "not signed") << '\n';
}

// What differs between the image and what it should hold; `failure` says when
// it could not be read back at all.
std::vector<Finding> ReadBack(const Build& b, const ImageKind& kind, const std::string& image,
                              const std::string& scratch, std::string& failure)
{
    std::vector<Finding> problems;
    const std::string into = scratch + "/read-back";
    ScratchDir::Remove(into);
    std::error_code ec;
    fs::create_directory(into, ec);
    failure = kind.extract(image, into);
    if (failure.empty()) {
        const DiscTree read = ReadDiscTree(into);
        for (auto& f : CompareTrees(b.tree.entries, read, kind.medium))
            problems.push_back(f);
        for (auto& f : CheckNamedFiles(b.named, read, kind.medium))
            problems.push_back(f);
    }
    ScratchDir::Remove(into);
    return problems;
}

// Writes one image beside its final name, reads it back and renames it; on any
// failure nothing stays. Returns the exit status.
int WriteImage(Build& b, const ImageKind& kind, const std::string& path, const std::string& scratch,
               std::ostream& out, std::ostream& err)
{
    const std::string partial = path + ".partial-" + std::to_string(getpid());
    ScratchDir::Remove(partial);
    const bool terminal = isatty(2);
    const auto status = [&](const std::string& text) {
        if (terminal)
            err << "\r" << std::string(path.size() + 24, ' ') << "\r" << text << std::flush;
    };
    ImageRequest request{b.options.disc, b.tree.entries, b.staged, b.volume, b.fatLabel, b.date, {}};
    request.progress = [&](int percent) { status("writing " + path + ": " + std::to_string(percent) + " %"); };
    std::string failure = kind.write(partial, request);
    std::vector<Finding> problems;
    std::error_code ec;
    const std::uint64_t bytes = fs::file_size(partial, ec);
    if (failure.empty() && b.medium && bytes > b.medium->bytes)
        problems.push_back({"", 0, Severity::Error,
                            path + " has " + Grouped(bytes) + " bytes: more than " + b.medium->name + " holds (" +
                                Grouped(b.medium->bytes) + ")"});
    if (failure.empty() && problems.empty()) {
        status("reading " + path + " back...");
        for (auto& f : ReadBack(b, kind, partial, scratch, failure))
            problems.push_back(f);
    }
    status("");
    if (failure.empty() && problems.empty()) {
        fs::rename(partial, path, ec);
        if (!ec) {
            PrintSummary(out, b, path, kind, bytes);
            return 0;
        }
        failure = "cannot write " + path + ": " + ec.message();
    }
    ScratchDir::Remove(partial);
    for (const auto& f : problems)
        PrintFinding(out, b.disc, f);
    if (!failure.empty())
        err << "discbuild: " << failure << "\n";
    out << path << ": not written\n";
    return failure.empty() ? 1 : 2;
}

bool InsideFolder(const std::string& file, const std::string& folder)
{
    std::error_code ec;
    const fs::path f = fs::weakly_canonical(fs::absolute(file), ec), d = fs::canonical(folder, ec);
    const std::string fs_ = f.string(), ds = d.string() + "/";
    return fs_.compare(0, ds.size(), ds) == 0;
}

} // namespace

int RunDiscbuild(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    Options options;
    if (const int status = ParseDiscbuildOptions(args, options, out, err))
        return status < 0 ? 0 : status;
    if (!ToolsPresent(options, err))
        return 2;
    Build b{options, DiscFolder(options.disc), {}, {}, {}, {}, {}, 0, {}, {}, "AUTORUN.INF", {}, {}, false};
    if (!b.disc.Exists()) {
        err << "discbuild: " << options.disc << " is not a folder\n";
        return 2;
    }
    for (const auto* image : {&options.iso, &options.usb})
        if (*image && InsideFolder(**image, options.disc)) {
            err << "discbuild: " << **image << " lies inside the disc folder, which is never changed\n";
            return 2;
        }
    const char* sourceDate = std::getenv("SOURCE_DATE_EPOCH");
    const std::optional<std::string> dateText = options.date ? options.date
                                                : sourceDate ? std::optional<std::string>(sourceDate)
                                                             : std::nullopt;
    if (!CheckAll(b, out)) {
        out << "nothing written\n";
        return 1;
    }
    const auto epoch = dateText ? ParseEpoch(*dateText) : std::optional<std::int64_t>(b.tree.newest);
    if (!epoch) {
        err << "discbuild: the date " << *dateText << " is not a number of seconds since 1970\n";
        return 2;
    }
    b.date = *epoch;
    ScratchDir scratch;
    if (scratch.Path().empty()) {
        err << "discbuild: cannot make a scratch folder\n";
        return 2;
    }
    if (const std::string failure = Stage(b, scratch.Path()); !failure.empty()) {
        err << "discbuild: " << failure << "\n";
        out << "nothing written\n";
        return 1;
    }
    int status = 0;
    if (options.iso)
        status = WriteImage(b, kIso, *options.iso, scratch.Path(), out, err);
    const bool isoWritten = options.iso && status == 0;
    if (options.usb && status == 0)
        status = WriteImage(b, kUsb, *options.usb, scratch.Path(), out, err);
    if (status != 0 && isoWritten) {
        ScratchDir::Remove(*options.iso); // both or neither
        out << *options.iso << ": removed again, since the USB image could not be made\n";
    }
    return status;
}
