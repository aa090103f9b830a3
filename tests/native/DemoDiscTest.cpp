// The demo discs as committed, the English one also as its Turkish and German
// users see it, and the Turkish one, as skincheck's model of a disc reads
// them: their pictures fit together, every control of their skins lies inside
// the window's outline, and their menus open files that exist.
#include "skin/MessageTexts.h"
#include "tools/skincheck/DiscModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

bool CutAway(const PixelImage& p, int x, int y) // magenta within the outline's tolerance
{
    const std::uint32_t c = p.At(x, y);
    return (c >> 16 & 0xFF) == 255 && (c & 0xFF) == 255 && (c >> 8 & 0xFF) <= 16;
}

std::vector<const ModelControl*> Controls(const DiscModel& model, ControlKindId kind)
{
    std::vector<const ModelControl*> controls;
    for (const ModelControl& c : model.controls)
        if (c.Is(kind))
            controls.push_back(&c);
    return controls;
}

// The folder below demo/ of each disc, and the user's language it is read in.
struct DiscView {
    const char* folder;
    const char* language;
    const char* name;
};
void PrintTo(const DiscView& v, std::ostream* os) { *os << v.name; }

// With the program the build puts beside autorun.exe.
class DemoDisc : public ::testing::TestWithParam<DiscView> {
protected:
    static DiscFolder Folder(const char* name)
    {
        DiscFolder folder(std::string(AK_DEMO_DISCS) + "/" + name);
        folder.AssumePresent("verpick.exe");
        return folder;
    }
    const PixelImage& Screen(const char* role) const { return *m_model.Screen(role)->ref.Picture(); }

    const DiscFolder m_folder = Folder(GetParam().folder);
    const DiscModel m_model = BuildDiscModel(m_folder, kBaseDpi, GetParam().language);
};

TEST_P(DemoDisc, FullWindowPicturesShareOneSize)
{
    ASSERT_EQ(m_model.screen.size(), 5u);
    for (const ScreenPicture& s : m_model.screen) {
        ASSERT_TRUE(s.written && s.ref.Picture()) << s.role;
        EXPECT_EQ(s.ref.Picture()->size, Screen("Main").size) << s.role;
    }
}

TEST_P(DemoDisc, EveryControlLiesInsideTheOutline)
{
    for (const auto& kind : ControlKinds())
        EXPECT_FALSE(Controls(m_model, kind.id).empty()) << kind.section;
    const WindowOutline& outline = m_model.outline;
    for (const ModelControl& c : m_model.controls) {
        const SkinRect& r = c.fields.rect;
        SCOPED_TRACE(std::string(c.kind->section) + " " + c.Name());
        ASSERT_GT(r.Width(), 0);
        ASSERT_GT(r.Height(), 0);
        ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= outline.width && r.bottom <= outline.height);
        int cut = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                cut += !outline.Inside(x, y);
        EXPECT_EQ(cut, 0) << "pixels of the control that the outline cuts away";
    }
}

// Where no control shows a state picture, the window shows Main; a state
// picture that differs there would show a seam around its control.
TEST_P(DemoDisc, StatePicturesMatchMainAroundTheControls)
{
    const PixelImage& main = Screen("Main");
    for (const char* role : {"Over", "Down", "Disabled"}) {
        const PixelImage& pic = Screen(role);
        ASSERT_EQ(pic.size, main.size);
        const auto shown = [&](int x, int y) {
            return std::any_of(m_model.controls.begin(), m_model.controls.end(), [&](const ModelControl& c) {
                const SkinRect& r = c.fields.rect;
                const bool bar = c.Is(ControlKindId::Progress) && role == std::string("Down"); // its filled share
                return (!c.looks.empty() || bar) && x >= r.left && y >= r.top && x < r.right && y < r.bottom;
            });
        };
        int differing = 0;
        for (int y = 0; y < main.size.height; ++y)
            for (int x = 0; x < main.size.width; ++x)
                differing += !shown(x, y) && pic.At(x, y) != main.At(x, y);
        EXPECT_EQ(differing, 0) << role;
    }
}

