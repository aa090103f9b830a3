#pragma once
// The disc as the start menu and the launcher will read it, built once and
// read-only after: every configuration file as it was read, the Screen
// pictures, every control as the menu makes it (through the one table of
// control lines), what a click on each image button does (the menu's own
// decision core), verpick's plan (the launcher's own core), the window's
// outline at 100 % and at the preview's scale, and every file the disc names.
// Building it never reports: the rules (Rules.h) and the outputs read it.
#include "app/MenuCommand.h"
#include "platform/IniDocument.h"
#include "skin/ControlLines.h"
#include "skin/DecodedPicture.h"
#include "skin/DisplayScale.h"
#include "tools/skincheck/DiscFolder.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

// A configuration file of the disc: the profile service reads its values, as
// the programs do; the parsed text says on which line each one stands. Values
// are read through the language sections of `languages`, as the menu reads
// them for a user of those languages (none: the base sections).
struct ConfigFile {
    DiscFile file;
    std::string shown; // how reports name it
    platform::IniDocument doc;
    bool read = false;            // present, and its bytes were read
    bool ansiBeyondAscii = false; // read in the ANSI code page, with letters beyond ASCII
    std::vector<std::string> languages;

    bool Present() const { return file.state == DiscFile::Present; }
    std::size_t SectionLine(const std::string& section) const;
    // The section that the key is read from: a language section, else `section`.
    std::string SectionFor(const std::string& section, const std::string& key) const;
    // The header line of the most specific language section of `section`
    // that is read; 0 when none of the languages has one.
    std::size_t LanguageSectionLine(const std::string& section) const;
    // The line of the entry that is read; 0 when the default is.
    std::size_t KeyLine(const std::string& section, const std::string& key) const;
    // The key's line, else its section's, else 0: where a missing entry belongs.
    std::size_t LineFor(const std::string& section, const std::string& key) const;
    // The whole value, however long.
    std::string Raw(const std::string& section, const std::string& key) const;
    // The value as a program reads it, through a buffer of `bufferChars`.
    std::string Value(const std::string& section, const std::string& key, std::size_t bufferChars) const;
};

// A picture named on a line of main.ini, and its @2x version beside it.
struct PictureRef {
    std::string name; // as written
    std::size_t line = 0;
    DiscFile file;
    const PictureLoad* load = nullptr; // when the file is present
    std::string twoXName;
    DiscFile twoXFile;
    const PictureLoad* twoXLoad = nullptr; // when the picture loads and the @2x file is present
    // The @2x version the menu draws from above 100 %: it loads and is exactly twice the size.
    const PixelImage* twoX = nullptr;

    const PixelImage* Picture() const { return load && load->picture ? &*load->picture : nullptr; }
};

// The window's shape: the Mask picture's size and the pixels it keeps.
struct WindowOutline {
    int width = 0; // 0: no picture gives the window a size
    int height = 0;
    bool shaped = false; // cut by a Mask picture that loads
    bool any = false;    // something of the window is kept
    std::vector<std::uint8_t> inside; // per window pixel, row by row: 1 inside the outline

