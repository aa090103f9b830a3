// The menu page's writer: pictures as PNG without colour-space chunks, each
// once; texts that cannot break out of the page's data; outlines as paths.
#include "tools/menupage/MenuPage.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace menupage;

namespace {

PixelImage Gradient(int w, int h, int seed)
{
    PixelImage p{{w, h}, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p.pixels.push_back(std::uint32_t((x * 5 + seed) & 255) << 16 | std::uint32_t((y * 7) & 255) << 8 |
                               std::uint32_t(seed & 255));
    return p;
}

std::vector<unsigned char> Unbase64(const std::string& text)
{
    std::vector<unsigned char> out;
    unsigned bits = 0, n = 0;
    for (char c : text) {
        const char* digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
        const char* at = c ? std::strchr(digits, c) : nullptr;
        if (!at)
            continue;
        bits = (bits << 6) | unsigned(at - digits);
        if ((n += 6) >= 8)
            out.push_back(static_cast<unsigned char>(bits >> (n -= 8)));
    }
    return out;
}

std::size_t Count(const std::string& text, const std::string& what)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(MenuPage, PicturesArePngWithoutColourSpaceChunksAndDecodeToTheSamePixels)
{
    for (const auto& size : {std::pair{1, 1}, std::pair{3, 2}, std::pair{64, 33}}) {
        const PixelImage picture = Gradient(size.first, size.second, 9);
        const std::string uri = PngDataUri(picture);
        ASSERT_EQ(uri.rfind("data:image/png;base64,", 0), 0u);
        const std::vector<unsigned char> png = Unbase64(uri.substr(22));
        std::vector<std::string> chunks;
        for (std::size_t at = 8; at + 8 <= png.size();) {
            const std::size_t length = (std::size_t(png[at]) << 24) | (png[at + 1] << 16) | (png[at + 2] << 8) | png[at + 3];
            chunks.emplace_back(reinterpret_cast<const char*>(&png[at + 4]), 4);
            at += 12 + length;
        }
        for (const std::string& chunk : chunks)
            EXPECT_TRUE(chunk == "IHDR" || chunk == "IDAT" || chunk == "IEND") << chunk;
        int w = 0, h = 0, n = 0;
        stbi_uc* pixels = stbi_load_from_memory(png.data(), int(png.size()), &w, &h, &n, 4);
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(w, picture.size.width);
        EXPECT_EQ(h, picture.size.height);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
            const std::uint32_t p = picture.pixels[i];
            const stbi_uc want[4] = {stbi_uc(p >> 16), stbi_uc(p >> 8), stbi_uc(p), 255};
            EXPECT_TRUE(std::equal(want, want + 4, pixels + 4 * i)) << i;
        }
        stbi_image_free(pixels);
    }
    EXPECT_EQ(PngDataUri(PixelImage{}), "");
    EXPECT_EQ(PngDataUri(PixelImage{{2, 2}, std::vector<std::uint32_t>(3)}), ""); // fewer pixels than its size
}

TEST(MenuPage, TextsCannotEndTheDataOrTheScript)
{
    const struct {
        std::string in, out;
    } cases[] = {
        {"Setup\\Setup.exe", "\"Setup\\\\Setup.exe\""},
        {"say \"hi\"\n\t", "\"say \\\"hi\\\"\\u000a\\u0009\""},
        {"</script><!--", "\"\\u003c/script\\u003e\\u003c!--\""},
        {"a & b", "\"a \\u0026 b\""},
        {"Kurulum \xC5\x9F.exe", "\"Kurulum \xC5\x9F.exe\""},            // UTF-8 kept as it is
        {"caf\xE9 \xC0\xAF \xED\xA0\x80", "\"caf\\ufffd \\ufffd\\ufffd \\ufffd\\ufffd\\ufffd\""}, // not UTF-8
        {"line\xE2\x80\xA8sep", "\"line\\u2028sep\""},
        {std::string("nul\0", 4), "\"nul\\u0000\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(JsonString(c.in), c.out) << c.in;
}

TEST(MenuPage, OutlineRowsOfOneWidthBecomeOneRectangle)
{
    const Outline rows = {{2, 0, 8, 1}, {2, 1, 8, 2}, {0, 2, 10, 3}, {12, 2, 14, 3}, {0, 3, 10, 4}, {5, 5, 5, 6}};
    EXPECT_EQ(OutlinePath(rows), "M2 0H8V2H2ZM0 2H10V4H0ZM12 2H14V3H12Z");
    EXPECT_EQ(OutlinePath({}), "");
}

TEST(MenuPage, ThePageHoldsEachPictureOnceAndItsControls)
{
    PageData data;
    data.title = "disc";
    data.width = 40;
    data.height = 30;
    data.pictures = {Gradient(40, 30, 1), Gradient(40, 30, 2), Gradient(40, 30, 1), Gradient(6, 8, 3)};
    data.main = 0, data.over = 1, data.down = 2, data.disabled = -1; // Down is Main's file again
    data.outline = Outline{{0, 0, 40, 30}};
    PageControl button;
    button.name = "ID_BUTTON1";
    button.rect = {2, 3, 12, 13};
    button.action = "opens Setup\\Setup.exe";
    button.infoText = "D:\\Install";
    PageControl slider;
    slider.kind = PageKind::Trackbar;
    slider.thumb = slider.thumbDown = 3;
    data.controls = {button, slider};
    data.findings = {{"warning", "disc/Data/main.ini:4", "a <b>", 0}};

    const std::string page = WriteMenuPage(data);
    EXPECT_EQ(Count(page, "data:image/png;base64,"), 3u);
    EXPECT_EQ(Count(page, "@DISC_DATA@"), 0u);
    EXPECT_NE(page.find("\"main\":0,\"over\":1,\"down\":0,\"disabled\":null"), std::string::npos);
    EXPECT_NE(page.find("\"outline\":\"M0 0H40V30H0Z\""), std::string::npos);
    EXPECT_NE(page.find("\"name\":\"ID_BUTTON1\",\"rect\":[2,3,12,13]"), std::string::npos);
    EXPECT_NE(page.find("\"info\":\"D:\\\\Install\""), std::string::npos);
    EXPECT_NE(page.find("\"thumb\":2,\"thumbDown\":2"), std::string::npos);
    EXPECT_NE(page.find("\"message\":\"a \\u003cb\\u003e\",\"control\":0"), std::string::npos);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(Count(page, "</script>"), 2u); // the data's and the code's, none from a text
}
