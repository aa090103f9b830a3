// The demo discs as committed, the English one also as its Turkish and German
// users see it, and the Turkish one: their pictures fit together, every
// control of their skins lies inside the window's outline, and their menus
// open files that exist.
#include "skin/ControlLines.h"
#include "platform/FileSystem.h"
#include "tools/skincheck/PictureDecoder.h"
#include "skin/SkinFile.h"
#include "skin/DisplayScale.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    bool CutAway(int x, int y) const // magenta within the outline's tolerance
    {
        const unsigned char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
        return p[0] == 255 && p[2] == 255 && p[1] <= 16;
    }
};

// The folder below demo/ of each disc, and the languages it is read in.
struct DiscView {
    const char* folder;
    std::vector<std::string> languages;
    const char* name;
};

class DemoDisc : public ::testing::TestWithParam<DiscView> {
protected:
    std::string Disc() const { return std::string(AK_DEMO_DISCS) + "/" + GetParam().folder; }
    IniFile Ini(const std::string& path) const { return IniFile(path, GetParam().languages); }
    std::string Skin() const { return Disc() + "/Data/main.ini"; }
    RgbPicture Load(const std::string& name) const;
    std::vector<ControlLine> Controls(ControlKindId kind) const
    {
        return ReadControlLines(Ini(Skin()), ControlKindOf(kind));
    }
    std::string ScreenPicture(const char* key) const
    {
        const IniFile ini = Ini(Skin());
        const std::string main = ini.GetString("Screen", "Main", "");
        return key == std::string("Main") ? main : ini.GetString("Screen", key, main);
    }
};

RgbPicture DemoDisc::Load(const std::string& name) const
{
    RgbPicture pic;
    const auto bytes = platform::ReadWholeFile(Disc() + "/Data/" + name);
    const PictureLoad load = DecodePicture(bytes ? *bytes : std::string());
    if (!load.picture)
        return pic;
    pic.width = load.picture->width;
    pic.height = load.picture->height;
    for (std::uint32_t p : load.picture->pixels)
        pic.rgb.insert(pic.rgb.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                       static_cast<unsigned char>(p)});
    return pic;
}

TEST_P(DemoDisc, FullWindowPicturesShareOneSize)
{
    const RgbPicture main = Load(ScreenPicture("Main"));
    ASSERT_FALSE(main.rgb.empty()) << ScreenPicture("Main");
    for (const char* key : {"Mask", "Over", "Down", "Disabled"}) {
        const RgbPicture pic = Load(ScreenPicture(key));
        ASSERT_FALSE(pic.rgb.empty()) << key;
        EXPECT_EQ(pic.width, main.width) << key;
        EXPECT_EQ(pic.height, main.height) << key;
    }
}

TEST_P(DemoDisc, EveryControlLiesInsideTheOutline)
{
    const RgbPicture mask = Load(ScreenPicture("Mask"));
    ASSERT_FALSE(mask.rgb.empty());
    for (const auto& kind : ControlKinds()) {
        const auto lines = ReadControlLines(Ini(Skin()), kind);
        EXPECT_FALSE(lines.empty()) << kind.section;
        for (const auto& l : lines) {
            const SkinRect& r = l.rect;
            SCOPED_TRACE(std::string(kind.section) + " " + l.Name());
            ASSERT_GT(r.Width(), 0);
            ASSERT_GT(r.Height(), 0);
            ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= mask.width && r.bottom <= mask.height);
            int cut = 0;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    cut += mask.CutAway(x, y);
            EXPECT_EQ(cut, 0) << "pixels of the control that the outline cuts away";
        }
    }
}

// Where no control shows a state picture, the window shows Main; a state
// picture that differs there would show a seam around its control.
TEST_P(DemoDisc, StatePicturesMatchMainAroundTheControls)
{
    const RgbPicture main = Load(ScreenPicture("Main"));
    std::vector<SkinRect> allLooks;
    for (const ControlKindId kind : {ControlKindId::ImageButton, ControlKindId::ButtonEx})
        for (const auto& l : Controls(kind))
            allLooks.push_back(l.rect);
    std::vector<SkinRect> bars;
    for (const auto& l : Controls(ControlKindId::Progress))
        bars.push_back(l.rect);

    for (const char* key : {"Over", "Down", "Disabled"}) {
        const RgbPicture pic = Load(ScreenPicture(key));
        ASSERT_EQ(pic.rgb.size(), main.rgb.size());
        auto shown = [&](int x, int y) {
            auto inside = [&](const SkinRect& r) { return x >= r.left && y >= r.top && x < r.right && y < r.bottom; };
            for (const auto& r : allLooks)
                if (inside(r))
                    return true;
            if (key == std::string("Down")) // a progress bar's filled share
                for (const auto& r : bars)
                    if (inside(r))
                        return true;
            return false;
        };
        int differing = 0;
        for (int y = 0; y < main.height; ++y)
            for (int x = 0; x < main.width; ++x) {
                const std::size_t i = (static_cast<std::size_t>(y) * main.width + x) * 3;
                if (!shown(x, y) && (pic.rgb[i] != main.rgb[i] || pic.rgb[i + 1] != main.rgb[i + 1] ||
                                     pic.rgb[i + 2] != main.rgb[i + 2]))
                    ++differing;
            }
        EXPECT_EQ(differing, 0) << key;
    }
}

