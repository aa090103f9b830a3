#pragma once
// The five kinds of control line in main.ini, field by field, and a line split
// exactly as the skin dialog splits it (NextToken, ParseRect).
#include "SkinFile.h"

#include <cstddef>
#include <string>
#include <vector>

// A flag field: set when its text begins with `letter` (upper case only).
struct FlagField {
    int field;           // 1-based
    char letter;
    const char* whenSet; // what the letter does, for reports
};

struct ControlKind {
    const char* section = nullptr;   // e.g. "BUTTONINFO"
    const char* noun = nullptr;      // e.g. "image button"
    std::vector<const char*> fields; // names of the fields the kind takes, in order
    int rectField = 0;               // 1-based field of x; y, width and height follow
    std::vector<int> numberFields;   // numeric fields besides the rectangle
    std::vector<int> pictureFields;  // picture file names, relative to main.ini
    std::vector<FlagField> flags;
    int unusedField = 0; // read and not used
    // Fields with a part of their own; 0 where the kind has none.
    int outlineField = 0;     // a ButtonEx's own mask picture
    int thumbField = 0;       // a trackbar's thumb picture
    int orientationField = 0; // a trackbar's "H" for horizontal
    int positionField = 0;    // a trackbar's position, 0 to 100
    int textField = 0;        // a label's text
    int faceField = 0;        // a label's font face, of which 31 characters are used

    int FieldCount() const { return static_cast<int>(fields.size()); }
    const char* FieldName(int field) const { return fields[static_cast<std::size_t>(field - 1)]; }
};

// In the order the skin dialog creates them.
const std::vector<ControlKind>& ControlKinds();

struct ControlLine {
    const ControlKind* kind = nullptr;
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
    bool FlagSet(const FlagField& flag) const { return BeginsWith(flag.field, flag.letter); }
};

ControlLine SplitControlLine(const ControlKind& kind, std::string value);
