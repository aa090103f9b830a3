// The table of control lines: every kind's line read by role as the menu reads
// it, every flag by its letter, and lines written from the table read back.
#include "ControlLines.h"

#include "CaseName.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>
#include <vector>

namespace {

using R = FieldRole;
using K = ControlKindId;

// A field by role as the menu takes it: numbers saturated, flags by their letter.
std::string Read(const ControlLine& line, R role)
{
    const int field = line.kind->FieldOf(role); // a role the kind lacks reads empty
    switch (field ? line.kind->Spec(field).type : FieldType::Text) {
    case FieldType::Number: return std::to_string(line.Number(role));
    case FieldType::Flag: return line.Flag(role) ? "set" : "clear";
    default: return line.Text(role);
    }
}

struct LineCase {
    K kind;
    const char* line;
    SkinRect rect;
    std::vector<std::pair<R, const char*>> fields;
};

class ControlLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ControlLineTest, ReadsEachFieldByItsRole)
{
    const LineCase& c = GetParam();
    const ControlLine line = SplitControlLine(ControlKindOf(c.kind), c.line);
    EXPECT_EQ(line.rect, c.rect);
    for (const auto& [role, expected] : c.fields)
        EXPECT_EQ(Read(line, role), expected) << static_cast<int>(role);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ControlLineTest,
    ::testing::Values(
        // Blanks before a comma stay in the name.
        LineCase{K::ImageButton, "ID_B ,40,10,30,20,Tip B,F", {40, 10, 70, 30},
                 {{R::Name, "ID_B "}, {R::Tooltip, "Tip B"}, {R::StaticLook, "clear"}}},
        LineCase{K::ImageButton, "ID_S,1,2,3,4,,True", {1, 2, 4, 6}, {{R::Tooltip, ""}, {R::StaticLook, "set"}}},
        // A line that ends early reads its tooltip again as the flag.
        LineCase{K::ImageButton, "ID_EARLY,100,40,10,10,Then", {100, 40, 110, 50}, {{R::StaticLook, "set"}}},
        LineCase{K::ImageButton, "ID_NEGATIVE,5,5,-10,-3,,", {5, 5, -5, 2}, {{R::Face, ""}}},
        LineCase{K::ButtonEx, "ID_ROUND,20,20,40,40,Round,F,round.bmp", {20, 20, 60, 60},
                 {{R::StaticLook, "clear"}, {R::Mask, "round.bmp"}}},
        LineCase{K::ButtonEx, "ID_E,1,2,3,4,Tip,T", {1, 2, 4, 6}, {{R::StaticLook, "set"}, {R::Mask, "T"}}},
        LineCase{K::TextLabel, "ID_INFO,Arial,T,F,14,255,10,10,100,20,Hello,unused", {10, 10, 110, 30},
                 {{R::Face, "Arial"}, {R::Bold, "set"}, {R::Italic, "set"}, {R::FontHeight, "14"},
                  {R::Colour, "255"}, {R::Text, "Hello"}}},
        // What follows a comma in the text is the unused field.
        LineCase{K::TextLabel, "ID_PLAIN,Tahoma,t,f,-12,65280,10,40,100,20,Say a, b", {10, 40, 110, 60},
                 {{R::Bold, "clear"}, {R::Italic, "clear"}, {R::FontHeight, "-12"}, {R::Text, "Say a"}}},
        LineCase{K::TextLabel, "ID_Y,Face,True,Yes,0,junk,120,10,60,20,,", {120, 10, 180, 30},
                 {{R::Bold, "set"}, {R::Italic, "clear"}, {R::FontHeight, "0"}, {R::Colour, "0"}, {R::Text, ""}}},
        LineCase{K::Trackbar, "ID_TB,thumb.bmp,down.bmp,20,60,200,30,H,50,0", {20, 60, 220, 90},
                 {{R::Thumb, "thumb.bmp"}, {R::ThumbDown, "down.bmp"}, {R::Horizontal, "set"}, {R::Position, "50"}}},
        // A long position saturates rather than overflows.
        LineCase{K::Trackbar, "ID_V,a,b,1,2,3,4,V,99999999999,0", {1, 2, 4, 6},
                 {{R::Horizontal, "clear"}, {R::Position, "2147483647"}}},
        LineCase{K::Trackbar, "ID_SHORT,a,b,1,2,3,4", {1, 2, 4, 6}, {{R::Horizontal, "clear"}, {R::Position, "4"}}},
        LineCase{K::Progress, "ID_BAR,Bar,20,20,200,20,V", {20, 20, 220, 40},
                 {{R::Tooltip, "Bar"}, {R::Vertical, "clear"}}},
        LineCase{K::Progress, "ID_H,,1,2,3,4,Horizontal", {1, 2, 4, 6}, {{R::Tooltip, ""}, {R::Vertical, "set"}}}),
    [](const auto& p) { return CaseName(p.param.line) + "_" + std::to_string(p.index); });

TEST(ControlKinds, EveryFlagIsSetOnlyByItsCapitalLetterFirst)
{
    for (const ControlKind& kind : ControlKinds())
        for (const FieldSpec& flag : kind.fields) {
            if (flag.type != FieldType::Flag)
                continue;
            const std::string letter(1, flag.letter), lower(1, static_cast<char>(flag.letter - 'A' + 'a'));
            for (const auto& [text, set] : std::vector<std::pair<std::string, bool>>{
                     {letter, true}, {letter + "es", true}, {lower, false}, {"", false}, {"x" + letter, false},
                     {flag.clear, false}}) {
                ControlLineWriter writer(kind);
                const ControlLine line = SplitControlLine(kind, writer.Text(flag.role, text).Line());
                EXPECT_EQ(line.Flag(flag.role), set) << kind.section << " " << flag.name << " \"" << text << '"';
            }
        }
}

TEST(ControlKinds, LinesWrittenFromTheTableReadBackFieldForField)
{
    for (const ControlKind& kind : ControlKinds()) {
        ControlLineWriter writer(kind);
        // Each field its own value: its heading, a flag set, the number 7.
        const auto value = [](const FieldSpec& f) {
            return f.type == FieldType::Flag ? "set" : f.type == FieldType::Number ? "7" : std::string(f.heading);
        };
        for (const FieldSpec& f : kind.fields)
            if (f.type == FieldType::Flag)
                writer.Flag(f.role, true);
            else
                writer.Text(f.role, value(f));
        const ControlLine line = SplitControlLine(kind, writer.Line());
        EXPECT_EQ(line.written, kind.FieldCount()) << kind.section;
        for (const FieldSpec& f : kind.fields)
            EXPECT_EQ(Read(line, f.role), value(f)) << kind.section << " " << f.name;
        EXPECT_EQ(SplitControlLine(kind, writer.Rect(-3, 4, 50, 60).Line()).rect, (SkinRect{-3, 4, 47, 64}));
        EXPECT_THROW(writer.Flag(R::Name, true), std::invalid_argument);
    }
}

} // namespace
