// The table of control lines: every kind's line read by role as the menu reads
// it, every flag by its letter, and lines written from the table read back.
#include "skin/ControlLines.h"

#include "tests/support/CaseName.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using R = FieldRole;
using K = ControlKindId;

// Every field as the menu takes it (numbers saturated, flags by their letter), '|' between.
std::string ReadAll(const ControlLine& line)
{
    std::string out;
    for (const FieldFormat& f : line.kind->fields) {
        const bool number = f.type == FieldType::Number, flag = f.type == FieldType::Flag;
        out += (out.empty() ? "" : "|") + (number ? std::to_string(line.Number(f.role))
                                           : flag ? (line.Flag(f.role) ? "set" : "clear") : line.Text(f.role));
    }
    return out;
}

struct LineCase {
    K kind;
    const char* line;
    const char* fields;
};

class ControlLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(ControlLineTest, ReadsEachFieldByItsRole)
{
    const ControlLine line = SplitControlLine(ControlKindOf(GetParam().kind), GetParam().line);
    EXPECT_EQ(ReadAll(line), GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ControlLineTest,
    ::testing::Values(
        // Blanks before a comma stay in the name.
        LineCase{K::ImageButton, "ID_B ,40,10,30,20,Tip B,F", "ID_B |40|10|30|20|Tip B|clear"},
        LineCase{K::ImageButton, "ID_BUTTON1,10,20,30,40,Tip,T", "ID_BUTTON1|10|20|30|40|Tip|set"},
        // A line that ends early reads its tooltip again as the flag.
        LineCase{K::ImageButton, "ID_EARLY,1,2,3,4,Then", "ID_EARLY|1|2|3|4|Then|set"},
        LineCase{K::ButtonEx, "ID_E,1,2,3,4,Tip,T", "ID_E|1|2|3|4|Tip|set|T"},
        LineCase{K::TextLabel, "ID_INFO,Arial,T,F,14,255,1,2,3,4,Hello,unused",
                 "ID_INFO|Arial|set|set|14|255|1|2|3|4|Hello|unused"},
        // What follows a comma in the text is the unused field.
        LineCase{K::TextLabel, "ID_PLAIN,Tahoma,t,f,-12,65280,1,2,3,4,Say a, b",
                 "ID_PLAIN|Tahoma|clear|clear|-12|65280|1|2|3|4|Say a|b"},
        LineCase{K::TextLabel, "ID_Y,Face,True,Yes,0,junk,1,2,3,4,,", "ID_Y|Face|set|clear|0|0|1|2|3|4||"},
        LineCase{K::Trackbar, "ID_TB,thumb.bmp,down.bmp,1,2,3,4,H,50,0", "ID_TB|thumb.bmp|down.bmp|1|2|3|4|set|50|0"},
        // A long position saturates rather than overflows.
        LineCase{K::Trackbar, "ID_V,a,b,1,2,3,4,V,99999999999,0", "ID_V|a|b|1|2|3|4|clear|2147483647|0"},
        // Too few fields: the last one repeats.
        LineCase{K::Trackbar, "ID_SHORT,a,b,1,2,3,4", "ID_SHORT|a|b|1|2|3|4|clear|4|4"},
        LineCase{K::Progress, "ID_H,,1,2,3,4,Horizontal", "ID_H||1|2|3|4|set"}),
    [](const auto& p) { return CaseName(p.param.line) + "_" + std::to_string(p.index); });

TEST(ControlKinds, LinesWrittenFromTheTableReadBackAndFlagsTakeOnlyTheirCapital)
{
    for (const ControlKind& kind : ControlKinds()) {
        ControlLineWriter writer(kind);
        // Each field its own value: its heading, a flag set, the number 7.
        std::string expected;
        for (const FieldFormat& f : kind.fields) {
            const std::string value = f.type == FieldType::Flag ? "set" : f.type == FieldType::Number ? "7" : f.heading;
            f.type == FieldType::Flag ? writer.Flag(f.role, true) : writer.Text(f.role, value);
            expected += (expected.empty() ? "" : "|") + value;
        }
        const ControlLine line = SplitControlLine(kind, writer.Line());
        EXPECT_EQ(ReadAll(line), expected);
        for (int role = 0; role <= static_cast<int>(R::Unused); ++role) // what the kind lacks reads empty
            EXPECT_TRUE(kind.FieldOf(R(role)) || (line.Text(R(role)).empty() && !line.Flag(R(role)))) << role;
        EXPECT_EQ(SplitControlLine(kind, writer.Rect(-3, 4, 50, 60).Line()).rect, (SkinRect{-3, 4, 47, 64}));

        for (const FieldFormat& flag : kind.fields) {
            if (flag.type != FieldType::Flag)
                continue;
            const std::string set(1, flag.letter), lower(1, static_cast<char>(flag.letter - 'A' + 'a'));
            for (const auto& [text, on] : std::vector<std::pair<std::string, bool>>{
                     {set, true}, {set + "es", true}, {lower, false}, {"", false}, {"x" + set, false},
                     {flag.clear, false}})
                EXPECT_EQ(SplitControlLine(kind, writer.Text(flag.role, text).Line()).Flag(flag.role), on)
                    << kind.section << " " << flag.name << " \"" << text << '"';
        }
    }
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
TEST(ControlKinds, WritingAFieldTheKindLacksStopsTheTool)
{
    ControlLineWriter writer(ControlKindOf(ControlKindId::ImageButton));
    EXPECT_DEATH(writer.Flag(FieldRole::Name, true), "no such flag");
    EXPECT_DEATH(writer.Text(FieldRole::Thumb, "t.bmp"), "no such field");
}
#endif

} // namespace