TEST_P(DemoDisc, ControlPicturesLoadAndFitTheirControls)
{
    for (const ModelControl* c : Controls(m_model, ControlKindId::ButtonEx)) {
        ASSERT_TRUE(c->ownMask) << c->Name();
        EXPECT_EQ(c->ownMask->size, (PixelSize{c->fields.rect.Width(), c->fields.rect.Height()}));
    }
    for (const ModelControl* c : Controls(m_model, ControlKindId::Trackbar)) {
        ASSERT_EQ(c->pictures.size(), 2u);
        const PixelImage* thumb = c->pictures[0].second.Picture();
        const PixelImage* pressed = c->pictures[1].second.Picture();
        ASSERT_TRUE(thumb && pressed) << c->Name();
        EXPECT_EQ(thumb->size, pressed->size);
        EXPECT_LE(thumb->size.height, c->fields.rect.Height()); // laid against the top edge, not cut
    }
}

// Beside every picture the skin names lies its @2x version, twice the size; a
// mask's @2x cuts a pixel exactly where the 1x mask cuts the pixel it covers.
TEST_P(DemoDisc, TwoXPicturesAreTwiceTheSizeAndMasksCutAlike)
{
    EXPECT_EQ(m_model.twoXSet.size(), 8u); // five full-window pictures, a ButtonEx's mask, two thumbs
    std::vector<const PictureRef*> masks{&m_model.Screen("Mask")->ref};
    for (const ModelControl* c : Controls(m_model, ControlKindId::ButtonEx))
        masks.push_back(&c->pictures.front().second);
    for (const PictureRef* ref : m_model.twoXSet) {
        ASSERT_TRUE(ref->twoX) << ref->twoXName;
        const PixelImage &one = *ref->Picture(), &two = *ref->twoX;
        EXPECT_EQ(two.size, (PixelSize{2 * one.size.width, 2 * one.size.height})) << ref->name;
        const bool mask = std::any_of(masks.begin(), masks.end(), [&](const PictureRef* m) { return m->name == ref->name; });
        int differing = 0;
        for (int y = 0; mask && y < two.size.height; ++y)
            for (int x = 0; x < two.size.width; ++x)
                differing += CutAway(two, x, y) != CutAway(one, x / 2, y / 2);
        EXPECT_EQ(differing, 0) << ref->name;
    }
}

