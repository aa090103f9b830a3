#include "tools/skincheck/DiscCheck.h"

#include "tools/skincheck/Rules.h"

#include <algorithm>

std::size_t DiscReport::Count(Severity severity) const
{
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                  [severity](const Finding& f) { return f.severity == severity; }));
}

namespace {

bool SameFinding(const Finding& a, const Finding& b)
{
    return a.file == b.file && a.line == b.line && a.severity == b.severity && a.message == b.message;
}

std::vector<Finding> CheckView(const DiscModel& model)
{
    std::vector<Finding> findings = CheckModel(model);
    for (Finding& f : findings)
        f.language = model.language;
    return findings;
}

} // namespace

DiscReport CheckDisc(const DiscFolder& disc, const SkincheckOptions& options)
{
    DiscReport report{BuildDiscModel(disc, options.dpi, options.language.value_or("")), {}, {}, {}};
    report.languages = report.model.LanguagesFound();
    report.findings = CheckView(report.model);
    if (options.language)
        return report;
    for (const std::string& language : report.languages) {
        DiscModel& view = report.views.emplace_back(BuildDiscModel(disc, options.dpi, language));
        for (Finding& f : CheckView(view))
            if (std::none_of(report.findings.begin(), report.findings.end(),
                             [&](const Finding& seen) { return SameFinding(seen, f); }))
                report.findings.push_back(std::move(f));
    }
    SortFindings(report.model, report.findings);
    return report;
}
