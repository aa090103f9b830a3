// skincheck over whole disc files. One input holds Data/main.ini, AUTORUN.INF
// and config.ini, separated by lines "=====" (a part that is not there is a
// file that is not there); the rest of the disc is fixed: a window picture
// with a cut corner and its @2x version, a small picture with an @2x of the
// wrong size, a damaged one, a program and a folder; the preview's display
// scale follows from the input's size, so every scale path is reached.
// The check must never crash, and its report must keep its promises: every
// line names a file of the disc and a line inside it, the summary counts the
// lines above it, and the exit status follows from them.
#include "tests/support/Bmp.h"
#include "fuzz/FuzzCheck.h"
#include "tools/skincheck/Skincheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const kFiles[] = {"Data/main.ini", "AUTORUN.INF", "config.ini"};

void Write(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string& Disc()
{
    static const std::string root = [] {
        const fs::path dir = fs::temp_directory_path() / ("fuzz_skincheck." + std::to_string(getpid()));
        fs::create_directories(dir / "Data");
        fs::create_directories(dir / "Setup");
        TestPicture window{16, 12, std::vector<std::uint32_t>(16 * 12, 0x336699)};
        window.pixels[0] = window.pixels[1] = window.pixels[16] = 0xFF00FF;
        Write((dir / "Data/m.bmp").string(), EncodeBmp24(window));
        TestPicture window2x{32, 24, std::vector<std::uint32_t>(32 * 24, 0x336699)};
        window2x.pixels[0] = window2x.pixels[1] = window2x.pixels[32] = window2x.pixels[33] = 0xFF00FF;
        Write((dir / "Data/m@2x.bmp").string(), EncodeBmp24(window2x));
        const TestPicture small{2, 3, std::vector<std::uint32_t>(6, 0xFF00FF)};
        Write((dir / "Data/t.bmp").string(), EncodeBmp24(small));
        Write((dir / "Data/t@2x.bmp").string(), EncodeBmp24(small)); // not twice the size: ignored
        Write((dir / "Data/bad.bmp").string(), "BM\x10\x00junk");
        Write((dir / "setup.exe").string(), "MZ");
        return dir.string();
    }();
    static const bool removedAtExit = std::atexit([] {
        std::error_code ec;
        fs::remove_all(Disc(), ec);
    }) == 0;
    (void)removedAtExit;
    return root;
}

std::vector<std::string> Parts(const std::string& input)
{
    std::vector<std::string> parts;
    const std::string separator = "\n=====\n";
    std::size_t start = 0;
    for (std::size_t at; (at = input.find(separator, start)) != std::string::npos; start = at + separator.size())
        parts.push_back(input.substr(start, at - start));
    parts.push_back(input.substr(start));
    return parts;
}

std::size_t LineCount(const std::string& text)
{
    std::size_t lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
            ++lines;
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& root = Disc();
    const std::vector<std::string> parts = Parts(std::string(reinterpret_cast<const char*>(data), size));
    std::map<std::string, std::size_t> lines;
    // Each write gets its own time stamp, so that the profile reader, which
    // keeps files that look unchanged, reads every input afresh.
    static long stamp = 1000000000;
    for (std::size_t i = 0; i < std::size(kFiles); ++i) {
        const std::string path = root + "/" + kFiles[i];
        if (i < parts.size()) {
            Write(path, parts[i]);
            const struct timespec times[2] = {{++stamp, 0}, {stamp, 0}};
            utimensat(AT_FDCWD, path.c_str(), times, 0);
            lines[kFiles[i]] = LineCount(parts[i]);
        } else {
            std::remove(path.c_str());
        }
    }

    std::ostringstream out, err;
    const char* const scales[] = {"1", "1.25", "1.5", "2", "3"};
    const int status =
        RunSkincheck({"--preview", root + "/preview.png", "--scale", scales[size % std::size(scales)], root}, out, err);
    Check(status >= 0 && status <= 2, "exit status 0, 1 or 2");

    std::istringstream report(out.str());
    std::vector<std::string> printed;
    for (std::string line; std::getline(report, line);)
        printed.push_back(line);
    Check(!printed.empty(), "a summary at least");
    std::size_t errors = 0, warnings = 0;
    for (std::size_t i = 0; i + 1 < printed.size(); ++i) {
        const std::string& line = printed[i];
        Check(line.compare(0, root.size() + 1, root + "/") == 0, "a finding names a file of the disc");
        const std::size_t colon = line.find(':', root.size());
        Check(colon != std::string::npos, "file and line end in a colon");
        const std::string file = line.substr(root.size() + 1, colon - root.size() - 1);
        std::size_t rest = colon + 1;
        if (line[rest] >= '0' && line[rest] <= '9') {
            const std::size_t end = line.find(':', rest);
            Check(end != std::string::npos, "a line number ends in a colon");
            const std::size_t number = std::stoul(line.substr(rest, end - rest));
            Check(lines.count(file) && number >= 1 && number <= lines[file], "the line lies inside its file");
            rest = end + 1;
        }
        if (line.compare(rest, 8, " error: ") == 0)
            ++errors;
        else if (line.compare(rest, 10, " warning: ") == 0)
            ++warnings;
        else
            Check(line.compare(rest, 7, " note: ") == 0, "error, warning or note");
    }
    const std::string summary = root + ": " + std::to_string(errors) + (errors == 1 ? " error, " : " errors, ") +
                                std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings");
    Check(printed.back() == summary, "the summary counts the findings");
    Check(status == 2 || status == (errors ? 1 : 0), "the exit status follows the errors");
    return 0;
}
