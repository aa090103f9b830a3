#include "tools/skincheck/Skincheck.h"

#include "tools/skincheck/DiscCheck.h"
#include "tools/skincheck/HtmlPage.h"
#include "tools/skincheck/Options.h"
#include "tools/skincheck/Preview.h"
#include "tools/skincheck/TextReport.h"

namespace {

int WritePreview(const DiscReport& report, const SkincheckOptions& options, std::ostream& err)
{
    const PixelImage image = RenderPreview(report.model);
    if (image.size.width == 0) {
        err << "skincheck: no preview: no picture of the skin loads"
            << (options.dpi == kBaseDpi ? "" : " at this scale") << "\n";
        return 2;
    }
    if (!WritePng(*options.preview, image)) {
        err << "skincheck: cannot write " << *options.preview << "\n";
        return 2;
    }
    return 0;
}

// Written also when no picture of the skin loads: the page then lists the
// findings without a window, and the exit status stays that of the findings.
int WriteHtmlPage(const DiscReport& report, const SkincheckOptions& options, std::ostream& err)
{
    if (!WriteHtml(*options.html, report, options.folder)) {
        err << "skincheck: cannot write " << *options.html << "\n";
        return 2;
    }
    return 0;
}

} // namespace

int RunSkincheck(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    const ParsedOptions parsed = ParseOptions(args);
    if (parsed.outcome == ParsedOptions::Help) {
        out << SkincheckUsage();
        return 0;
    }
    if (parsed.outcome == ParsedOptions::Refused) {
        if (!parsed.error.empty())
            err << "skincheck: " << parsed.error << "\n";
        if (parsed.usage)
            err << SkincheckUsage();
        return 2;
    }
    const SkincheckOptions& options = parsed.options;
    DiscFolder disc(options.folder);
    if (!disc.Exists()) {
        err << "skincheck: " << options.folder << " is not a folder\n";
        return 2;
    }
    for (const auto& p : options.present)
        disc.AssumePresent(p);

    const DiscReport report = CheckDisc(disc, options);
    PrintReport(report, options, out);
    if (options.preview)
        if (const int status = WritePreview(report, options, err))
            return status;
    if (options.html)
        if (const int status = WriteHtmlPage(report, options, err))
            return status;
    return report.Count(Severity::Error) ? 1 : 0;
}
