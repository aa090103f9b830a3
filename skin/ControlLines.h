#pragma once
// The five kinds of control line in main.ini, field by field: the one
// description that the menu's readers, skincheck and the skin writers share.
// A field is asked for by its role, so a field added to a kind is one row
// below plus the code that uses it.
#include "skin/SkinFile.h"

#include <cstdint>
#include <string>
#include <vector>

enum class FieldRole {
    Name,
    X, Y, Width, Height, // the rectangle, always four fields in this order
    Tooltip,
    StaticLook, // a button keeps its normal look
    Mask,       // a ButtonEx's own outline picture
    Face, Bold, Italic, FontHeight, Colour, Text,
    Thumb, ThumbDown,
    Horizontal, // a trackbar's orientation
    Vertical,   // a progress bar's orientation
    Position,
    Unused, // read and not used; keep it last
};

enum class FieldType { Text, Number, Picture, Flag, Unused };

struct FieldFormat {
    FieldRole role;
    FieldType type;
    const char* name;    // in reports, e.g. "font face"
    const char* heading; // in the comment line above a written section, e.g. "face"
    // Flags only: set when the field begins with `letter` (upper case only).
    char letter = 0;
    const char* whenSet = nullptr; // what a set flag does, for reports
    const char* clear = nullptr;   // what writers put for a flag that is not set
};

enum class ControlKindId { ImageButton, ButtonEx, TextLabel, Trackbar, Progress };

struct ControlKind {
    ControlKindId id;
    const char* section; // e.g. "BUTTONINFO"
    const char* noun;    // e.g. "image button"
    std::vector<FieldFormat> fields;
    std::uint32_t previewColour = 0xFFFFFF; // 0xRRGGBB: how skincheck's preview outlines it

    int FieldCount() const { return static_cast<int>(fields.size()); }
    const FieldFormat& Format(int field) const { return fields[static_cast<std::size_t>(field - 1)]; }
    const char* FieldName(int field) const { return Format(field).name; }
    // The 1-based field of `role`, or 0 when the kind has none.
    int FieldOf(FieldRole role) const;
    int RectField() const { return FieldOf(FieldRole::X); }
    // "name, x, y, ...": the comment line that tells a reader of main.ini the fields.
    std::string Headings() const;
};

// In the order the skin dialog reads them.
const std::vector<ControlKind>& ControlKinds();
const ControlKind& ControlKindOf(ControlKindId id);

// One control line split exactly as the menu splits it (NextToken, ParseRect).
struct ControlLine {
    const ControlKind* kind = nullptr;
    int key = 0;                     // the numbered key it was read from
    std::string value;               // the line as read
    std::vector<std::string> fields; // as NextToken gives them, FieldCount() of them
    SkinRect rect;                   // as ParseRect gives it
    int written = 0;                 // fields written on the line: its commas + 1
    std::string rest;                // what is left after the fields the kind takes

    const std::string& Field(int field) const { return fields[static_cast<std::size_t>(field - 1)]; }
    const std::string& Name() const { return fields.front(); }
    // True when the field is not written and repeats the line's last field.
    bool Repeats(int field) const { return field > written; }
    bool BeginsWith(int field, char letter) const
    {
        const std::string& text = Field(field);
        return !text.empty() && text.front() == letter;
    }

    // By role; a role the kind does not have reads as empty, 0 or clear.
    const std::string& Text(FieldRole role) const;
    const std::string& PictureName(FieldRole role) const { return Text(role); }
    std::int32_t Number(FieldRole role) const { return ParseInt(Text(role)); }
    bool Flag(FieldRole role) const;
};

ControlLine SplitControlLine(const ControlKind& kind, std::string value);

// The non-empty lines of the kind's numbered section, split.
std::vector<ControlLine> ReadControlLines(const IniFile& ini, const ControlKind& kind);

// Composes one line of a kind; fields not given are written empty.
class ControlLineWriter {
public:
    explicit ControlLineWriter(const ControlKind& kind);

    ControlLineWriter& Text(FieldRole role, const std::string& text);
    ControlLineWriter& Number(FieldRole role, std::int64_t value);
    ControlLineWriter& Flag(FieldRole role, bool set);
    ControlLineWriter& Rect(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

    // The fields in the kind's order, joined by commas.
    std::string Line() const;

private:
    const ControlKind& m_kind;
    std::vector<std::string> m_fields;
};
