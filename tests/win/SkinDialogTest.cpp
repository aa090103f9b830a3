// The skin dialog in this process: hooks, and what a reload gives back.
#include "tests/support/Bmp.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/win/support/ProbeDialog.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::string WriteSkin(const TempDir& dir)
{
    TestPicture pic{64, 48, std::vector<std::uint32_t>(64 * 48, 0x336699)};
    for (int x = 0; x < 8; ++x)
        pic.pixels[static_cast<std::size_t>(x)] = 0xFF00FF; // a notch in the top row
    dir.Write("Data/back.bmp", EncodeBmp24(pic));
    return dir.Write("Data/main.ini", "[Screen]\nMain=back.bmp\n"
                                      "[BUTTONINFO]\n1=ID_BUTTON1,4,4,20,10,Tip,\n2=ID_EXIT,30,4,20,10,,\n");
}

TEST(SkinDialog, ReloadingTwoHundredTimesGivesBackEverything)
{
    TempDir dir;
    std::string skin = WriteSkin(dir);
    const long before = OwnedGdiObjects();
    const ReloadCounts counts = CountReloads(skin, 200);
    ASSERT_TRUE(counts.ran);
    const Resources &first = counts.first, &all = counts.all;
    std::printf("owned GDI objects: %ld before, %ld after one load, %ld after 200; live GDI objects %d and %d;"
                " windows %d and %d\n",
                before, first.owned, all.owned, first.live, all.live, first.windows, all.windows);
    EXPECT_GT(first.owned, before); // the pictures are held
    EXPECT_EQ(all.owned, first.owned);
    EXPECT_EQ(all.live, first.live);
    EXPECT_EQ(all.windows, first.windows);
    EXPECT_EQ(OwnedGdiObjects(), before);
}

TEST(SkinPictures, DecodesMainAtOnceAndEveryOtherFileOnceAtItsFirstNeed)
{
    constexpr int kAll = -1; // DecodeWaiting, as the dialog calls it after its first paint
    const std::array<std::string, 4> distinct{"main", "over", "down", "disabled"};
    struct Row {
        const char* what;
        std::array<std::string, 4> names; // Main, Over, Down, Disabled
        std::vector<int> needs;           // looks asked for, in order
        std::vector<std::string> decoded; // files decoded, in order
        bool waiting;                     // afterwards
    } rows[] = {
        {"before any need", distinct, {}, {"main"}, true},
        {"a press before the rest", distinct, {2}, {"main", "down"}, true},
        {"then the rest", distinct, {2, kAll}, {"main", "down", "over", "disabled"}, false},
        {"asked again", distinct, {kAll, 1, 3, kAll}, {"main", "over", "down", "disabled"}, false},
        {"looks left out name Main", {"main", "main", "main", "main"}, {}, {"main"}, false},
        {"one file for two looks", {"main", "over", "over", "main"}, {2, kAll}, {"main", "over"}, false},
        {"a missing file is not tried again", {"main", "missing", "down", "main"}, {1, 1}, {"main", "missing"}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string> decoded;
        SkinPictures pictures([&](const std::string& path, CBitmap& bitmap) {
            decoded.push_back(path);
            if (path != "missing")
                bitmap.Attach(::CreateBitmap(1, 1, 1, 32, nullptr));
        });
        pictures.Load(row.names[0], row.names[1], row.names[2], row.names[3]);
        for (int need : row.needs) {
            if (need == kAll)
                pictures.DecodeWaiting();
            else
                EXPECT_EQ(static_cast<bool>(pictures.Get(static_cast<SkinLook>(need))), row.names[need] != "missing");
        }
        EXPECT_EQ(decoded, row.decoded);
        EXPECT_EQ(pictures.Waiting(), row.waiting);
        // Looks of one file show one picture.
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < a; ++b)
                if (row.names[a] == row.names[b] && row.names[a] != "missing") {
                    EXPECT_EQ(pictures.Get(static_cast<SkinLook>(a)).GetSafeHandle(),
                              pictures.Get(static_cast<SkinLook>(b)).GetSafeHandle());
                }
        pictures.Free();
        EXPECT_FALSE(pictures.Get(SkinLook::Main));
        EXPECT_FALSE(pictures.Waiting());
    }
}

TEST(SkinDialog, HooksAndIndexLookup)
{
    TempDir dir;
    std::string skin = WriteSkin(dir);
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        // An index outside a list calls nothing (and does not crash).
        d.ButtonClicked(-1);
        d.ButtonClicked(d.m_buttons.GetSize());
        d.TextClicked(0);
        d.TrackbarScrolled(5, 4, 50);
        // The background reports pointer moves with an empty name.
        d.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_FALSE(dialog.Moves().empty());
    EXPECT_EQ(dialog.Moves().back().name, "");
}

TEST(SkinDialog, LoadsTheSkinAtInitialisationOnlyWhenTheFileExists)
{
    TempDir dir;
    std::string skin = WriteSkin(dir);
    SIZE loaded{}, missing{};
    for (auto [path, size] : {std::pair{skin, &loaded}, std::pair{dir.File("Data/none.ini"), &missing}}) {
        struct Dialog : SkinDialog {
            Dialog(std::string p, SIZE* s) : SkinDialog(102, nullptr), m_size(s) { SetSkinPath(p); }
            bool OnInitDialog() override
            {
                SkinDialog::OnInitDialog();
                RECT r = GetWindowRect();
                *m_size = SIZE{r.right - r.left, r.bottom - r.top};
                EndDialog(IDOK);
                return true;
            }
            SIZE* m_size;
        } dialog(path, size);
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(loaded.cx, 64);
    EXPECT_EQ(loaded.cy, 48);
    EXPECT_NE(missing.cx, 64); // the template's size
}

} // namespace