TEST_P(DemoDisc, ControlPicturesLoadAndFitTheirControls)
{
    for (const auto& l : Controls(ControlKindId::ButtonEx)) {
        const RgbPicture mask = Load(l.PictureName(FieldRole::Mask));
        ASSERT_FALSE(mask.rgb.empty()) << l.PictureName(FieldRole::Mask);
        EXPECT_EQ(mask.width, l.rect.Width());
        EXPECT_EQ(mask.height, l.rect.Height());
    }
    for (const auto& l : Controls(ControlKindId::Trackbar)) {
        const RgbPicture thumb = Load(l.PictureName(FieldRole::Thumb));
        const RgbPicture pressed = Load(l.PictureName(FieldRole::ThumbDown));
        ASSERT_FALSE(thumb.rgb.empty()) << l.PictureName(FieldRole::Thumb);
        ASSERT_FALSE(pressed.rgb.empty()) << l.PictureName(FieldRole::ThumbDown);
        EXPECT_EQ(thumb.width, pressed.width);
        EXPECT_EQ(thumb.height, pressed.height);
        EXPECT_LE(thumb.height, l.rect.Height()); // laid against the top edge, not cut
    }
}

// Beside every picture the skin names lies its @2x version, twice the size; a
// mask's @2x cuts a pixel exactly where the 1x mask cuts the pixel it covers.
TEST_P(DemoDisc, TwoXPicturesAreTwiceTheSizeAndMasksCutAlike)
{
    std::vector<std::pair<std::string, bool>> pictures; // name, whether a mask
    for (const char* key : {"Main", "Over", "Down", "Disabled", "Mask"})
        pictures.push_back({ScreenPicture(key), key == std::string("Mask")});
    for (const auto& l : Controls(ControlKindId::ButtonEx))
        pictures.push_back({l.PictureName(FieldRole::Mask), true});
    for (const auto& l : Controls(ControlKindId::Trackbar))
        for (const FieldRole role : {FieldRole::Thumb, FieldRole::ThumbDown})
            pictures.push_back({l.PictureName(role), false});
    for (const auto& [name, mask] : pictures) {
        const RgbPicture one = Load(name), two = Load(TwoXPictureName(name));
        ASSERT_FALSE(two.rgb.empty()) << TwoXPictureName(name);
        EXPECT_EQ(two.width, 2 * one.width) << name;
        EXPECT_EQ(two.height, 2 * one.height) << name;
        int differing = 0;
        for (int y = 0; mask && y < two.height; ++y)
            for (int x = 0; x < two.width; ++x)
                differing += two.CutAway(x, y) != one.CutAway(x / 2, y / 2);
        EXPECT_EQ(differing, 0) << name;
    }
}

TEST_P(DemoDisc, MenuItemsOpenWhatIsOnTheDisc)
{
    std::set<std::string> buttons, labels;
    for (const auto& l : Controls(ControlKindId::ImageButton))
        buttons.insert(l.Name());
    for (const auto& l : Controls(ControlKindId::TextLabel))
        labels.insert(l.Name());
    for (const char* name : {"ID_BROWSE", "ID_HOMEPAGE", "ID_MINIMIZE", "ID_CLOSE"})
        EXPECT_EQ(buttons.count(name), 1u) << name;
    EXPECT_EQ(labels.count("ID_INFO"), 1u);

    const IniFile autorun = Ini(Disc() + "/AUTORUN.INF");
    EXPECT_FALSE(autorun.GetString("RUN_FILES", "ID_HOMEPAGE", "").empty());
    // Built programs that the build puts on the disc beside autorun.exe.
    const std::set<std::string> built = {"verpick.exe"};
    for (int i = 1; i <= 8; ++i) {
        const std::string name = "ID_BUTTON" + std::to_string(i);
        SCOPED_TRACE(name);
        EXPECT_EQ(buttons.count(name), 1u);
        const std::string file = autorun.GetString("RUN_FILES", name, "");
        ASSERT_FALSE(file.empty());
        if (!built.count(file)) {
            EXPECT_TRUE(platform::PathExists(Disc() + "\\" + file)) << file;
        }
        EXPECT_FALSE(autorun.GetString("TEXT_INFO", name, "").empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Discs, DemoDisc,
                         ::testing::Values(DiscView{"disc", {}, "English"}, DiscView{"disc", {"tr-tr", "tr"}, "InTurkish"},
                                           DiscView{"disc", {"de-at", "de"}, "InGerman"},
                                           DiscView{"disc-tr", {}, "Turkish"}),
                         [](const auto& p) { return std::string(p.param.name); });

} // namespace
