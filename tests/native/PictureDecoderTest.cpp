// Skin pictures as skincheck decodes them, and pictures that are cut short or
// damaged: a verdict every time, never a crash or a runaway allocation.
#include "platform/FileSystem.h"
#include "tools/skincheck/PictureDecoder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Fixture(const std::string& name)
{
    auto bytes = platform::ReadWholeFile(std::string(AK_PICTURE_FIXTURES) + "/" + name);
    return bytes ? *bytes : std::string();
}

// The colour the fixture script gives pixel (x, y) of its true-colour pictures.
std::uint32_t TrueColour(int x, int y)
{
    return (std::uint32_t((x * 20 + y * 3) & 255) << 16) | (std::uint32_t((y * 40 + 7) & 255) << 8) |
           std::uint32_t((x * y * 5 + 1) & 255);
}

TEST(PictureDecoder, ReadsWhatTheMenuLoads)
{
    struct Case {
        const char* file;
        const char* format;
        int width, height;
        const char* problem;
        bool trueColour;
        const char* damage;
    };
    const Case cases[] = {
        {"bmp_1bit_13x7.bmp", "BMP", 13, 7, "", false, ""},
        {"bmp_4bit_11x5.bmp", "BMP", 11, 5, "", false, ""},
        {"bmp_8bit_17x9.bmp", "BMP", 17, 9, "", false, ""},
        {"bmp_24bit_15x6.bmp", "BMP", 15, 6, "", true, ""},
        {"bmp_32bit_9x4.bmp", "BMP", 9, 4, "", true, ""},
        {"bmp_24bit_top_down_5x3.bmp", "BMP", 5, 3, "", true, ""},
        {"gif_16colours_19x11.gif", "GIF", 19, 11, "", false, ""},
        {"jpeg_33x21.jpg", "JPEG", 33, 21, "", false, ""},
        {"empty.bmp", "", 0, 0, "the file is empty", false, ""},
        {"not_a_picture.bmp", "BMP", 0, 0, "the BMP header is cut short", false, ""},
        {"truncated_24bit.bmp", "BMP", 0, 0, "the BMP header is cut short", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const PictureLoad load = DecodePicture(Fixture(c.file));
        EXPECT_EQ(load.format, c.format);
        EXPECT_EQ(load.problem, c.problem);
        EXPECT_EQ(load.damage, c.damage);
        ASSERT_EQ(load.picture.has_value(), *c.problem == '\0');
        if (!load.picture)
            continue;
        EXPECT_EQ(load.picture->size.width, c.width);
        EXPECT_EQ(load.picture->size.height, c.height);
        for (int y = 0; c.trueColour && y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                ASSERT_EQ(load.picture->At(x, y), TrueColour(x, y)) << x << "," << y;
    }
}

// Transparency the loader ignores is recorded, so that a mask drawn with it
// can be told; an alpha byte that is never set is no transparency.
TEST(PictureDecoder, RecordsSeeThroughPixels)
{
    // 2 x 1 pixels, two colours; a graphic control block marks colour 1 see-through.
    const std::string gif("GIF89a\x02\x00\x01\x00\x80\x00\x00"
                          "\x00\x00\x00\xFF\xFF\xFF"
                          "\x21\xF9\x04\x01\x00\x00\x01\x00"
                          "\x2C\x00\x00\x00\x00\x02\x00\x01\x00\x00"
                          "\x02\x02\x44\x0A\x00\x3B",
                          43);
    const PictureLoad transparent = DecodePicture(gif);
    ASSERT_TRUE(transparent.picture) << transparent.problem;
    EXPECT_EQ(transparent.picture->pixels, (std::vector<std::uint32_t>{0x000000, 0xFFFFFF}));
    EXPECT_EQ(transparent.seeThrough, (std::vector<std::uint8_t>{0, 1}));
    EXPECT_TRUE(DecodePicture(Fixture("bmp_32bit_9x4.bmp")).seeThrough.empty());
    EXPECT_TRUE(DecodePicture(Fixture("gif_16colours_19x11.gif")).seeThrough.empty());
}

TEST(PictureDecoder, RefusesWhatTheMenuCannotLoad)
{
    EXPECT_EQ(DecodePicture("\x89PNG\r\n\x1a\nrest").problem,
              "it is a PNG picture, and the menu loads only BMP, JPEG and GIF: Windows will not show it, though Wine does");
    EXPECT_EQ(DecodePicture("plain text").problem, "it is not a BMP, JPEG or GIF picture");
    EXPECT_EQ(DecodePicture("RIFF").problem, "it is not a BMP, JPEG or GIF picture");
    EXPECT_EQ(DecodePicture(std::string("RIFF\0\0\0\0WEBPVP8 ", 16)).problem,
              "it is a WebP picture, and the menu loads only BMP, JPEG and GIF: Windows will not show it");

    // Damaged JPEG headers: a Huffman table of more codes than there can be,
    // and a scan that uses a table no segment defines.
    std::string jpeg = Fixture("jpeg_33x21.jpg");
    const std::size_t dht = jpeg.find("\xFF\xC4");
    ASSERT_NE(dht, std::string::npos);
    jpeg.replace(dht + 5, 16, std::string(16, '\x11')); // 16 lengths of 17 codes each
    EXPECT_EQ(DecodePicture(jpeg).problem, "the JPEG data does not decode (Bogus Huffman table definition)");
    jpeg = Fixture("jpeg_33x21.jpg");
    const std::size_t scan = jpeg.find("\xFF\xDA");
    ASSERT_NE(scan, std::string::npos);
    jpeg[scan + 6] = '\x30'; // the first component's DC table 3
    EXPECT_EQ(DecodePicture(jpeg).problem, "the JPEG data does not decode (Huffman table 0x03 was not defined)");
    // The loader refuses a JPEG that ends early, even by its end marker alone.
    jpeg = Fixture("jpeg_33x21.jpg");
    EXPECT_EQ(DecodePicture(jpeg.substr(0, jpeg.size() / 2)).problem,
              "the JPEG file is cut short: it ends before its end-of-picture marker");
    // Damage that the loader's libjpeg goes on past: shown at full size, and a
    // warning. Each case: what is done to the file at which marker, the reason.
    struct Damage {
        const char* marker;
        std::size_t offset;
        std::string bytes;
        bool insert;
        const char* why; // "" when the loader refuses the file
    };
    const Damage damages[] = {
        {"\xFF\xDA", 0, "\x12\x34", true, "Corrupt JPEG data: 2 extraneous bytes before marker 0xda"},
        {"\xFF\xDB", 2, std::string("\x00\x42", 2), false, "Corrupt JPEG data: 1 extraneous bytes before marker 0xdb"},
        {"\xFF\xDA", 7, "\x01", false, "its headers are damaged"},               // a component id twice in a scan
        {"\xFF\xC0", 13, "\x01", false, "its headers are damaged"},              // and in the frame
        {"\xFF\xD9", 0, std::string("\xFF\xF0\x00\x02", 4), true, "after its last row: Unsupported marker type 0xf0"},
        {"\xFF\xDA", 0, std::string("\xFF\xF0\x00\x02", 4), true, ""},          // before the scan: refused
        {"\xFF\xDA", 5, "\x07", false, ""},                                      // a component the frame lacks
    };
    for (const Damage& d : damages) {
        std::string bytes = Fixture("jpeg_33x21.jpg");
        const std::size_t at = bytes.find(d.marker) + d.offset;
        if (d.insert)
            bytes.insert(at, d.bytes);
        else
            bytes.replace(at, d.bytes.size(), d.bytes);
        const PictureLoad load = DecodePicture(bytes);
        SCOPED_TRACE(d.why);
        ASSERT_EQ(load.picture.has_value(), *d.why != '\0') << load.problem;
        if (load.picture) {
            EXPECT_EQ(load.damage, std::string("damaged: shown by the loader, but save it again (") + d.why + ")");
        }
    }
    // Bit fields that give a channel no bits: the loader refuses them.
    std::string fields880 = Fixture("bmp_32bit_9x4.bmp");
    fields880[30] = 3;
    fields880.insert(54, std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00\x00\x00\x00\x00", 12));
    EXPECT_EQ(DecodePicture(fields880).problem,
              "its bit fields give no bits to one of red, green and blue, which the loader does not read");

    // Headers that claim huge pictures are refused before anything is allocated.
    std::string bmp = Fixture("bmp_24bit_15x6.bmp");
    bmp.replace(18, 8, std::string("\xA0\x86\x01\x00\xA0\x86\x01\x00", 8)); // 100000 x 100000
    EXPECT_EQ(DecodePicture(bmp).problem, "it claims 100000x100000 pixels, more than a skin can use");
    // Files that end before what their header points to: the loader reads the
    // memory that follows them, which the file does not hold.
    const std::string bmp24 = Fixture("bmp_24bit_15x6.bmp"), bmp8 = Fixture("bmp_8bit_17x9.bmp");
    std::string farPixels = bmp24, fields = Fixture("bmp_32bit_9x4.bmp");
    farPixels[11] = '\x40'; // pixels at 16438
    fields[30] = 3;          // BI_BITFIELDS: three masks after the header
    const std::string shown = ", so the menu may show nothing or garbage";
    const std::pair<std::string, std::string> beyond[] = {
        {farPixels, "its pixel data lies beyond the end of the file" + shown},
        {bmp24.substr(0, 338), "1 of its 6 rows lies beyond the end of the file (it is cut short)" + shown},
        {bmp24.substr(0, 200), "3 of its 6 rows lie beyond the end of the file (it is cut short)" + shown},
        {bmp24.substr(0, bmp24.size() - 3), ""}, // only its last row's padding, which is never read
        {bmp8.substr(0, 54 + 100), "its palette runs beyond the end of the file (it is cut short)" + shown},
        {fields.substr(0, 60), "its bit fields lie beyond the end of the file (it is cut short)" + shown},
    };
    for (const auto& [bytes, problem] : beyond)
        EXPECT_EQ(DecodePicture(bytes).problem, problem) << bytes.size();
    // A GIF's picture is its first frame, whatever the screen it names.
    std::string gif = Fixture("gif_16colours_19x11.gif");
    std::size_t frame = 13 + (gif[10] & 0x80 ? 3 * (std::size_t(2) << (gif[10] & 7)) : 0);
    while (gif[frame] == '\x21') { // extensions before the frame
        for (frame += 2; gif[frame]; frame += static_cast<unsigned char>(gif[frame]) + 1u) {
        }
        ++frame;
    }
    ASSERT_EQ(gif[frame], '\x2C');
    gif.replace(6, 4, std::string("\x01\x00\x01\x00", 4)); // a 1 x 1 screen
    EXPECT_EQ(DecodePicture(gif).picture->size.width, 19);
    // A frame of no width shows as one black pixel; the longest side a GIF can
    // have is allowed, but not an area that large.
    const std::pair<std::string, std::string> sizes[] = {
        {std::string("\x00\x00\x0B\x00", 4), "its frame has no width: the menu shows one black pixel"},
        {std::string("\xFF\xFF\x01\x00", 4), "the GIF data does not decode (an end code before its last pixel)"},
        {std::string("\xFF\xFF\xFF\x01", 4), "it claims 65535x511 pixels, more than a skin can use"},
    };
    for (const auto& [size, verdict] : sizes) {
        const PictureLoad load = DecodePicture(std::string(gif).replace(frame + 5, 4, size));
        EXPECT_EQ(load.picture ? load.damage : load.problem, verdict);
    }
    EXPECT_EQ(DecodePicture(gif.replace(frame + 5, 4, std::string("\x00\x00\x0B\x00", 4))).picture->pixels,
              std::vector<std::uint32_t>{0});
}

// Every length of every fixture, and random damage: a picture of the size it
// says, or a reason, and nothing else.
TEST(PictureDecoder, SurvivesTruncatedAndDamagedFiles)
{
    std::mt19937 random(20240611);
    for (const char* name : {"bmp_1bit_13x7.bmp", "bmp_4bit_11x5.bmp", "bmp_8bit_17x9.bmp", "bmp_24bit_15x6.bmp",
                             "bmp_32bit_9x4.bmp", "bmp_24bit_top_down_5x3.bmp", "gif_16colours_19x11.gif",
                             "jpeg_33x21.jpg"}) {
        SCOPED_TRACE(name);
        const std::string whole = Fixture(name);
        ASSERT_FALSE(whole.empty());
        const auto check = [](const std::string& bytes) {
            const PictureLoad load = DecodePicture(bytes);
            if (!load.picture) {
                EXPECT_FALSE(load.problem.empty());
                return;
            }
            const PixelImage& p = *load.picture;
            EXPECT_EQ(load.missingTo > load.missingFrom, !load.damage.empty() && load.format == "BMP");
            EXPECT_TRUE(p.size.width > 0 && p.size.height > 0 && p.size.width <= kMaxPictureSide && p.size.height <= kMaxPictureSide);
            EXPECT_EQ(p.pixels.size(), static_cast<std::size_t>(p.size.width) * static_cast<std::size_t>(p.size.height));
        };
        for (std::size_t length = 0; length < whole.size(); ++length)
            check(whole.substr(0, length));
        for (int round = 0; round < 400; ++round) {
            std::string damaged = whole;
            for (int n = 1 + static_cast<int>(random() % 6); n > 0; --n)
                damaged[random() % damaged.size()] = static_cast<char>(random());
            check(damaged);
        }
    }
}

} // namespace
