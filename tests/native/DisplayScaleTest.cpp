// The display-scale rules: lengths, edges, font heights, @2x pictures, masks
// and colour pictures at 125 % to 300 %; which file a picture is drawn from.
#include "skin/DisplayScale.h"
#include "skin/PictureAtDpi.h"

#include <gtest/gtest.h>

namespace {

struct LengthCase {
    std::int32_t value;
    int dpi;
    int sourceScale;
    std::int32_t expected;
};

TEST(DisplayScale, LengthsRoundHalvesAwayFromZero)
{
    const LengthCase cases[] = {
        {600, 96, 1, 600},  {1, 144, 1, 2},    {3, 144, 1, 5},     {-1, 144, 1, -2}, {-3, 144, 1, -5},
        {2, 120, 1, 3},     {7, 168, 1, 12},   {10, 288, 1, 30},   {601, 144, 1, 902}, {1200, 144, 2, 900},
        {3, 120, 2, 2},     {1200, 192, 2, 1200}, {0, 288, 1, 0},  {INT32_MAX, 288, 1, INT32_MAX},
    };
    for (const LengthCase& c : cases)
        EXPECT_EQ(ScaleLength(c.value, c.dpi, c.sourceScale), c.expected)
            << c.value << " at " << c.dpi << " dpi from " << c.sourceScale << "x";
}

TEST(DisplayScale, FontHeightsKeepTheirSign)
{
    EXPECT_EQ(ScaleFontHeight(-12, 144), -18);
    EXPECT_EQ(ScaleFontHeight(-13, 144), -20);
    EXPECT_EQ(ScaleFontHeight(13, 144), 20);
    EXPECT_EQ(ScaleFontHeight(-9, 120), -11);
    EXPECT_EQ(ScaleFontHeight(0, 192), 0);
}

TEST(DisplayScale, NeighboursStayNeighbours)
{
    for (int dpi : {96, 120, 144, 168, 192, 288}) {
        for (std::int32_t x = -7; x < 40; ++x) {
            SkinRect left{x, 0, x + 3, 5}, right{x + 3, 5, x + 10, 9};
            SkinRect a = ScaleRect(left, dpi), b = ScaleRect(right, dpi);
            EXPECT_EQ(a.right, b.left) << x << " at " << dpi;
            EXPECT_EQ(a.bottom, b.top) << x << " at " << dpi;
        }
    }
    EXPECT_EQ(ScaleRect({10, 20, 110, 50}, 96), (SkinRect{10, 20, 110, 50}));
    EXPECT_EQ(ScaleRect({1, 1, 2, 3}, 144), (SkinRect{2, 2, 3, 5}));
    // Edges that saturate: the width and height are still a 32-bit difference.
    EXPECT_EQ(ScaleRect({-2, 2, INT32_MAX - 2, INT32_MIN + 2}, 120),
              (SkinRect{-3, 3, INT32_MAX - 3, INT32_MIN + 3}));
}

TEST(DisplayScale, TwoXPictures)
{
    EXPECT_EQ(TwoXPictureName("main.jpg"), "main@2x.jpg");
    EXPECT_EQ(TwoXPictureName("skins\\a.b.bmp"), "skins\\a.b@2x.bmp");
    EXPECT_EQ(TwoXPictureName("skin.v2\\mask"), "skin.v2\\mask@2x");

    const PixelSize oneX{300, 200}, twice{600, 400}, offByOne{600, 401};
    EXPECT_EQ(JudgeTwoX(96, oneX, &twice), TwoXVerdict::NotUsed);
    EXPECT_EQ(JudgeTwoX(144, oneX, &twice), TwoXVerdict::Used);
    EXPECT_EQ(JudgeTwoX(192, oneX, nullptr), TwoXVerdict::Missing);
    EXPECT_EQ(JudgeTwoX(192, oneX, &offByOne), TwoXVerdict::WrongSize);
    EXPECT_EQ(TargetSize(twice, 144, SourceScale(TwoXVerdict::Used)), (PixelSize{450, 300}));
    EXPECT_EQ(TargetSize(oneX, 144, SourceScale(TwoXVerdict::Missing)), (PixelSize{450, 300}));
}

PixelImage Numbered(std::int32_t width, std::int32_t height)
{
    PixelImage image{{width, height}, {}};
    for (std::uint32_t i = 0; i < static_cast<std::uint32_t>(width * height); ++i)
        image.pixels.push_back(i);
    return image;
}

TEST(DisplayScale, MasksTakeTheNearestPixelOfTheRule)
{
    struct Case {
        PixelImage source;
        int dpi, sourceScale;
        std::vector<std::uint32_t> expected;
    };
    const Case cases[] = {
        // q = 2/3: columns and rows 0, 1, 1.
        {Numbered(2, 2), 144, 1, {0, 1, 1, 2, 3, 3, 2, 3, 3}},
        // q = 4/3 from a 2x picture: 0, 2, 3.
        {Numbered(4, 4), 144, 2, {0, 2, 3, 8, 10, 11, 12, 14, 15}},
        // q = 1/2: each pixel twice.
        {Numbered(2, 1), 192, 1, {0, 0, 1, 1, 0, 0, 1, 1}},
        // q = 1: the picture itself.
        {Numbered(3, 2), 192, 2, {0, 1, 2, 3, 4, 5}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ScaleMask(c.source, c.dpi, c.sourceScale).pixels, c.expected) << c.dpi << "/" << c.sourceScale;
    EXPECT_TRUE(ScaleMask(PixelImage{}, 144, 1).pixels.empty());
}

TEST(DisplayScale, PicturesAreAveragedWhenShrunkAndSmoothWhenEnlarged)
{
    // A 2x picture at 100 %: each 2 × 2 block becomes its mean.
    PixelImage blocks{{2, 2}, {0x000000, 0x404040, 0x808080, 0xC0C0C0}};
    EXPECT_EQ(ScalePicture(blocks, 96, 2).pixels, std::vector<std::uint32_t>{0x606060});
    EXPECT_EQ(ScalePicture(blocks, 192, 2).pixels, blocks.pixels);

    PixelImage flat{{5, 3}, std::vector<std::uint32_t>(15, 0x3366CC)};
    for (int dpi : {120, 144, 168, 192, 288}) {
        PixelImage scaled = ScalePicture(flat, dpi, 1);
        EXPECT_EQ(scaled.size, TargetSize(flat.size, dpi, 1));
        EXPECT_EQ(scaled.pixels, std::vector<std::uint32_t>(scaled.pixels.size(), 0x3366CC)) << dpi;
    }
}

// Which file a picture comes from at a DPI and what is done to it, over a
// loader that records what it was asked for.
TEST(DisplayScale, PicturesAtADpiComeFromTheUsableFileAtTheTargetSize)
{
    const PixelImage oneX = Numbered(2, 2), twoX = Numbered(4, 4), offSize = Numbered(5, 4);
    struct Case {
        const char* name;
        int dpi;
        const PixelImage* twoXFile; // main@2x.bmp, when there is one
        PictureUse use;
        TwoXVerdict verdict;
        PixelImage expected; // empty: nothing loads
        bool askedForTwoX;
    };
    const Case cases[] = {
        {"1x at 96", 96, nullptr, PictureUse::Colour, TwoXVerdict::NotUsed, oneX, false},
        {"@2x unread at 96", 96, &twoX, PictureUse::Colour, TwoXVerdict::NotUsed, oneX, false},
        {"DPI 0 as 96", 0, &twoX, PictureUse::Mask, TwoXVerdict::NotUsed, oneX, false},
        {"@2x as it is at 192", 192, &twoX, PictureUse::Colour, TwoXVerdict::Used, twoX, true},
        {"@2x mask at 144", 144, &twoX, PictureUse::Mask, TwoXVerdict::Used, ScaleMask(twoX, 144, 2), true},
        {"1x mask at 144", 144, nullptr, PictureUse::Mask, TwoXVerdict::Missing, ScaleMask(oneX, 144, 1), true},
        {"wrong @2x ignored", 192, &offSize, PictureUse::Colour, TwoXVerdict::WrongSize, ScalePicture(oneX, 192, 1),
         true},
        {"beyond the pixel limit", 96 * 5000, nullptr, PictureUse::Colour, TwoXVerdict::Missing, {}, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> asked;
        const auto load = [&](const std::string& path) -> std::optional<PixelImage> {
            asked.push_back(path);
            if (path == "d\\main.bmp")
                return oneX;
            if (path == "d\\main@2x.bmp" && c.twoXFile)
                return *c.twoXFile;
            return std::nullopt;
        };
        const PictureAtDpiResult got = PictureAtDpi("d\\main.bmp", c.dpi, c.use, load);
        EXPECT_EQ(got.plan.verdict, c.verdict) << c.name;
        EXPECT_EQ(got.image.size, c.expected.size) << c.name;
        EXPECT_EQ(got.image.pixels, c.expected.pixels) << c.name;
        EXPECT_EQ(asked.size(), c.askedForTwoX ? 2u : 1u) << c.name;
    }
    // Without its 1x picture an @2x one is not used.
    EXPECT_TRUE(PictureAtDpi("x.bmp", 192, PictureUse::Colour, [&](const std::string& path) {
                    return path == "x@2x.bmp" ? std::optional<PixelImage>(twoX) : std::nullopt;
                }).image.pixels.empty());
}

} // namespace
