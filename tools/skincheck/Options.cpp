#include "tools/skincheck/Options.h"

#include "platform/LanguageSections.h"

#include <algorithm>

namespace {

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

// The options, and beside them the usage text that tells of them.
struct Option {
    const char* name;
    bool takesValue;
    // Stores the option; false (with `error` set) when its value is refused.
    bool (*apply)(SkincheckOptions& options, const std::string& value, std::string& error);
};

const Option kOptions[] = {
    {"--verbose", false, [](SkincheckOptions& o, const std::string&, std::string&) { return o.verbose = true; }},
    {"--preview", true, [](SkincheckOptions& o, const std::string& v, std::string&) { return (o.preview = v), true; }},
    {"--html", true, [](SkincheckOptions& o, const std::string& v, std::string&) { return (o.html = v), true; }},
    {"--present", true, [](SkincheckOptions& o, const std::string& v, std::string&) {
         o.present.push_back(v);
         return true;
     }},
    {"--lang", true, [](SkincheckOptions& o, const std::string& v, std::string& error) {
         if (!platform::IsLanguageTag(v))
             error = "--lang takes a language tag, as tr, de-AT or zh-Hans";
         else
             o.language = v;
         return error.empty();
     }},
    {"--scale", true, [](SkincheckOptions& o, const std::string& v, std::string& error) {
         o.dpi = ScaleDpi(v);
         if (!o.dpi)
             error = "--scale takes a display scale from 1 to 5, as 1.25 or 2";
         return o.dpi != 0;
     }},
};

const char kUsage[] =
    "usage: skincheck [--verbose] [--preview OUT.png] [--html OUT.html] [--scale S] [--lang TAG]\n"
    "                 [--present PATH]... DISC_FOLDER\n"
    "Checks a start-menu disc folder: AUTORUN.INF, Data/main.ini with its pictures,\n"
    "and config.ini, as every user sees it: the base sections and each language the\n"
    "disc has (a finding only its users meet starts with the language: [tr]).\n"
    "Prints one line per finding, then a summary.\n"
    "  --preview OUT.png  also write the window as it looks at rest, controls outlined\n"
    "  --html OUT.html    also write the menu as one page to try in any browser: looks,\n"
    "                     tooltips, labels, sliders and what each click does\n"
    "  --scale S          draw the preview and the page at display scale S (1, 1.25,\n"
    "                     1.5, 2, up to 5), from the @2x pictures where the menu would\n"
    "                     use them\n"
    "  --lang TAG         check, preview and page the disc as a user whose Windows\n"
    "                     display language is TAG (tr, de-AT) sees it\n"
    "  --present PATH     count PATH (below the disc folder) as present: a file that\n"
    "                     the build adds to the disc later\n"
    "  --verbose          also say in which encoding each file was read, the languages\n"
    "                     found, and the rule behind each finding\n"
    "Exit status: 0 no error, 1 errors, 2 could not run (or write the preview or the page).\n";

ParsedOptions Refuse(std::string error, bool usage)
{
    ParsedOptions parsed;
    parsed.outcome = ParsedOptions::Refused;
    parsed.error = std::move(error);
    parsed.usage = usage;
    return parsed;
}

} // namespace

const char* SkincheckUsage() { return kUsage; }

ParsedOptions ParseOptions(const std::vector<std::string>& args)
{
    ParsedOptions parsed;
    std::optional<std::string> folder;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.outcome = ParsedOptions::Help;
            return parsed;
        }
        const auto option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                         [&](const Option& o) { return arg == o.name; });
        if (option != std::end(kOptions)) {
            if (option->takesValue && i + 1 >= args.size())
                return Refuse(arg + " needs a value", true);
            std::string error;
            if (!option->apply(parsed.options, option->takesValue ? args[++i] : std::string(), error))
                return Refuse(error, false);
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
            return Refuse("unknown option " + arg, true);
        } else if (!folder && arg != "--") {
            folder = arg;
        } else if (arg != "--") {
            return Refuse("one disc folder only", true);
        }
    }
    if (!folder || folder->empty())
        return Refuse("", true);
    parsed.options.folder = *folder;
    return parsed;
}
