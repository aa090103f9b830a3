// Compares skincheck's decoding of every corpus picture with what the menu's
// loader made of it (NAME.loader, written by loader_dump.exe): the verdict,
// the size, and the pixels, exactly for BMP and GIF and within a small
// per-channel difference for JPEG, whose decoders may round differently.
// Pictures that the loader does not decode alike every time are left out.
// Usage: picture_agreement DIR
#include "tests/pictures/CorpusFolder.h"
#include "platform/FileSystem.h"
#include "tools/skincheck/PictureDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

namespace {

constexpr int kJpegTolerance = 8;

// Where the two are known to part, and why; each is named in the README.
struct Known {
    const char* file;
    const char* why;
};
const Known kKnown[] = {
    {"jpeg-baseline-420-cut_tail.jpg",
     "the file lacks only its end marker; Wine's libjpeg finished its last rows before it read past the end"},
    {"png-named-jpeg.jpg", "a PNG: Wine 8 and Wine 10 show it, the loader on Windows is documented for no PNG, and "
                           "skincheck holds to Windows"},
};

// The pictures whose decoding by the loader is not a property of the file, so
// that there is nothing to compare with: the loader reads memory beyond the end
// of each (tests/pictures/unstable.txt; scripts/picture-stability.sh finds them).
// Each by name, with how that was found.
std::map<std::string, std::string> UnstablePictures()
{
    std::map<std::string, std::string> list;
    std::ifstream in(AK_UNSTABLE_PICTURES);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#' && line.find('\t') != std::string::npos)
            list[line.substr(0, line.find('\t'))] = line.substr(line.find('\t') + 1);
    return list;
}

std::string Describe(const PictureLoad& load)
{
    if (!load.picture)
        return "does not load (" + load.problem + ")";
    return std::to_string(load.picture->size.width) + "x" + std::to_string(load.picture->size.height);
}

// Empty when the two agree, else how they differ.
std::string Compare(const std::string& name, const PictureLoad& ours, const std::string& loader)
{
    std::istringstream in(loader);
    std::string first;
    in >> first;
    if (first == "none")
        return ours.picture ? "skincheck: " + Describe(ours) + ", the loader: does not load" : "";
    int w = 0, h = 0;
    w = std::atoi(first.c_str());
    in >> h;
    const std::size_t body = loader.find('\n') + 1;
    if (!ours.picture)
        return "skincheck: " + Describe(ours) + ", the loader: " + std::to_string(w) + "x" + std::to_string(h);
    const PixelImage& p = *ours.picture;
    if (p.size.width != w || p.size.height != h)
        return "skincheck: " + Describe(ours) + ", the loader: " + std::to_string(w) + "x" + std::to_string(h);
    // Damaged JPEG data is decoded past differently by each libjpeg, and not
    // every damage is noticed (arithmetic coding has no invalid codes): the
    // verdict and the size must agree, the damaged blocks cannot.
    const bool jpeg = name.find(".jpg") != std::string::npos;
    if (jpeg && (!ours.damage.empty() || name.find("-damaged.") != std::string::npos))
        return "";
    int worst = 0, wrong = 0, firstX = -1, firstY = -1;
    for (int y = 0; y < h; ++y) {
        if (y >= ours.missingFrom && y < ours.missingTo)
            continue; // not in the file: the loader shows whatever memory follows it
        for (int x = 0; x < w; ++x) {
            const std::size_t at = body + (static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)) * 4;
            const auto byte = [&](std::size_t i) { return static_cast<int>(static_cast<unsigned char>(loader[at + i])); };
            const std::uint32_t mine = p.At(x, y);
            int d = 0;
            for (int c = 0; c < 3; ++c)
                d = std::max(d, std::abs(byte(static_cast<std::size_t>(c)) - static_cast<int>((mine >> (8 * c)) & 255)));
            worst = std::max(worst, d);
            if (d > (jpeg ? kJpegTolerance : 0) && wrong++ == 0)
                firstX = x, firstY = y;
        }
    }
    if (!wrong)
        return "";
    return std::to_string(wrong) + " pixels differ (by up to " + std::to_string(worst) + "), the first at " +
           std::to_string(firstX) + "," + std::to_string(firstY);
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = CorpusFolder(argc, argv, "picture_agreement");
    if (dir.empty())
        return 2;
    int total = 0, differ = 0, known = 0, leftOut = 0;
    std::map<std::string, std::string> unstable = UnstablePictures();
    for (const std::string& name : CorpusNames(dir)) {
        ++total;
        const auto bytes = platform::ReadWholeFile(dir + "/" + name);
        const auto loader = platform::ReadWholeFile(dir + "/" + name + ".loader");
        if (!bytes || !loader) {
            std::printf("%s: not decoded by the loader\n", name.c_str());
            ++differ;
            continue;
        }
        const PictureLoad ours = DecodePicture(*bytes);
        // skincheck's error on every file that the loader reads beyond.
        const bool beyond = !ours.picture && ours.problem.find("may show nothing or garbage") != std::string::npos;
        if (const auto it = unstable.find(name); it != unstable.end() || beyond) {
            const bool listed = it != unstable.end();
            const char* verdict = !listed  ? "not in the list of unstable pictures"
                                  : beyond ? "left out, not stable"
                                           : "listed as unstable, but skincheck has no error for it";
            const char* how = listed ? it->second.c_str() : "the loader reads beyond the end of the file";
            std::printf("%s: %s (%s); skincheck: %s\n", name.c_str(), verdict, how, Describe(ours).c_str());
            if (listed)
                unstable.erase(it);
            leftOut += listed && beyond;
            differ += !(listed && beyond);
            continue;
        }
        const std::string difference = Compare(name, ours, *loader);
        if (difference.empty())
            continue;
        const auto it = std::find_if(std::begin(kKnown), std::end(kKnown), [&](const Known& k) { return name == k.file; });
        if (it != std::end(kKnown)) {
            std::printf("%s: %s (known: %s)\n", name.c_str(), difference.c_str(), it->why);
            ++known;
            continue;
        }
        std::printf("%s: %s\n", name.c_str(), difference.c_str());
        ++differ;
    }
    for (const auto& [name, how] : unstable)
        std::printf("%s: listed as unstable, but not in the corpus\n", name.c_str()), ++differ;
    std::printf("%d of %d pictures decode as the menu's loader decodes them; %d left out as not stable, %d differ as "
                "known, %d otherwise\n",
                total - leftOut - differ - known, total - leftOut, leftOut, known, differ);
    return total && !differ ? 0 : 1;
}