TEST_P(DemoDisc, MenuItemsOpenWhatIsOnTheDisc)
{
    EXPECT_TRUE(m_model.InfoLabel());
    EXPECT_EQ(Controls(m_model, ControlKindId::ImageButton).size(), 12u); // eight program buttons and four commands
    for (const ModelControl* c : Controls(m_model, ControlKindId::ImageButton)) {
        SCOPED_TRACE(c->Name());
        ASSERT_FALSE(c->click.empty()); // its name is a command
        for (const MenuEffect& e : c->click) {
            EXPECT_NE(e.kind, MenuEffect::ShowMessage) << e.text; // what it opens is there
            EXPECT_TRUE(e.kind != MenuEffect::SetLabelText || !e.text.empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Discs, DemoDisc,
                         ::testing::Values(DiscView{"disc", "", "English"}, DiscView{"disc", "tr-TR", "InTurkish"},
                                           DiscView{"disc", "de-AT", "InGerman"}, DiscView{"disc-tr", "", "Turkish"}),
                         [](const auto& p) { return std::string(p.param.name); });

// What the English disc's model says of each image button: where it lies, its
// looks cut from the full-window pictures there, what a click does; and every
// file that the disc names, by whom. verpick.exe is there only after the build.
TEST(DemoDiscModel, ImageButtonsAndTheFilesTheDiscNames)
{
    const DiscFolder disc(std::string(AK_DEMO_DISCS) + "/disc");
    const DiscModel model = BuildDiscModel(disc, kBaseDpi);
    const std::string dir = disc.ProgramDir();
    const struct {
        const char* name;
        SkinRect rect;
        MenuEffect::Kind does;
        std::string what; // the target opened, or the message shown
    } kButtons[] = {
        {"ID_BUTTON1", {24, 112, 200, 160}, MenuEffect::Open, dir + "Setup\\setup.cmd"},
        {"ID_BUTTON2", {208, 112, 384, 160}, MenuEffect::Open, dir + "README.TXT"},
        {"ID_BUTTON3", {24, 168, 200, 216}, MenuEffect::Open, dir + "Docs\\UserGuide.html"},
        {"ID_BUTTON4", {208, 168, 384, 216}, MenuEffect::Open, dir + "Docs\\ReleaseNotes.txt"},
        {"ID_BUTTON5", {24, 224, 200, 272}, MenuEffect::Open, dir + "Samples"},
        {"ID_BUTTON6", {208, 224, 384, 272}, MenuEffect::Open, dir + "Tools"},
        {"ID_BUTTON7", {24, 280, 200, 328}, MenuEffect::Open, dir + "Drivers"},
        {"ID_BUTTON8", {208, 280, 384, 328}, MenuEffect::ShowMessage, kFileNotFoundText},
        {"ID_BROWSE", {408, 144, 568, 176}, MenuEffect::Open, dir},
        {"ID_HOMEPAGE", {408, 184, 568, 216}, MenuEffect::Open, "https://www.example.com/"},
        {"ID_MINIMIZE", {504, 24, 536, 56}, MenuEffect::Minimize, ""},
        {"ID_CLOSE", {544, 24, 576, 56}, MenuEffect::EndDialog, ""},
    };
    const auto buttons = Controls(model, ControlKindId::ImageButton);
    ASSERT_EQ(buttons.size(), std::size(kButtons));
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const ModelControl& c = *buttons[i];
        SCOPED_TRACE(kButtons[i].name);
        EXPECT_EQ(c.Name(), kButtons[i].name);
        EXPECT_EQ(c.fields.rect, kButtons[i].rect);
        const char* const pictures[] = {"main.jpg", "over.jpg", "down.jpg", "disabled.jpg"};
        ASSERT_EQ(c.looks.size(), std::size(pictures));
        for (std::size_t k = 0; k < std::size(pictures); ++k) {
            EXPECT_EQ(c.looks[k].picture, pictures[k]);
            EXPECT_EQ(c.looks[k].rect, kButtons[i].rect);
        }
        const auto does = std::find_if(c.click.begin(), c.click.end(),
                                       [&](const MenuEffect& e) { return e.kind == kButtons[i].does; });
        ASSERT_NE(does, c.click.end());
        EXPECT_EQ(kButtons[i].does == MenuEffect::ShowMessage ? does->text : does->target, kButtons[i].what);
    }
    std::string named;
    for (const NamedFile& f : model.files)
        named += f.namedBy + ":" + std::to_string(f.line) + " " + f.written + (f.resolved.IsThere() ? "\n" : " (not there)\n");
    EXPECT_EQ(named, "Data/main.ini:4 main.jpg\nData/main.ini:5 mask.bmp\nData/main.ini:6 over.jpg\n"
                     "Data/main.ini:7 down.jpg\nData/main.ini:8 disabled.jpg\nData/main.ini:27 emblem_mask.bmp\n"
                     "Data/main.ini:36 thumb.bmp\nData/main.ini:36 thumb_down.bmp\nAUTORUN.INF:9 Setup\\setup.cmd\n"
                     "AUTORUN.INF:10 README.TXT\nAUTORUN.INF:11 Docs\\UserGuide.html\nAUTORUN.INF:12 Docs\\ReleaseNotes.txt\n"
                     "AUTORUN.INF:13 Samples\nAUTORUN.INF:14 Tools\nAUTORUN.INF:15 Drivers\n"
                     "AUTORUN.INF:16 verpick.exe (not there)\nconfig.ini:5 Setup\\Vista\\Setup.exe /edition=vista (not there)\n"
                     "config.ini:6 Setup\\XP\\Setup.exe /edition=xp (not there)\n");
}

// Each language's users see its own pictures and open its own read-me (the
// entry after ID_BUTTON1's), with its line; a language the disc lacks sees the base.
TEST(DemoDiscModel, EachLanguageItsPicturesAndReadMe)
{
    const DiscFolder disc(std::string(AK_DEMO_DISCS) + "/disc");
    const std::pair<const char*, const char*> rows[] = {{"", "main.jpg README.TXT:10"},
                                                        {"tr", "main-tr.jpg BEN\xC4\xB0OKU.TXT:31"},
                                                        {"de-AT", "main-de.jpg LIESMICH.TXT:44"},
                                                        {"fr-FR", "main.jpg README.TXT:10"}};
    for (const auto& [language, seen] : rows) {
        const DiscModel model = BuildDiscModel(disc, kBaseDpi, language);
        const auto button1 = std::find_if(model.files.begin(), model.files.end(),
                                          [](const NamedFile& f) { return f.namedBy == "AUTORUN.INF"; });
        ASSERT_TRUE(button1 != model.files.end() && std::next(button1)->resolved.IsThere()) << language;
        EXPECT_EQ(model.Screen("Main")->ref.name + " " + std::next(button1)->written + ":" +
                      std::to_string(std::next(button1)->line), seen);
    }
}

} // namespace
