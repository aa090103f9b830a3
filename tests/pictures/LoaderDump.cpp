// Decodes every picture of the corpus with the menu's own loader (the system's
// OLE picture decoder) and writes what it got beside each file, as NAME.loader:
// "W H" and W*H pixels 0x00RRGGBB (little-endian, top row first), or "none".
// Usage: loader_dump.exe DIR [--reverse] [--alone | --only NAME] [--as EXT]
// (reads DIR/corpus.txt). The options are for scripts/picture-stability.sh,
// which looks for pictures that the loader does not decode alike every time:
//   --reverse    last file first
//   --alone      each file in a process of its own (this program with --only)
//   --only NAME  that file alone
//   --as EXT     write NAME.EXT rather than NAME.loader
#include "tests/pictures/CorpusFolder.h"
#include "platform/Process.h"
#include "platform/WideText.h"
#include "skin/PictureLoader.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string Dump(const std::string& path)
{
    CBitmap bitmap;
    SIZE size{};
    LoadPicture(path, bitmap, size);
    if (!bitmap || size.cx <= 0 || size.cy <= 0)
        return "none\n";
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(size.cx) * static_cast<std::size_t>(size.cy));
    BITMAPINFO format = platform::Dib32Format(size.cx, -size.cy);
    platform::WindowDc screen(nullptr);
    if (::GetDIBits(screen.Dc(), bitmap.GetSafeHandle(), 0, static_cast<UINT>(size.cy), pixels.data(), &format,
                    DIB_RGB_COLORS) != size.cy)
        return "none\n";
    std::string out = std::to_string(size.cx) + " " + std::to_string(size.cy) + "\n";
    for (std::uint32_t p : pixels)
        for (int shift : {0, 8, 16, 24})
            out += static_cast<char>(shift == 24 ? 0 : (p >> shift) & 255);
    return out;
}

// This program again on one file, waited for; false when it could not run or failed.
bool DumpInChild(const std::string& dir, const std::string& name, const std::string& ext)
{
    std::wstring line = platform::Wide("\"" + platform::ModuleFileName() + "\" \"" + dir + "\" --only \"" + name +
                                       "\" --as " + ext);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    platform::KernelHandle process(started.hProcess);
    platform::KernelHandle thread(started.hThread);
    DWORD code = 1;
    return ::WaitForSingleObject(process.Get(), INFINITE) == WAIT_OBJECT_0 &&
           ::GetExitCodeProcess(process.Get(), &code) && code == 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string dir, only, ext = "loader";
    bool reverse = false, alone = false;
    for (int i = 1; i < argc; ++i) {
        const bool more = i + 1 < argc;
        if (!std::strcmp(argv[i], "--reverse"))
            reverse = true;
        else if (!std::strcmp(argv[i], "--alone"))
            alone = true;
        else if (!std::strcmp(argv[i], "--only") && more)
            only = argv[++i];
        else if (!std::strcmp(argv[i], "--as") && more)
            ext = argv[++i];
        else if (dir.empty() && *argv[i] != '-')
            dir = argv[i];
        else
            dir.clear(), i = argc;
    }
    if (dir.empty()) {
        std::fprintf(stderr, "usage: loader_dump DIR [--reverse] [--alone | --only NAME] [--as EXT]\n");
        return 2;
    }
    std::vector<std::string> names = only.empty() ? CorpusNames(dir) : std::vector<std::string>{only};
    if (reverse)
        std::reverse(names.begin(), names.end());
    int count = 0;
    for (const std::string& name : names) {
        if (alone) {
            if (!DumpInChild(dir, name, ext))
                return 1;
        } else {
            const std::string out = Dump(dir + "\\" + name);
            std::ofstream(dir + "/" + name + "." + ext, std::ios::binary)
                .write(out.data(), static_cast<std::streamsize>(out.size()));
        }
        ++count;
    }
    if (only.empty())
        std::printf("%d pictures decoded by the loader\n", count);
    return count ? 0 : 1;
}
