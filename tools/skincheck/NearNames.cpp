#include "tools/skincheck/NearNames.h"

#include <algorithm>
#include <limits>

namespace {

// Letters added, dropped, changed, or two neighbours swapped, each counting one.
std::size_t EditDistance(const std::string& a, const std::string& b)
{
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::vector<std::size_t>> d(n + 1, std::vector<std::size_t>(m + 1));
    for (std::size_t i = 0; i <= n; ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= m; ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= n; ++i)
        for (std::size_t j = 1; j <= m; ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[n][m];
}

} // namespace

std::string LooseName(const std::string& name)
{
    std::string out;
    for (char c : name) {
        if (c == ' ' || c == '\t' || c == '_' || c == '-')
            continue;
        out += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    for (std::size_t at = out.find("ISE"); at != std::string::npos; at = out.find("ISE", at + 3))
        out[at + 1] = 'Z';
    return out;
}

std::string ProbablyMeant(const std::string& name, const std::vector<std::string>& candidates)
{
    const std::string loose = LooseName(name);
    if (loose.size() > 64)
        return ""; // nobody misspells a name this long; and the table stays small
    std::string best;
    std::size_t bestDistance = std::numeric_limits<std::size_t>::max();
    for (const std::string& candidate : candidates) {
        const std::string target = LooseName(candidate);
        const std::size_t allowed = target.size() >= 8 ? 2 : target.size() >= 4 ? 1 : 0;
        const std::size_t distance = EditDistance(loose, target);
        if (distance <= allowed && distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

bool LooksLikeProgramButton(const std::string& name)
{
    const std::string loose = LooseName(name), program = "IDBUTTON";
    return loose.size() > program.size() && loose.compare(0, program.size(), program) == 0 &&
           std::all_of(loose.begin() + static_cast<std::ptrdiff_t>(program.size()), loose.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}
