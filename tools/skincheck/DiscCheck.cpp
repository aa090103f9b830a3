#include "tools/skincheck/DiscCheck.h"

#include "tools/skincheck/Rules.h"

#include <algorithm>

std::size_t DiscReport::Count(Severity severity) const
{
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                  [severity](const Finding& f) { return f.severity == severity; }));
}

DiscReport CheckDisc(const DiscFolder& disc, const SkincheckOptions& options)
{
    DiscReport report{BuildDiscModel(disc, options.dpi), {}};
    report.findings = CheckModel(report.model);
    return report;
}
