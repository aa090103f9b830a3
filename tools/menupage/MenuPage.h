#pragma once
// The start menu as one self-contained HTML page that a person can try in any
// browser: the window's pictures, its outline, every control with its looks,
// tooltip and what a click on it does, and the findings about the disc. This
// is the data the page reads; filling it is the caller's (skincheck's) job,
// the writer only encodes it. Portable.
#include "skin/DisplayScale.h"
#include "skin/SkinFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace menupage {

// An outline as rectangles that do not overlap (the bands of a window region).
using Outline = std::vector<SkinRect>;

enum class PageKind { Button, ButtonEx, Label, Trackbar, Progress };

struct PageControl {
    PageKind kind = PageKind::Button;
    std::string name;
    SkinRect rect;        // in window pixels at the page's scale
    std::size_t line = 0; // its line in main.ini, to tie findings to it (0: none)
    std::string tooltip;  // buttons, ButtonExs and progress bars; empty shows none
    bool staticLook = false;

    // What a click does, in words ("opens Setup\Setup.exe"), and for a program
    // button the text it puts into the ID_INFO label.
    std::string action;
    std::optional<std::string> infoText;

    std::optional<Outline> mask; // ButtonEx: its own outline, relative to `rect`; none: no region

    // Labels.
    std::string text;
    std::uint32_t colour = 0; // 0x00BBGGRR as the line gives it
    bool bold = false;
    bool italic = false;
    std::string face;
    int fontHeight = 0; // as the font description takes it: > 0 cell, < 0 character height, 0 default

    // Trackbars: the thumb pictures (index into PageData::pictures, -1: none),
    // the orientation, the position (0 to 100) and where the thumb picture's
    // left (top) edge lies, relative to `rect`, at positions 0 and 100.
    int thumb = -1;
    int thumbDown = -1;
    bool horizontal = true;
    int position = 0;
    int thumbAt0 = 0;
    int thumbAt100 = 0;

    // Progress bars.
    bool vertical = false;
};

struct PageFinding {
    std::string severity; // "error", "warning", "note"
    std::string where;    // "disc/Data/main.ini:14"
    std::string message;
    int control = -1; // index into PageData::controls, -1: none
};

// The window as the users of one language see it: the same controls, in the
// same order, with their own pictures, texts and clicks.
struct PageView {
    std::string language; // as given ("de-AT"); empty: the base sections
    int width = 0;
    int height = 0;
    int main = -1, over = -1, down = -1, disabled = -1; // indexes into PageData::pictures
    std::optional<Outline> outline;
    std::vector<PageControl> controls;
};

struct PageData {
    std::string title; // the disc folder
    std::string language; // the view below, as given; empty: the base sections
    int scalePercent = 100;
    int width = 0; // the window, in page pixels at the scale
    int height = 0;
    std::vector<PixelImage> pictures; // the same pixels given twice are embedded once
    int main = -1, over = -1, down = -1, disabled = -1; // indexes into `pictures`, -1: does not load
    std::optional<Outline> outline; // none: the window stays rectangular
    std::vector<PageControl> controls; // in creation order: earlier ones lie above later ones
    std::vector<PageFinding> findings;
    std::vector<PageView> views; // the other languages the page can switch to, their pictures among `pictures`
};

// The page: the template built into the program with `data` filled in.
std::string WriteMenuPage(const PageData& data);

// The pieces, for the tests.
std::string PngDataUri(const PixelImage& image);
std::string JsonString(const std::string& utf8);
std::string OutlinePath(const Outline& outline);

} // namespace menupage