    bool Inside(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < width && y < height &&
               inside[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

// The outline of a window of `frame`'s size cut by `shape` (none: the whole rectangle).
WindowOutline LayOutWindow(const PixelImage& frame, const PixelImage* shape);

struct ScreenPicture {
    const char* role; // "Main", "Mask", "Over", "Down", "Disabled"
    bool written;     // its key is in [Screen]; else it is the Main picture again
    PictureRef ref;
};

// One look of a button: the rectangle cut from one full-window picture.
struct ControlLook {
    const char* state; // "normal", "hovered", "pressed", "disabled"
    std::string picture;
    SkinRect rect;
};

struct ModelControl {
    const ControlKind* kind = nullptr;
    std::size_t line = 0;
    ControlLine fields; // split by the one table of control lines
    std::vector<std::pair<int, PictureRef>> pictures; // by field, in field order
    const PixelImage* ownMask = nullptr; // a ButtonEx's outline, when it loads
    const PictureRef* thumb = nullptr;   // a trackbar's thumb, when it loads
    int position = 0;                    // trackbars and progress bars, taken into 0 to 100
    bool horizontal = true;              // trackbars
    std::vector<ControlLook> looks;      // image buttons and ButtonEx
    // Image buttons: what a click does, and the file or folder it asked for last.
    std::vector<MenuEffect> click;
    DiscFile clickTarget;

    const std::string& Name() const { return fields.Name(); }
    bool Is(ControlKindId id) const { return kind->id == id; }
};

// config.ini beside a verpick.exe and what verpick starts on each Windows.
struct LaunchPlan {
    std::string dir; // the program directory, ending in a backslash
    ConfigFile config;
    struct Choice {
        std::string key;       // "VISTA", "XP"
        const char* windows = "";   // "Windows Vista and later"
        bool required = false;      // every Windows since 2003 reads VISTA
        std::string value;     // as verpick reads it
        std::string commandLine;
        bool found = false;    // a leading part of the value names a program on the disc
        DiscFile program;      // the part found, or the last one looked for
    };
    std::vector<Choice> choices;
};

// A program button whose entry starts verpick.exe.
struct LauncherButton {
    std::string button;
    std::string value;
    const LaunchPlan* plan = nullptr; // none: no config.ini beside it
};

// A file that the disc names, and who names it.
struct NamedFile {
    std::string written;
    DiscFile resolved;
    std::string namedBy; // a file below the disc folder
    std::size_t line = 0;
};

// The window as the preview and the page draw it: at the options' display scale.
struct ScaledWindow {
    int dpi = kBaseDpi;
    std::optional<PixelImage> main, over, down; // the looks the menu shows (it never disables a control)
    WindowOutline outline; // empty when nothing of the skin loads at this scale
    // Beside DiscModel::controls:
    std::vector<SkinRect> rects;
    std::vector<std::optional<PixelImage>> thumbs, thumbDowns; // trackbars
    std::vector<std::optional<PixelImage>> ownMasks;           // ButtonEx
};

struct DiscModel {
    DiscModel() = default;
    DiscModel(DiscModel&&) = default;
    DiscModel(const DiscModel&) = delete; // its parts point into each other

    const DiscFolder* disc = nullptr;
    // The user's language the disc is read for, as given ("de-AT"), and the
    // languages whose sections are read, most specific first; both empty for
    // the base sections.
    std::string language;
    std::vector<std::string> languages;
    PixelSize baseWindow; // for a language: the window's size from the base sections' pictures
    ConfigFile skin;
    std::vector<ScreenPicture> screen; // Main first; empty without a [Screen] section
    WindowOutline outline;             // at 100 %
    std::vector<ModelControl> controls; // in creation order
    std::optional<ConfigFile> autorun;  // read when an image button reads it
    std::vector<LauncherButton> launchers;
    std::deque<LaunchPlan> plans; // beside verpick buttons first, then beside autorun.exe
    std::vector<NamedFile> files;
    // Each picture once, in the order named, with its usable @2x version or none.
    std::vector<const PictureRef*> twoXSet;
    ScaledWindow scaled;

    std::map<std::string, PictureLoad> decoded; // by host path

    const ScreenPicture* Screen(const char* role) const;
    // The sections of `file` that language sections may give values of
    // (main.ini's and AUTORUN.INF's sections of the menu); none for others.
    std::vector<std::string> LanguageBases(const ConfigFile& file) const;
    // The tags of the language sections that the menu reads, in main.ini and
    // AUTORUN.INF, each once as first written, in the order of their normal
    // tags (a language before its regions).
    std::vector<std::string> LanguagesFound() const;
    bool HasImageButton(const std::string& name) const;
    const ModelControl* InfoLabel() const;
    // The files of the reports, in their order.
    std::vector<const ConfigFile*> Files() const;
};

// Reads the disc; the window for the preview is laid out at `dpi`. With a
// `language`, the disc as a user of that language sees it.
DiscModel BuildDiscModel(const DiscFolder& disc, int dpi, const std::string& language = "");
