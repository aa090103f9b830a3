#pragma once
// Checks a disc folder the way the start menu and the launcher will read it:
// Data\main.ini with its pictures, AUTORUN.INF and config.ini. Reports what
// the programs would silently skip, cut, misread or fail to find.
#include "skin/ControlLines.h"
#include "skin/DisplayScale.h"
#include "tools/skincheck/DiscFolder.h"
#include "tools/skincheck/PictureDecoder.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Notes tell what the menu does with something unusual but harmless; they
// count neither as errors nor as warnings.
enum class Severity { Error, Warning, Note };

struct Finding {
    std::string file;     // below the disc folder, '/'-separated
    std::size_t line = 0; // 0: the file as a whole
    Severity severity = Severity::Warning;
    std::string message;
};

// The window at rest, for the preview.
struct WindowLayout {
    struct Control {
        const ControlKind* kind = nullptr;
        std::string name;
        SkinRect rect;
        std::optional<Picture> thumb; // trackbars
        bool horizontal = true;       // trackbars
        int position = 0;             // trackbars, 0 to 100
    };

    std::optional<Picture> main;
    int width = 0; // the window: the Mask picture's size
    int height = 0;
    std::vector<std::uint8_t> inside; // per window pixel, row by row: 1 inside the outline
    std::vector<Control> controls;

    bool Inside(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height &&
               inside[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

struct DiscReport {
    std::vector<Finding> findings; // by file (main.ini, AUTORUN.INF, config.ini), then by line
    WindowLayout window;
    struct ReadAs {
        std::string file;
        std::string encoding;
    };
    std::vector<ReadAs> encodings; // each configuration file that is present, as it was read

    std::size_t Count(Severity severity) const;
};

// The findings are always those of 100 %; the window for the preview is laid
// out at `dpi` (96 × the display scale) as the menu would lay it out there.
DiscReport CheckDisc(const DiscFolder& disc, int dpi = kBaseDpi);
