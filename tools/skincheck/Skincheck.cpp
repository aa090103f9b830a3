#include "tools/skincheck/Skincheck.h"

#include "tools/skincheck/DiscCheck.h"
#include "tools/skincheck/DiscFolder.h"
#include "tools/skincheck/Preview.h"

#include <optional>

namespace {

const char kUsage[] =
    "usage: skincheck [--verbose] [--preview OUT.png] [--present PATH]... DISC_FOLDER\n"
    "Checks a start-menu disc folder: AUTORUN.INF, Data/main.ini with its pictures,\n"
    "and config.ini. Prints one line per finding, then a summary.\n"
    "  --preview OUT.png  also write the window as it looks at rest, controls outlined\n"
    "  --present PATH     count PATH (below the disc folder) as present: a file that\n"
    "                     the build adds to the disc later\n"
    "  --verbose          also say in which encoding each file was read\n"
    "Exit status: 0 no error, 1 errors, 2 could not run.\n";

std::string Count(std::size_t n, const char* noun)
{
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

} // namespace

int RunSkincheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> preview;
    std::vector<std::string> present;
    std::optional<std::string> folder;
    bool verbose = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--preview" || arg == "--present";
        if (arg == "--help" || arg == "-h") {
            out << kUsage;
            return 0;
        }
        if (takesValue && i + 1 >= args.size()) {
            err << "skincheck: " << arg << " needs a value\n" << kUsage;
            return 2;
        }
        if (arg == "--verbose")
            verbose = true;
        else if (arg == "--preview")
            preview = args[++i];
        else if (arg == "--present")
            present.push_back(args[++i]);
        else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
            err << "skincheck: unknown option " << arg << "\n" << kUsage;
            return 2;
        } else if (!folder && arg != "--")
            folder = arg;
        else if (arg != "--") {
            err << "skincheck: one disc folder only\n" << kUsage;
            return 2;
        }
    }
    if (!folder || folder->empty()) {
        err << kUsage;
        return 2;
    }

    DiscFolder disc(*folder);
    if (!disc.Exists()) {
        err << "skincheck: " << *folder << " is not a folder\n";
        return 2;
    }
    for (const auto& p : present)
        disc.AssumePresent(p);

    const DiscReport report = CheckDisc(disc);
    if (verbose)
        for (const auto& read : report.encodings)
            out << disc.Display(read.file) << ": read as " << read.encoding << '\n';
    for (const Finding& f : report.findings) {
        out << disc.Display(f.file) << ':';
        if (f.line)
            out << f.line << ':';
        out << ' ' << (f.severity == Severity::Error ? "error" : f.severity == Severity::Warning ? "warning" : "note") << ": " << f.message << '\n';
    }
    const std::size_t errors = report.Count(Severity::Error);
    out << *folder << ": " << Count(errors, "error") << ", " << Count(report.Count(Severity::Warning), "warning")
        << '\n';

    if (preview) {
        const PreviewImage image = RenderPreview(report.window);
        if (image.width == 0) {
            err << "skincheck: no preview: no picture of the skin loads\n";
            return 2;
        }
        if (!WritePng(*preview, image)) {
            err << "skincheck: cannot write " << *preview << "\n";
            return 2;
        }
    }
    return errors ? 1 : 0;
}
