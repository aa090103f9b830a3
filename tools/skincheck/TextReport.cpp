#include "tools/skincheck/TextReport.h"

namespace {

std::string Count(std::size_t n, const char* noun)
{
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

const char* SeverityName(Severity severity)
{
    return severity == Severity::Error ? "error" : severity == Severity::Warning ? "warning" : "note";
}

} // namespace

void PrintReport(const DiscReport& report, const SkincheckOptions& options, std::ostream& out)
{
    const DiscFolder& disc = *report.model.disc;
    if (options.verbose)
        for (const ConfigFile* file : report.model.Files())
            if (file->read)
                out << disc.Display(file->shown) << ": read as " << platform::EncodingName(file->doc.Encoding())
                    << '\n';
    if (options.verbose && (!report.languages.empty() || options.language)) {
        out << "languages:";
        for (std::size_t i = 0; i < report.languages.size(); ++i)
            out << (i ? ", " : " ") << report.languages[i];
        out << (report.languages.empty() ? " none\n" : "\n");
    }
    if (options.verbose && options.language) {
        out << "--lang " << *options.language << ": reads";
        for (const std::string& tag : report.model.languages)
            out << " [NAME." << tag << "], then";
        out << " [NAME]\n";
    }
    for (const Finding& f : report.findings) {
        out << disc.Display(f.file) << ':';
        if (f.line)
            out << f.line << ':';
        out << ' ' << SeverityName(f.severity) << ": " << (f.language.empty() ? "" : "[" + f.language + "] ")
            << f.message;
        if (options.verbose)
            out << " [" << f.rule << ']';
        out << '\n';
    }
    out << options.folder << ": " << Count(report.Count(Severity::Error), "error") << ", "
        << Count(report.Count(Severity::Warning), "warning") << '\n';
}
