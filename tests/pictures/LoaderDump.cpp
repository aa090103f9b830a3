// Decodes every picture of the corpus with the menu's own loader (the system's
// OLE picture decoder) and writes what it got beside each file, as NAME.loader:
// "W H" and W*H pixels 0x00RRGGBB (little-endian, top row first), or "none".
// Usage: loader_dump.exe DIR (reads DIR/corpus.txt)
#include "tests/pictures/CorpusFolder.h"
#include "skin/PictureLoader.h"

#include <cstdint>
#include <cstdio>
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

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = CorpusFolder(argc, argv, "loader_dump");
    if (dir.empty())
        return 2;
    int count = 0;
    for (const std::string& name : CorpusNames(dir)) {
        const std::string out = Dump(dir + "\\" + name);
        std::ofstream(dir + "/" + name + ".loader", std::ios::binary).write(out.data(), static_cast<std::streamsize>(out.size()));
        ++count;
    }
    std::printf("%d pictures decoded by the loader\n", count);
    return count ? 0 : 1;
}
