// bench_skin OUTDIR: writes a full-HD skin for the start-up benchmark into
// OUTDIR/Data: four 1920 × 1080 JPEG pictures, a rounded BMP mask, 64 image
// buttons and 10 labels whose texts are long enough to scroll. Its lines are
// written from the table of control lines, like the demo disc's.
#include "tools/Canvas.h"
#include "skin/ControlLines.h"
#include "tools/PictureFiles.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

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
    const char* out = argc == 2 ? argv[1] : nullptr;
    if (!out) {
        std::fprintf(stderr, "usage: bench_skin OUTDIR\n");
        return 2;
    }
    try {
        const fs::path data = fs::path(out) / "Data";
        fs::create_directories(data);
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
