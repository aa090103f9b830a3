#include "ControlLines.h"

#include <algorithm>

namespace {

std::vector<ControlKind> MakeKinds()
{
    std::vector<ControlKind> kinds(5);

    ControlKind& button = kinds[0];
    button.section = "BUTTONINFO";
    button.noun = "image button";
    button.fields = {"name", "x", "y", "width", "height", "tooltip", "look flag"};
    button.rectField = 2;
    button.flags = {{7, 'T', "the button keeps its normal look"}};

    ControlKind& buttonEx = kinds[1];
    buttonEx = button;
    buttonEx.section = "BUTTONEXINFO";
    buttonEx.noun = "ButtonEx";
    buttonEx.fields.push_back("mask picture");
    buttonEx.pictureFields = {8};
    buttonEx.outlineField = 8;

    ControlKind& label = kinds[2];
    label.section = "TEXTINFO";
    label.noun = "text label";
    label.fields = {"name",  "font face", "bold flag", "italic flag", "font height", "text colour",
                    "x",     "y",         "width",     "height",      "text",        "unused field"};
    label.rectField = 7;
    label.numberFields = {5, 6};
    label.flags = {{3, 'T', "the text is bold"}, {4, 'F', "the text is italic"}};
    label.unusedField = 12;
    label.textField = 11;
    label.faceField = 2;

    ControlKind& trackbar = kinds[3];
    trackbar.section = "TRACKBARINFO";
    trackbar.noun = "trackbar";
    trackbar.fields = {"name",  "thumb picture", "pressed-thumb picture", "x", "y", "width", "height",
                       "orientation", "position", "unused field"};
    trackbar.rectField = 4;
    trackbar.numberFields = {9};
    trackbar.pictureFields = {2, 3};
    trackbar.flags = {{8, 'H', "the trackbar is horizontal"}};
    trackbar.unusedField = 10;
    trackbar.thumbField = 2;
    trackbar.orientationField = 8;
    trackbar.positionField = 9;

    ControlKind& progress = kinds[4];
    progress.section = "PROGRESSINFO";
    progress.noun = "progress control";
    progress.fields = {"name", "tooltip", "x", "y", "width", "height", "orientation"};
    progress.rectField = 3;
    progress.flags = {{7, 'H', "the bar is vertical"}};
    return kinds;
}

} // namespace

const std::vector<ControlKind>& ControlKinds()
{
    static const std::vector<ControlKind> kinds = MakeKinds();
    return kinds;
}

ControlLine SplitControlLine(const ControlKind& kind, std::string value)
{
    ControlLine line;
    line.kind = &kind;
    line.written = static_cast<int>(std::count(value.begin(), value.end(), ',')) + 1;
    for (int field = 1; field <= kind.FieldCount(); ++field) {
        if (field == kind.rectField) {
            std::string copy = value; // the same four fields, as numbers
            line.rect = ParseRect(copy);
        }
        line.fields.push_back(NextToken(value));
    }
    if (line.written > kind.FieldCount())
        line.rest = value;
    return line;
}
