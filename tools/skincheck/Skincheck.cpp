#include "tools/skincheck/Skincheck.h"

#include "tools/skincheck/DiscCheck.h"
#include "tools/skincheck/DiscFolder.h"
#include "tools/skincheck/Preview.h"

#include <algorithm>
#include <optional>

namespace {

const char kUsage[] =
    "usage: skincheck [--verbose] [--preview OUT.png [--scale S]] [--present PATH]... DISC_FOLDER\n"
    "Checks a start-menu disc folder: AUTORUN.INF, Data/main.ini with its pictures,\n"
    "and config.ini. Prints one line per finding, then a summary.\n"
    "  --preview OUT.png  also write the window as it looks at rest, controls outlined\n"
    "  --scale S          draw the preview at display scale S (1, 1.25, 1.5, 2, up to 5),\n"
    "                     from the @2x pictures where the menu would use them\n"
    "  --present PATH     count PATH (below the disc folder) as present: a file that\n"
    "                     the build adds to the disc later\n"
    "  --verbose          also say in which encoding each file was read\n"
    "Exit status: 0 no error, 1 errors, 2 could not run.\n";

std::string Count(std::size_t n, const char* noun)
{
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

// A display scale as "1", "1.25", "1.5", "2": 96 × S DPI, rounded; 0 when it
// is not one from 1 to 5 with at most two decimals.
int ScaleDpi(const std::string& text)
{
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot), fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    const auto digits = [](const std::string& s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (whole.empty() || whole.size() > 1 || fraction.size() > 2 || (dot != std::string::npos && fraction.empty()) ||
        !digits(whole) || !digits(fraction))
        return 0;
    const int hundredths = std::stoi(whole) * 100 + (fraction.empty() ? 0 : std::stoi((fraction + "0").substr(0, 2)));
    if (hundredths < 100 || hundredths > 500)
        return 0;
    return (kBaseDpi * hundredths + 50) / 100;
}

} // namespace

int RunSkincheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    std::optional<std::string> preview;
    std::vector<std::string> present;
    std::optional<std::string> folder;
    bool verbose = false;
    int dpi = kBaseDpi;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool takesValue = arg == "--preview" || arg == "--present" || arg == "--scale";
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
        else if (arg == "--scale") {
            dpi = ScaleDpi(args[++i]);
            if (!dpi) {
                err << "skincheck: --scale takes a display scale from 1 to 5, as 1.25 or 2\n";
                return 2;
            }
        }
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

    const DiscReport report = CheckDisc(disc, dpi);
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
            err << "skincheck: no preview: no picture of the skin loads"
                << (dpi == kBaseDpi ? "" : " at this scale") << "\n";
            return 2;
        }
        if (!WritePng(*preview, image)) {
            err << "skincheck: cannot write " << *preview << "\n";
            return 2;
        }
    }
    return errors ? 1 : 0;
}
