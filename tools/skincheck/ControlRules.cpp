// Control lines: each line as the menu splits it, its pictures, and where the
// control lies in the window.
#include "tools/skincheck/Rules.h"

#include "skin/MaskRuns.h"

#include <algorithm>

namespace {

constexpr std::size_t kControlLineLimit = 255; // what the format allows

// What ParseInt reads in full: blanks, an optional sign, digits, blanks.
bool IsPlainNumber(const std::string& field)
{
    std::string t(TrimBlanks(field));
    if (!t.empty() && (t[0] == '+' || t[0] == '-'))
        t.erase(0, 1);
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

void CheckLength(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const std::size_t whole = model.skin.Raw(c.kind->section, std::to_string(c.fields.key)).size();
    if (whole > IniFile::kValueBufferChars - 1)
        out.Add(model.skin, c.line, Severity::Warning, "control.line-cut",
                Subject(c) + ": the line has " + std::to_string(whole) + " characters, and only the first " +
                    std::to_string(IniFile::kValueBufferChars - 1) + " are read");
    else if (whole > kControlLineLimit)
        out.Add(model.skin, c.line, Severity::Warning, "control.line-long",
                Subject(c) + ": the line has " + std::to_string(whole) +
                    " characters, more than the 255 a control line may hold (this menu reads it in full)");
}

// A field lost or added shifts the numbers after it: one of them then
// repeats the last field or reads a text.
void CheckFieldCount(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const ControlKind& kind = *c.kind;
    const ControlLine& line = c.fields;
    const int taken = kind.FieldCount();
    const std::string counts = "the line has " + std::to_string(line.written) + " fields, " +
                               WithArticle(kind.noun) + " takes " + std::to_string(taken);
    bool shifted = false;
    for (int f = 1; f <= taken; ++f)
        if (kind.Format(f).type == FieldType::Number)
            shifted = shifted || line.Repeats(f) || !IsPlainNumber(line.Field(f));
    const Severity severity = shifted ? Severity::Error : Severity::Warning;
    if (line.written < taken) {
        std::vector<std::string> repeated;
        for (int f = line.written + 1; f <= taken; ++f)
            if (kind.Format(f).type != FieldType::Unused)
                repeated.push_back(kind.FieldName(f));
        if (!repeated.empty())
            out.Add(model.skin, c.line, severity, "control.fields-missing",
                    Subject(c) + ": " + counts + ": " + JoinFields(repeated) +
                        (repeated.size() == 1 ? " repeats" : " repeat") + " the last field " +
                        Quote(line.Field(line.written)));
    }
    if (const int text = kind.FieldOf(FieldRole::Text)) {
        // The text ends at the next comma; what follows is the unused field or beyond.
        const bool cut = line.written > taken ||
                         (line.written == taken && !line.Field(taken).empty() && !IsPlainNumber(line.Field(taken)));
        if (cut) {
            std::string rest = line.value;
            for (int f = 1; f <= text; ++f)
                NextToken(rest);
            out.Add(model.skin, c.line, severity, "control.text-cut",
                    Subject(c) + ": the text is cut at a comma: the label shows " + Quote(line.Field(text)) + ", and " +
                        Quote(rest) + " is not shown (a field cannot hold a comma)");
        }
    } else if (line.written > taken) {
        out.Add(model.skin, c.line, severity, "control.fields-extra",
                Subject(c) + ": " + counts + ": " + Quote(line.rest) + " is ignored");
    }
}

void CheckFieldValues(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const ControlKind& kind = *c.kind;
    const ControlLine& line = c.fields;
    // The rectangle first, then the other numbers.
    const int rect = kind.RectField();
    std::vector<int> numbers{rect, rect + 1, rect + 2, rect + 3};
    for (int f = 1; f <= kind.FieldCount(); ++f)
        if (kind.Format(f).type == FieldType::Number && (f < rect || f > rect + 3))
            numbers.push_back(f);
    for (int f : numbers) {
        if (line.Repeats(f) || IsPlainNumber(line.Field(f)))
            continue;
        const std::string& text = line.Field(f);
        out.Add(model.skin, c.line, Severity::Warning, "control.not-a-number",
                Subject(c) + ": the " + kind.FieldName(f) +
                    (TrimBlanks(text).empty() ? " is empty" : " " + Quote(text) + " is not a number") +
                    " and reads as " + std::to_string(ParseInt(text)));
    }
    for (int f = 1; f <= kind.FieldCount(); ++f) {
        const FieldFormat& flag = kind.Format(f);
        if (flag.type == FieldType::Flag && line.Repeats(f) && line.Flag(flag.role))
            out.Add(model.skin, c.line, Severity::Warning, "control.flag-repeats",
                    Subject(c) + ": the " + kind.FieldName(f) + " repeats the " + kind.FieldName(line.written) + " " +
                        Quote(line.Field(f)) + ", which begins with \"" + flag.letter + "\": " + flag.whenSet);
    }
    const std::string& face = line.Text(FieldRole::Face);
    if (face.size() > 31)
        out.Add(model.skin, c.line, Severity::Warning, "control.face-long",
                Subject(c) + ": the font face " + Quote(face) + " is longer than 31 characters and is cut to " +
                    Quote(face.substr(0, 31)));
}

void CheckPictures(const DiscModel& model, const ModelControl& c, Findings& out)
{
    for (const auto& [field, ref] : c.pictures) {
        const std::string role = Subject(c) + ": the " + c.kind->FieldName(field);
        CheckPictureRef(model, ref, role, out);
        if (!ref.Picture() || c.kind->Format(field).role != FieldRole::Mask)
            continue;
        const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
        const auto& pixels = ref.Picture()->pixels;
        if (std::all_of(pixels.begin(), pixels.end(), [&](std::uint32_t p) { return cut.Contains(p); }))
            out.Add(model.skin, c.line, Severity::Error, "control.mask-cuts-all",
                    role + " " + Quote(ref.name) + " is magenta everywhere: the button can be neither seen nor clicked");
        else
            CheckMaskCuts(model, *ref.load, role + " " + Quote(ref.name), c.line, out);
        CheckTwoXMask(model, ref, role, out);
    }
}

void CheckPosition(const DiscModel& model, const ModelControl& c, Findings& out)
{
    if (!c.kind->FieldOf(FieldRole::Position))
        return;
    const std::int32_t position = c.fields.Number(FieldRole::Position);
    if (position != c.position)
        out.Add(model.skin, c.line, Severity::Warning, "control.position",
                Subject(c) + ": the position " + std::to_string(position) + " lies outside 0 to 100 and is taken as " +
                    std::to_string(c.position));
}

// "H" makes a trackbar horizontal but a progress bar vertical: a bar that
// runs across its short side was given the other letter.
void CheckOrientation(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const ControlKind& kind = *c.kind;
    for (FieldRole role : {FieldRole::Horizontal, FieldRole::Vertical}) {
        const int field = kind.FieldOf(role);
        if (!field)
            continue;
        const bool vertical = c.fields.Flag(role) == (role == FieldRole::Vertical);
        const std::int64_t w = c.fields.rect.Width(), h = c.fields.rect.Height();
        if (w <= 0 || h <= 0 || (vertical ? w <= h : h <= w))
            continue;
        out.Add(model.skin, c.line, Severity::Warning, "control.orientation",
                Subject(c) + ": the " + kind.FieldName(field) + " " + Quote(c.fields.Field(field)) + " makes it " +
                    (vertical ? "vertical" : "horizontal") + " (\"" + kind.Format(field).letter + "\" makes " +
                    WithArticle(kind.noun) + " " + (role == FieldRole::Vertical ? "vertical" : "horizontal") +
                    "), but it is " + Size(static_cast<int>(w), static_cast<int>(h)) + ", " +
                    (vertical ? "wider than high" : "higher than wide"));
    }
}

// How many of the control's own pixels (a ButtonEx shows only its own
// outline) lie in the window, and how many of those the Mask cuts away.
void CountCutAway(const WindowOutline& window, const ModelControl& c, std::int64_t left, std::int64_t top,
                  std::int64_t right, std::int64_t bottom, std::size_t& own, std::size_t& cutAway)
{
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    const SkinRect& r = c.fields.rect;
    for (std::int64_t y = top; y < bottom; ++y)
        for (std::int64_t x = left; x < right; ++x) {
            if (c.ownMask) {
                const std::int64_t mx = x - r.left, my = y - r.top;
                if (mx >= c.ownMask->size.width || my >= c.ownMask->size.height ||
                    cut.Contains(c.ownMask->At(static_cast<int>(mx), static_cast<int>(my))))
                    continue;
            }
            ++own;
            cutAway += !window.Inside(static_cast<int>(x), static_cast<int>(y));
        }
}

void CheckPlacement(const DiscModel& model, const ModelControl& c, Findings& out)
{
    const SkinRect& r = c.fields.rect;
    if (r.Width() <= 0 || r.Height() <= 0)
        return out.Add(model.skin, c.line, Severity::Error, "control.no-area",
                       Subject(c) + ": it has no area (width " + std::to_string(r.Width()) + ", height " +
                           std::to_string(r.Height()) + ")");
    const WindowOutline& window = model.outline;
    if (window.width == 0)
        return; // no picture gives the window a size
    const std::string frame = "the " + Size(window.width, window.height) + " window (the Mask picture)";
    const std::int64_t left = std::max<std::int64_t>(r.left, 0), top = std::max<std::int64_t>(r.top, 0);
    const std::int64_t right = std::min<std::int64_t>(r.right, window.width);
    const std::int64_t bottom = std::min<std::int64_t>(r.bottom, window.height);
    if (left >= right || top >= bottom)
        return out.Add(model.skin, c.line, Severity::Error, "control.outside",
                       Subject(c) + ": it lies outside " + frame + " and is never seen");
    if (left != r.left || top != r.top || right != r.right || bottom != r.bottom)
        out.Add(model.skin, c.line, Severity::Warning, "control.beyond", Subject(c) + ": it reaches beyond " + frame);
    if (!window.shaped)
        return;
    std::size_t own = 0, cutAway = 0;
    CountCutAway(window, c, left, top, right, bottom, own, cutAway);
    if (cutAway && cutAway == own)
        out.Add(model.skin, c.line, Severity::Error, "control.cut-away",
                Subject(c) + ": it lies wholly in the part of the window that the Mask picture cuts away");
    else if (cutAway)
        out.Add(model.skin, c.line, Severity::Warning, "control.partly-cut-away",
                Subject(c) + ": " + std::to_string(cutAway) + " of its " + std::to_string(own) +
                    " pixels lie in the part of the window that the Mask picture cuts away");
}

} // namespace

void CheckControlLines(const DiscModel& model, Findings& out)
{
    for (const ModelControl& c : model.controls)
        for (auto rule : {CheckLength, CheckFieldCount, CheckFieldValues, CheckPictures, CheckPosition,
                          CheckOrientation, CheckPlacement})
            rule(model, c, out);
}
