#pragma once
// The report as text: one line per finding, "file:line: error|warning|note:
// message", then a summary line.
#include "tools/skincheck/DiscCheck.h"

#include <ostream>

void PrintReport(const DiscReport& report, const SkincheckOptions& options, std::ostream& out);
