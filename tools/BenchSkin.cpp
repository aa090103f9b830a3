// bench_skin OUTDIR: writes a full-HD skin for the start-up benchmark into
// OUTDIR/Data: four 1920 × 1080 JPEG pictures, a rounded BMP mask, 64 image
// buttons and 10 labels whose texts are long enough to scroll. Its lines are
// written from the table of control lines, like the demo disc's.
// bench_skin OUTDIR BUTTONS MEGAPIXELS: a skin for the growth curve
// (scripts/bench-growth.sh): a square window of about that many megapixels,
// one JPEG Main picture and a rounded mask, and that many image buttons of
// 12 × 12, each with its tooltip, in rows across the window.
#include "tools/Canvas.h"
#include "skin/ControlLines.h"
#include "tools/PictureFiles.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 1920, kHeight = 1080, kCorner = 48;
constexpr int kColumns = 8, kRows = 8, kLabels = 10;

bool InsideRoundedWindow(int x, int y)
{
    return SdRoundBox(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f,
                      Box{0, 0, static_cast<float>(kWidth), static_cast<float>(kHeight)}, kCorner) < 0;
}

Box ButtonBox(int i)
{
    return {120.0f + static_cast<float>(i % kColumns) * 150, 120.0f + static_cast<float>(i / kColumns) * 100, 130, 80};
}

Box LabelBox(int i)
{
    return {1370, 120.0f + static_cast<float>(i) * 80, 420, 40};
}

// One look of the whole window: a gradient with every button drawn in `tile`.
Canvas Look(Color top, Color bottom, Color tile)
{
    Canvas c(kWidth, kHeight, top);
    c.Fill({0, 0, kWidth, kHeight}, [](float, float) { return -1.0f; }, VerticalGradient(0, kHeight, top, bottom));
    for (int i = 0; i < kColumns * kRows; ++i) {
        const Box b = ButtonBox(i);
        c.Fill(b, [b](float x, float y) { return SdRoundBox(x, y, b, 12); }, DiagonalGradient(b, tile, bottom));
    }
    return c;
}

int g_side = 0; // the growth skin's window, g_side × g_side

bool InsideGrowthWindow(int x, int y)
{
    const float side = static_cast<float>(g_side);
    return SdRoundBox(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f, Box{0, 0, side, side},
                      side / 20) < 0;
}

void WriteGrowthSkin(const fs::path& data, int buttons, double megapixels)
{
    g_side = std::max(64, static_cast<int>(std::sqrt(megapixels * 1e6)));
    const auto side = static_cast<std::size_t>(g_side);
    std::vector<std::uint8_t> rgb(side * side * 3);
    for (std::size_t y = 0; y < side; ++y)
        for (std::size_t x = 0; x < side; ++x) {
            std::uint8_t* p = &rgb[(y * side + x) * 3];
            p[0] = static_cast<std::uint8_t>(x), p[1] = static_cast<std::uint8_t>(y), p[2] = static_cast<std::uint8_t>(x ^ y);
        }
    WriteJpeg(data / "main.jpg", g_side, g_side, rgb);
    WriteMask(data / "mask.bmp", g_side, g_side, InsideGrowthWindow);
    // Buttons of 12 × 12 in rows across the window, clear of the rounded corners.
    const int margin = g_side / 10, columns = (g_side - 2 * margin) / 12;
    std::string text = "; Growth skin for the start-up benchmark, written by tools/bench_skin.\n"
                       "[Screen]\nMain=main.jpg\nMask=mask.bmp\n";
    const ControlKind& kind = ControlKindOf(ControlKindId::ImageButton);
    text += "\n[" + std::string(kind.section) + "]\n";
    for (int i = 0; i < buttons; ++i) {
        ControlLineWriter line(kind);
        line.Text(FieldRole::Name, "ID_" + std::to_string(i + 1))
            .Rect(margin + i % columns * 12, margin + i / columns * 12, 12, 12)
            .Text(FieldRole::Tooltip, "Button " + std::to_string(i + 1))
            .Flag(FieldRole::StaticLook, false);
        text += std::to_string(i + 1) + "=" + line.Line() + "\n";
    }
    WriteText(data / "main.ini", text);
}

std::string MainIni()
{
    using R = FieldRole;
    std::string text = "; Full-HD skin for the start-up benchmark, written by tools/bench_skin.\n"
                       "[Screen]\nMain=main.jpg\nMask=mask.bmp\nOver=over.jpg\nDown=down.jpg\nDisabled=disabled.jpg\n";
    const ControlKind& buttons = ControlKindOf(ControlKindId::ImageButton);
    text += "\n[" + std::string(buttons.section) + "]\n";
    for (int i = 0; i < kColumns * kRows; ++i) {
        const Box b = ButtonBox(i);
        ControlLineWriter line(buttons);
        line.Text(R::Name, "ID_TILE" + std::to_string(i + 1))
            .Rect(static_cast<int>(b.x), static_cast<int>(b.y), static_cast<int>(b.w), static_cast<int>(b.h))
            .Text(R::Tooltip, "Tile " + std::to_string(i + 1))
            .Flag(R::StaticLook, false);
        text += std::to_string(i + 1) + "=" + line.Line() + "\n";
    }
    const ControlKind& labels = ControlKindOf(ControlKindId::TextLabel);
    text += "\n[" + std::string(labels.section) + "]\n";
    for (int i = 0; i < kLabels; ++i) {
        const Box b = LabelBox(i);
        ControlLineWriter line(labels);
        line.Text(R::Name, "ID_NEWS" + std::to_string(i + 1))
            .Rect(static_cast<int>(b.x), static_cast<int>(b.y), static_cast<int>(b.w), static_cast<int>(b.h))
            .Text(R::Face, "Tahoma").Flag(R::Bold, i % 2 == 0).Flag(R::Italic, false)
            .Number(R::FontHeight, -18).Number(R::Colour, 0xFFFFFF)
            .Text(R::Text, "News item " + std::to_string(i + 1) +
                               ": a text far longer than its label so that it scrolls as a ticker does")
            .Text(R::Unused, "0");
        text += std::to_string(i + 1) + "=" + line.Line() + "\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv)
{
    const char* out = argc == 2 || argc == 4 ? argv[1] : nullptr;
    if (!out) {
        std::fprintf(stderr, "usage: bench_skin OUTDIR [BUTTONS MEGAPIXELS]\n");
        return 2;
    }
    try {
        const fs::path data = fs::path(out) / "Data";
        fs::create_directories(data);
        if (argc == 4) {
            WriteGrowthSkin(data, std::atoi(argv[2]), std::atof(argv[3]));
            return 0;
        }
        WriteJpeg(data / "main.jpg", Look(Hex(0x1B2A41), Hex(0x0C1421), Hex(0x324A5F)));
        WriteJpeg(data / "over.jpg", Look(Hex(0x1B2A41), Hex(0x0C1421), Hex(0x4F7CAC)));
        WriteJpeg(data / "down.jpg", Look(Hex(0x1B2A41), Hex(0x0C1421), Hex(0x22577A)));
        WriteJpeg(data / "disabled.jpg", Look(Hex(0x1B2A41), Hex(0x0C1421), Hex(0x5C5C5C)));
        WriteMask(data / "mask.bmp", kWidth, kHeight, InsideRoundedWindow);
        WriteText(data / "main.ini", MainIni());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_skin: %s\n", e.what());
        return 1;
    }
    return 0;
}
