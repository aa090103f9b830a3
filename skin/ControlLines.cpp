#include "skin/ControlLines.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

FieldFormat Text(FieldRole role, const char* name, const char* heading = nullptr)
{
    return {role, FieldType::Text, name, heading ? heading : name};
}

FieldFormat Number(FieldRole role, const char* name, const char* heading = nullptr)
{
    return {role, FieldType::Number, name, heading ? heading : name};
}

FieldFormat Picture(FieldRole role, const char* name, const char* heading = nullptr)
{
    return {role, FieldType::Picture, name, heading ? heading : name};
}

FieldFormat Flag(FieldRole role, const char* name, const char* heading, char letter, const char* whenSet,
               const char* clear)
{
    return {role, FieldType::Flag, name, heading, letter, whenSet, clear};
}

const FieldFormat kUnused{FieldRole::Unused, FieldType::Unused, "unused field", "(unused)"};

// The fields before the rectangle, its four, and those after it.
std::vector<FieldFormat> Fields(std::vector<FieldFormat> before, const std::vector<FieldFormat>& after)
{
    for (const FieldFormat& f : {Number(FieldRole::X, "x"), Number(FieldRole::Y, "y"),
                               Number(FieldRole::Width, "width"), Number(FieldRole::Height, "height")})
        before.push_back(f);
    before.insert(before.end(), after.begin(), after.end());
    return before;
}

std::vector<ControlKind> MakeKinds()
{
    using R = FieldRole;
    const FieldFormat name = Text(R::Name, "name");
    const FieldFormat tooltip = Text(R::Tooltip, "tooltip");
    // Writers put "F" for a clear look flag, as the demo skin always has.
    const FieldFormat look = Flag(R::StaticLook, "look flag", "look flag", 'T', "the button keeps its normal look", "F");
    return {
        {ControlKindId::ImageButton, "BUTTONINFO", "image button", Fields({name}, {tooltip, look}), 0x39FF14},
        {ControlKindId::ButtonEx, "BUTTONEXINFO", "ButtonEx",
         Fields({name}, {tooltip, look, Picture(R::Mask, "mask picture")}), 0x00E5FF},
        {ControlKindId::TextLabel, "TEXTINFO", "text label",
         Fields({name, Text(R::Face, "font face", "face"),
                 Flag(R::Bold, "bold flag", "bold", 'T', "the text is bold", "0"),
                 Flag(R::Italic, "italic flag", "italic", 'F', "the text is italic", "0"),
                 Number(R::FontHeight, "font height", "height"), Number(R::Colour, "text colour", "colour")},
                {Text(R::Text, "text"), kUnused}), 0xFFD600},
        {ControlKindId::Trackbar, "TRACKBARINFO", "trackbar",
         Fields({name, Picture(R::Thumb, "thumb picture", "thumb"),
                 Picture(R::ThumbDown, "pressed-thumb picture", "pressed thumb")},
                {Flag(R::Horizontal, "orientation", "orientation", 'H', "the trackbar is horizontal", "V"),
                 Number(R::Position, "position"), kUnused}), 0xFF8C00},
        // "H" makes this bar vertical, where it makes a trackbar horizontal.
        {ControlKindId::Progress, "PROGRESSINFO", "progress control",
         Fields({name, tooltip}, {Flag(R::Vertical, "orientation", "orientation", 'H', "the bar is vertical", "V")}), 0x9D7BFF},
    };
}

} // namespace

int ControlKind::FieldOf(FieldRole role) const
{
    for (int field = 1; field <= FieldCount(); ++field)
        if (Format(field).role == role)
            return field;
    return 0;
}

std::string ControlKind::Headings() const
{
    std::string out;
    for (const FieldFormat& f : fields)
        out += (out.empty() ? "" : ", ") + std::string(f.heading);
    return out;
}

const std::vector<ControlKind>& ControlKinds()
{
    static const std::vector<ControlKind> kinds = MakeKinds();
    return kinds;
}

const ControlKind& ControlKindOf(ControlKindId id)
{
    const auto& kinds = ControlKinds();
    return *std::find_if(kinds.begin(), kinds.end(), [id](const ControlKind& k) { return k.id == id; });
}

const std::string& ControlLine::Text(FieldRole role) const
{
    static const std::string none;
    const int field = kind ? kind->FieldOf(role) : 0;
    return field ? Field(field) : none;
}

bool ControlLine::Flag(FieldRole role) const
{
    const int field = kind ? kind->FieldOf(role) : 0;
    return field && BeginsWith(field, kind->Format(field).letter);
}

ControlLine SplitControlLine(const ControlKind& kind, std::string value)
{
    ControlLine line;
    line.kind = &kind;
    line.value = value;
    line.written = static_cast<int>(std::count(value.begin(), value.end(), ',')) + 1;
    for (int field = 1; field <= kind.FieldCount(); ++field) {
        if (field == kind.RectField()) {
            std::string copy = value; // the same four fields, as numbers
            line.rect = ParseRect(copy);
        }
        line.fields.push_back(NextToken(value));
    }
    if (line.written > kind.FieldCount())
        line.rest = value;
    return line;
}

std::vector<ControlLine> ReadControlLines(const IniFile& ini, const ControlKind& kind)
{
    std::vector<ControlLine> lines;
    for (NumberedLine& numbered : ReadNumberedLines(ini, kind.section)) {
        lines.push_back(SplitControlLine(kind, std::move(numbered.value)));
        lines.back().key = numbered.key;
    }
    return lines;
}

namespace {

// Writing a field that the kind does not have is a mistake of the writing
// tool, not of any skin: stop it there (the shipped programs, built without
// exceptions, never write lines).
[[noreturn]] void NoSuchField(const ControlKind& kind, const char* what)
{
    // Not fprintf: its formatting code was 28 KB of the release menu.
    for (const char* part : {kind.noun, " lines have no such ", what, "\n"})
        std::fputs(part, stderr);
    std::abort();
}

} // namespace

ControlLineWriter::ControlLineWriter(const ControlKind& kind)
    : m_kind(kind), m_fields(static_cast<std::size_t>(kind.FieldCount()))
{
}

ControlLineWriter& ControlLineWriter::Text(FieldRole role, const std::string& text)
{
    const int field = m_kind.FieldOf(role);
    if (!field)
        NoSuchField(m_kind, "field");
    m_fields[static_cast<std::size_t>(field - 1)] = text;
    return *this;
}

ControlLineWriter& ControlLineWriter::Number(FieldRole role, std::int64_t value)
{
    return Text(role, std::to_string(value));
}

ControlLineWriter& ControlLineWriter::Flag(FieldRole role, bool set)
{
    const int field = m_kind.FieldOf(role);
    const FieldFormat* format = field ? &m_kind.Format(field) : nullptr;
    if (!format || format->type != FieldType::Flag)
        NoSuchField(m_kind, "flag");
    return Text(role, set ? std::string(1, format->letter) : format->clear);
}

ControlLineWriter& ControlLineWriter::Rect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height)
{
    Number(FieldRole::X, x).Number(FieldRole::Y, y);
    return Number(FieldRole::Width, width).Number(FieldRole::Height, height);
}

std::string ControlLineWriter::Line() const
{
    std::string out;
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        out += (i ? "," : "") + m_fields[i];
    return out;
}
