// Draws the program icons: a disc in three colourings, 32 x 32 with 256
// colours, written as .ico files. Run: make_icons OUTPUT_DIR
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgb {
    double r, g, b;
};

std::vector<Rgb> Palette()
{
    std::vector<Rgb> p;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back({r * 51.0, g * 51.0, b * 51.0});
    for (int i = 0; i < 40; ++i) // greys between the cube's steps
        p.push_back({i * 255.0 / 39, i * 255.0 / 39, i * 255.0 / 39});
    return p;
}

int Nearest(const std::vector<Rgb>& pal, Rgb c)
{
    int best = 0;
    double bestD = 1e18;
    for (int i = 0; i < static_cast<int>(pal.size()); ++i) {
        double d = (pal[i].r - c.r) * (pal[i].r - c.r) + (pal[i].g - c.g) * (pal[i].g - c.g) +
                   (pal[i].b - c.b) * (pal[i].b - c.b);
        if (d < bestD) {
            bestD = d;
            best = i;
        }
    }
    return best;
}

void Put16(std::vector<std::uint8_t>& o, unsigned v)
{
    o.push_back(static_cast<std::uint8_t>(v));
    o.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& o, unsigned v)
{
    Put16(o, v & 0xFFFF);
    Put16(o, v >> 16);
}

// A shiny disc: silver body, coloured sheen, a hole in the middle.
bool WriteIcon(const std::string& path, Rgb tint)
{
    const int n = 32;
    const auto pal = Palette();
    std::vector<int> index(n * n, 0);
    std::vector<bool> opaque(n * n, false);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            double dx = x + 0.5 - 16, dy = y + 0.5 - 16;
            double r = std::sqrt(dx * dx + dy * dy);
            if (r > 15.5 || r < 3.0)
                continue;
            opaque[y * n + x] = true;
            double angle = std::atan2(dy, dx);
            double sheen = 0.5 + 0.5 * std::cos(2 * angle - 0.8);
            double light = 0.55 + 0.45 * (1 - r / 16);
            Rgb c{200 * light, 205 * light, 215 * light};
            c = {c.r * (1 - sheen * 0.6) + tint.r * sheen * 0.6, c.g * (1 - sheen * 0.6) + tint.g * sheen * 0.6,
                 c.b * (1 - sheen * 0.6) + tint.b * sheen * 0.6};
            if (r > 14.5 || (r < 6.5 && r > 5.5))
                c = {90, 95, 110}; // rim and hub ring
            index[y * n + x] = Nearest(pal, c);
        }
    }

    std::vector<std::uint8_t> image;
    Put32(image, 40);
    Put32(image, n);
    Put32(image, n * 2); // colour and mask
    Put16(image, 1);
    Put16(image, 8);
    for (int i = 0; i < 6; ++i)
        Put32(image, 0);
    for (const auto& c : pal) {
        image.push_back(static_cast<std::uint8_t>(c.b));
        image.push_back(static_cast<std::uint8_t>(c.g));
        image.push_back(static_cast<std::uint8_t>(c.r));
        image.push_back(0);
    }
    for (int y = n - 1; y >= 0; --y)
        for (int x = 0; x < n; ++x)
            image.push_back(static_cast<std::uint8_t>(index[y * n + x]));
    for (int y = n - 1; y >= 0; --y) // AND mask: 1 = transparent, rows of 4 bytes
        for (int byte = 0; byte < 4; ++byte) {
            std::uint8_t bits = 0;
            for (int bit = 0; bit < 8; ++bit)
                if (!opaque[y * n + byte * 8 + bit])
                    bits |= static_cast<std::uint8_t>(0x80 >> bit);
            image.push_back(bits);
        }

    std::vector<std::uint8_t> file;
    Put16(file, 0);
    Put16(file, 1); // icon
    Put16(file, 1); // one image
    file.push_back(n);
    file.push_back(n);
    file.push_back(0); // 256 colours
    file.push_back(0);
    Put16(file, 1);
    Put16(file, 8);
    Put32(file, static_cast<unsigned>(image.size()));
    Put32(file, 6 + 16);
    file.insert(file.end(), image.begin(), image.end());

    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_icons OUTPUT_DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    bool ok = WriteIcon(dir + "/disc-blue.ico", {40, 110, 230}) && WriteIcon(dir + "/disc-green.ico", {40, 180, 90}) &&
              WriteIcon(dir + "/disc-amber.ico", {240, 160, 30});
    return ok ? 0 : 1;
}
