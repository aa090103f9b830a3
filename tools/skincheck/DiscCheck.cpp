#include "tools/skincheck/DiscCheck.h"

#include "app/AppPaths.h"
#include "platform/FileSystem.h"
#include "platform/IniDocument.h"
#include "launcher/LaunchPlan.h"
#include "skin/MaskRuns.h"
#include "app/MenuCommand.h"
#include "skin/MessageTexts.h"
#include "skin/PictureAtDpi.h"
#include "tools/skincheck/NearNames.h"
#include "platform/Profile.h"
#include "skin/SkinFile.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace {

constexpr std::size_t kWholeValue = std::numeric_limits<std::size_t>::max();
constexpr std::size_t kControlLineLimit = 255;       // what the format allows
constexpr const char* kInfoLabel = kInfoLabelName;

std::string Quote(const std::string& s) { return "\"" + s + "\""; }

std::string Size(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

using platform::EqualNoCase;

// What ParseInt reads in full: blanks, an optional sign, digits, blanks.
bool IsPlainNumber(const std::string& field)
{
    std::string t(TrimBlanks(field));
    if (!t.empty() && (t[0] == '+' || t[0] == '-'))
        t.erase(0, 1);
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string WithArticle(const std::string& noun)
{
    return (std::string("aeiouAEIOU").find(noun.front()) != std::string::npos ? "an " : "a ") + noun;
}

// "the a", "the a and the b", "the a, the b and the c"
std::string JoinFields(const std::vector<std::string>& names)
{
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            out += i + 1 == names.size() ? " and " : ", ";
        out += "the " + names[i];
    }
    return out;
}

// A configuration file of the disc: the profile service reads its values,
// as the programs do; the parsed text says on which line each one stands.
struct IniSource {
    DiscFile file;
    std::string shown; // how reports name it
    platform::IniDocument doc;

    bool Present() const { return file.state == DiscFile::Present; }

    std::size_t SectionLine(const std::string& section) const
    {
        for (const auto& header : doc.SectionHeaders())
            if (EqualNoCase(header.name, section))
                return header.line;
        return 0;
    }
    // The key's line, else its section's, else 0: where a missing entry belongs.
    std::size_t LineFor(const std::string& section, const std::string& key) const
    {
        const std::size_t line = doc.KeyLine(section, key);
        return line ? line : SectionLine(section);
    }
    std::string Raw(const std::string& section, const std::string& key) const
    {
        return doc.GetString(section, key, "", kWholeValue);
    }
};

// Marks the window's inside from `shape` by the same run scan that shapes the
// window; false when the mask cuts everything away.
bool MarkInside(WindowLayout& window, const Picture& shape)
{
    MaskPixels pixels{shape.pixels.data(), static_cast<std::ptrdiff_t>(shape.width) * 4, shape.width, shape.height};
    bool any = false;
    RunBuffer runs([&](const RunBatch& batch) {
        for (std::size_t i = 0; i < batch.count; ++i) {
            const SkinRect& r = batch.rects[i];
            std::fill_n(window.inside.begin() + static_cast<std::ptrdiff_t>(r.top) * shape.width + r.left, r.Width(),
                        std::uint8_t(1));
            any = true;
        }
        return true;
    });
    CollectMaskRuns(pixels, TransparentRange(kSkinCutColour, kSkinCutTolerance), runs);
    return any;
}

class Checker {
public:
    Checker(const DiscFolder& disc, int dpi) : m_disc(disc), m_dpi(dpi) {}

    DiscReport Run();

private:
    struct Control {
        const ControlKind* kind;
        std::string name;
        std::size_t line;
        SkinRect rect;
        const Picture* ownMask = nullptr; // a ButtonEx's outline, when it loads
    };

    IniSource Open(const std::string& fullPath, const std::string& fallbackName);
    void Report(const IniSource& src, std::size_t line, Severity severity, const std::string& message);

    void CheckSections(const IniSource& src, const std::vector<std::string>& sections);
    void CheckMisspeltSections(const IniSource& src, const std::vector<std::string>& sections);
    void CheckRepeatedKeys(const IniSource& src, const std::string& section);

    const PictureLoad& LoadPicture(const DiscFile& file);
    // The picture `name` beside main.ini, or none after reporting why not.
    const Picture* SkinPicture(const std::string& what, const std::string& name, std::size_t line);
    void CheckCutColours(const Picture& mask, const std::string& what, std::size_t line);
    void CheckSeeThrough(const Picture& mask, const std::string& what, std::size_t line);
    void CheckTwoX(const std::string& what, const std::string& name, std::size_t line, const DiscFile& oneXFile,
                   const Picture& oneX);
    void CheckTwoXSet();
    // The usable @2x version of the mask `name` cuts as carefully as the mask.
    void CheckTwoXMask(const std::string& role, const std::string& name, std::size_t line);
    // The picture `name` at the preview's DPI, by the menu's rules; none when it does not load.
    std::optional<Picture> AtDpi(const std::string& name, PictureUse use);
    void ScaleWindow();
    void CheckOutlineSize(const Picture& mask, const std::string& what, std::size_t line);

    void CheckSkin();
    void CheckScreen();
    void CheckSection(const ControlKind& kind);
    void CheckControlLine(const ControlLine& control, const std::string& key, std::size_t line);
    void CheckFields(const ControlLine& control, const std::string& subject, std::size_t line);
    void CheckPlacement(const ControlLine& control, const std::string& subject, std::size_t line,
                        const Picture* ownMask);
    void CheckNames();
    void CheckCommandName(const Control& c, const std::string& subject);
    void CheckOrientation(const ControlLine& control, const std::string& subject, std::size_t line);
    void CheckCovered();

    void CheckAutorun();
    void CheckProgramButton(const IniSource& inf, const std::string& name);
    void CheckHomePage(const IniSource& inf);
    void CheckUnreadEntries(const IniSource& inf);
    void CheckLaunchers(const IniSource& inf, const std::vector<std::string>& programButtons);
    void CheckConfig(const std::string& dir);

    bool HasImageButton(const std::string& name) const;

    const DiscFolder& m_disc;
    const int m_dpi; // the preview's
    AppPaths m_paths;
    DiscReport m_report;
    std::vector<std::string> m_files; // in the order of the reports
    IniSource m_skin;
    std::map<std::string, PictureLoad> m_pictures; // by host path
    std::vector<Control> m_controls;
    std::optional<Picture> m_mask;
    std::string m_mainName, m_shapeName;   // the window's pictures, for the scaled preview
    std::vector<std::string> m_thumbNames; // beside m_report.window.controls
    struct TwoX {
        std::string oneXHostPath, name;
        const Picture* usable; // the @2x picture, when it is used
    };
    std::vector<TwoX> m_twoX; // each picture once, in the order named
    std::set<std::string> m_configDirs; // config.ini files checked, by folder
};

DiscReport Checker::Run()
{
    m_paths = PathsFromModule(m_disc.ProgramDir() + "autorun.exe");
    CheckSkin();
    CheckAutorun();
    CheckConfig(m_disc.ProgramDir());
    std::stable_sort(m_report.findings.begin(), m_report.findings.end(), [this](const Finding& a, const Finding& b) {
        const auto rank = [this](const std::string& file) {
            return std::find(m_files.begin(), m_files.end(), file) - m_files.begin();
        };
        return rank(a.file) != rank(b.file) ? rank(a.file) < rank(b.file) : a.line < b.line;
    });
    return std::move(m_report);
}

IniSource Checker::Open(const std::string& fullPath, const std::string& fallbackName)
{
    IniSource src;
    src.file = m_disc.Find(fullPath, false);
    src.shown = src.file.relative.empty() ? fallbackName : src.file.relative;
    if (src.Present())
        if (auto bytes = platform::ReadWholeFile(src.file.hostPath)) {
            src.doc = platform::IniDocument::Parse(*bytes);
            m_report.encodings.push_back({src.shown, platform::EncodingName(src.doc.Encoding())});
            const bool nonAscii = std::any_of(bytes->begin(), bytes->end(),
                                              [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
            if (src.doc.Encoding() == platform::TextEncoding::Ansi && nonAscii)
                m_report.findings.push_back(
                    Finding{src.shown, 0, Severity::Warning,
                            "holds letters beyond ASCII that are not UTF-8: they are read in the ANSI code page "
                            "and shown differently on a Windows set to another language; save the file as UTF-8"});
        }
    m_files.push_back(src.shown);
    return src;
}

void Checker::Report(const IniSource& src, std::size_t line, Severity severity, const std::string& message)
{
    m_report.findings.push_back(Finding{src.shown, line, severity, message});
}

// Only the first of two sections of the same name is read: the controls of a
// second control section never appear.
void Checker::CheckSections(const IniSource& src, const std::vector<std::string>& sections)
{
    std::map<std::string, std::size_t> first;
    for (const auto& header : src.doc.SectionHeaders()) {
        const auto known = std::find_if(sections.begin(), sections.end(),
                                        [&](const std::string& s) { return EqualNoCase(s, header.name); });
        if (known == sections.end())
            continue;
        auto [it, isFirst] = first.emplace(*known, header.line);
        const bool controls = &src == &m_skin && !EqualNoCase(*known, "Screen");
        if (!isFirst)
            Report(src, header.line, controls ? Severity::Error : Severity::Warning,
                   "a second [" + header.name + "] section is never read (the first is on line " +
                       std::to_string(it->second) + ")");
    }
    CheckMisspeltSections(src, sections);
}

// A section the programs do not read, named nearly as one they do.
void Checker::CheckMisspeltSections(const IniSource& src, const std::vector<std::string>& sections)
{
    for (const auto& header : src.doc.SectionHeaders()) {
        if (std::any_of(sections.begin(), sections.end(), [&](const std::string& s) { return EqualNoCase(s, header.name); }))
            continue;
        const std::string meant = ProbablyMeant(header.name, sections);
        if (meant.empty())
            continue;
        const std::size_t keys = src.doc.GetKeyNamesWithLines(header.name, IniFile::kKeyListBufferChars).size();
        Report(src, header.line, keys ? Severity::Error : Severity::Warning,
               "[" + header.name + "] is never read" +
                   (keys ? ", nor its " + std::to_string(keys) + (keys == 1 ? " key" : " keys") : std::string()) +
                   ": probably [" + meant + "] was meant");
    }
}

// Of two lines with the same key, only the first is read.
void Checker::CheckRepeatedKeys(const IniSource& src, const std::string& section)
{
    std::vector<platform::IniDocument::Located> seen;
    for (const auto& key : src.doc.GetKeyNamesWithLines(section, IniFile::kKeyListBufferChars)) {
        const auto earlier = std::find_if(seen.begin(), seen.end(), [&](const auto& k) { return EqualNoCase(k.name, key.name); });
        if (earlier != seen.end())
            Report(src, key.line, Severity::Warning,
                   "[" + section + "] " + key.name + " is never read: line " + std::to_string(earlier->line) +
                       " has the same key");
        else
            seen.push_back(key);
    }
}

const PictureLoad& Checker::LoadPicture(const DiscFile& file)
{
    auto it = m_pictures.find(file.hostPath);
    if (it == m_pictures.end()) {
        PictureLoad load;
        if (auto bytes = platform::ReadWholeFile(file.hostPath, kMaxPictureFileBytes))
            load = DecodePicture(*bytes);
        else
            load.problem = "the file cannot be read, or is too large";
        it = m_pictures.emplace(file.hostPath, std::move(load)).first;
    }
    return it->second;
}

const Picture* Checker::SkinPicture(const std::string& what, const std::string& name, std::size_t line)
{
    if (name.empty()) {
        Report(m_skin, line, Severity::Error, what + " is not named");
        return nullptr;
    }
    const DiscFile file = m_disc.Find(PicturePath(m_skin.file.hostPath, name), false);
    switch (file.state) {
    case DiscFile::Outside:
        Report(m_skin, line, Severity::Error, what + " " + Quote(name) + " lies outside the disc folder");
        return nullptr;
    case DiscFile::Missing:
    case DiscFile::Assumed: // pictures are never built
        Report(m_skin, line, Severity::Error, what + " " + Quote(name) + " is not on the disc");
        return nullptr;
    case DiscFile::Present:
        break;
    }
    const PictureLoad& load = LoadPicture(file);
    if (!load.picture) {
        Report(m_skin, line, Severity::Error, what + " " + Quote(name) + " does not load: " + load.problem);
        return nullptr;
    }
    if (!load.damage.empty())
        Report(m_skin, line, Severity::Warning, what + " " + Quote(name) + " loads, but " + load.damage);
    CheckTwoX(what, name, line, file, *load.picture);
    return &*load.picture;
}

// A picture's @2x version, drawn from at display scales above 100 %: used only
// when it loads and is exactly twice the picture's size.
void Checker::CheckTwoX(const std::string& what, const std::string& name, std::size_t line, const DiscFile& oneXFile,
                        const Picture& oneX)
{
    const std::string twoXName = TwoXPictureName(name);
    const DiscFile file = m_disc.Find(PicturePath(m_skin.file.hostPath, twoXName), false);
    std::string problem;
    const Picture* usable = nullptr;
    if (file.state == DiscFile::Present) {
        const PictureLoad& load = LoadPicture(file);
        const PixelSize size = load.picture ? PixelSize{load.picture->width, load.picture->height} : PixelSize{};
        if (!load.picture)
            problem = "does not load (" + load.problem + ")";
        else if (JudgeTwoX(2 * kBaseDpi, {oneX.width, oneX.height}, &size) == TwoXVerdict::WrongSize)
            problem = "is " + Size(size.width, size.height) + ", not twice the size of " + Quote(name) + " (" +
                      Size(2 * oneX.width, 2 * oneX.height) + ")";
        if (!problem.empty())
            Report(m_skin, line, Severity::Warning,
                   what + " " + Quote(twoXName) + " " + problem + ": it is ignored, and " + Quote(name) +
                       " is enlarged instead at display scales above 100 %");
        else
            usable = &*load.picture;
    }
    if (std::none_of(m_twoX.begin(), m_twoX.end(), [&](const TwoX& t) { return t.oneXHostPath == oneXFile.hostPath; }))
        m_twoX.push_back({oneXFile.hostPath, name, usable});
}

void Checker::CheckTwoXMask(const std::string& role, const std::string& name, std::size_t line)
{
    const auto twoX = std::find_if(m_twoX.begin(), m_twoX.end(), [&](const TwoX& t) { return t.name == name; });
    if (twoX != m_twoX.end() && twoX->usable)
        CheckCutColours(*twoX->usable, role + " " + Quote(TwoXPictureName(name)), line);
}

// Some pictures sharp at 200 % and others enlarged look mismatched side by side.
void Checker::CheckTwoXSet()
{
    std::string without;
    std::size_t count = 0;
    for (const TwoX& t : m_twoX)
        if (!t.usable)
            without += (count++ ? ", " : "") + Quote(t.name);
    if (count == 0 || count == m_twoX.size())
        return;
    Report(m_skin, 0, Severity::Warning,
           std::to_string(m_twoX.size() - count) + " of " + std::to_string(m_twoX.size()) +
               " pictures have a usable @2x version, but " + without + (count == 1 ? " has" : " have") +
               " none: above 100 % display scale they are enlarged and look blurred beside the others");
}

std::optional<Picture> Checker::AtDpi(const std::string& name, PictureUse use)
{
    const PictureAtDpiResult scaled =
        PictureAtDpi(name, m_dpi, use, [this](const std::string& path) -> std::optional<PixelImage> {
            const DiscFile file = m_disc.Find(PicturePath(m_skin.file.hostPath, path), false);
            const PictureLoad* load = file.state == DiscFile::Present ? &LoadPicture(file) : nullptr;
            if (!load || !load->picture)
                return std::nullopt;
            return PixelImage{{load->picture->width, load->picture->height}, load->picture->pixels};
        });
    if (scaled.image.pixels.empty())
        return std::nullopt;
    return Picture{scaled.image.size.width, scaled.image.size.height, scaled.image.pixels};
}

// The window for the preview at another display scale: every picture by the
// menu's rules, every rectangle by its edges. The checks above stay at 100 %.
void Checker::ScaleWindow()
{
    WindowLayout& window = m_report.window;
    if (m_dpi == kBaseDpi || window.width == 0)
        return;
    if (window.main)
        window.main = AtDpi(m_mainName, PictureUse::Colour);
    const std::optional<Picture> shape =
        m_shapeName.empty() ? std::nullopt : AtDpi(m_shapeName, PictureUse::Mask);
    const Picture* frame = m_shapeName.empty() ? (window.main ? &*window.main : nullptr) : (shape ? &*shape : nullptr);
    if (!frame) {
        window = WindowLayout{}; // too large to draw at this scale
        return;
    }
    window.width = frame->width;
    window.height = frame->height;
    window.inside.assign(static_cast<std::size_t>(frame->width) * static_cast<std::size_t>(frame->height),
                         shape ? 0 : 1);
    if (shape)
        MarkInside(window, *shape);
    for (std::size_t i = 0; i < window.controls.size(); ++i) {
        WindowLayout::Control& c = window.controls[i];
        c.rect = ScaleRect(c.rect, m_dpi);
        if (c.thumb)
            c.thumb = AtDpi(m_thumbNames[i], PictureUse::Colour);
    }
}

// Lossy compression and careless painting leave pixels that look magenta but
// miss the cut colour: they stay in the window as specks along the outline.
void Checker::CheckCutColours(const Picture& mask, const std::string& what, std::size_t line)
{
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    std::size_t near = 0;
    for (std::uint32_t pixel : mask.pixels) {
        const std::uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        if (r >= 0xE0 && b >= 0xE0 && g <= 0x30 && !cut.Contains(pixel))
            ++near;
    }
    if (near)
        Report(m_skin, line, Severity::Warning,
               what + ": " + std::to_string(near) +
                   " pixels are nearly magenta but are not cut away (that takes red and blue 255, green 0 to 16)");
    CheckSeeThrough(mask, what, line);
    CheckOutlineSize(mask, what, line);
}

// An outline of too many rectangles is not given to the window at all.
void Checker::CheckOutlineSize(const Picture& mask, const std::string& what, std::size_t line)
{
    RegionRectCount rects;
    RunBuffer runs([&](const RunBatch& batch) { return rects.AddWithinLimit(batch); });
    const MaskPixels pixels{mask.pixels.data(), static_cast<std::ptrdiff_t>(mask.width) * 4, mask.width, mask.height};
    if (!CollectMaskRuns(pixels, TransparentRange(kSkinCutColour, kSkinCutTolerance), runs))
        Report(m_skin, line, Severity::Warning,
               what + ": its outline takes more than " + std::to_string(kMaxRegionRects) +
                   " rectangles, more than the menu gives a window: it stays rectangular, and a message says "
                   "that its outline could not be made");
}

// A mask drawn with transparency, as for the web: the loader ignores it, so
// those pixels stay in the window in whatever colour they hold.
void Checker::CheckSeeThrough(const Picture& mask, const std::string& what, std::size_t line)
{
    const auto load = std::find_if(m_pictures.begin(), m_pictures.end(), [&](const auto& p) {
        return p.second.picture && &*p.second.picture == &mask;
    });
    if (load == m_pictures.end() || load->second.seeThrough.size() != mask.pixels.size())
        return;
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < mask.pixels.size(); ++i)
        kept += load->second.seeThrough[i] && !cut.Contains(mask.pixels[i]);
    if (kept)
        Report(m_skin, line, Severity::Warning,
               what + ": " + std::to_string(kept) +
                   " pixels are transparent in the file, but the menu ignores transparency and cuts away only magenta: "
                   "they stay in the window");
}

void Checker::CheckSkin()
{
    m_skin = Open(m_paths.skinPath, "Data/main.ini");
    if (!m_skin.Present()) {
        Report(m_skin, 0, Severity::Error, "not found: the menu opens as an empty window");
        return;
    }
    std::vector<std::string> sections{"Screen"};
    for (const auto& kind : ControlKinds())
        sections.push_back(kind.section);
    CheckSections(m_skin, sections);
    CheckScreen();
    for (const auto& kind : ControlKinds())
        CheckSection(kind);
    CheckNames();
    CheckCovered();
    CheckTwoXSet();
    ScaleWindow();
}

void Checker::CheckScreen()
{
    const IniFile ini(m_skin.file.hostPath);
    const char* const roles[] = {"Main", "Mask", "Over", "Down", "Disabled"};
    const std::size_t screenLine = m_skin.SectionLine("Screen");
    if (!screenLine) {
        Report(m_skin, 0, Severity::Error, "no [Screen] section: the window has no pictures");
        return;
    }
    for (const auto& key : m_skin.doc.GetKeyNamesWithLines("Screen", IniFile::kKeyListBufferChars)) {
        if (std::any_of(std::begin(roles), std::end(roles), [&](const char* r) { return EqualNoCase(r, key.name); }))
            continue;
        const std::string meant = ProbablyMeant(key.name, {std::begin(roles), std::end(roles)});
        Report(m_skin, key.line, Severity::Warning,
               "[Screen] " + key.name + " is never read: " +
                   (meant.empty() ? "the keys are Main, Mask, Over, Down and Disabled" : "probably " + meant + " was meant"));
    }
    CheckRepeatedKeys(m_skin, "Screen");

    // As the skin dialog reads them: the other four default to Main.
    const std::string main = ini.GetString("Screen", "Main", "");
    struct Loaded {
        std::string role;
        std::string name;
        std::size_t line;
        const Picture* picture;
    };
    std::vector<Loaded> loaded;
    for (const char* role : roles) {
        const std::size_t keyLine = m_skin.doc.KeyLine("Screen", role);
        if (role != std::string("Main") && !keyLine)
            continue; // the Main picture again, checked once
        Loaded l{role, ini.GetString("Screen", role, main), keyLine ? keyLine : screenLine, nullptr};
        l.picture = SkinPicture("the " + l.role + " picture", l.name, l.line);
        loaded.push_back(l);
    }
    const Loaded& mainLoaded = loaded.front();
    const auto maskIt = std::find_if(loaded.begin(), loaded.end(), [](const Loaded& l) { return l.role == "Mask"; });
    const Loaded& maskLoaded = maskIt != loaded.end() ? *maskIt : mainLoaded;

    // Without its Mask picture the window keeps the Main picture's size and no outline.
    WindowLayout& window = m_report.window;
    if (mainLoaded.picture)
        window.main = *mainLoaded.picture;
    m_mainName = mainLoaded.name;
    const Picture* shape = maskLoaded.picture;
    const Picture* frame = shape ? shape : mainLoaded.picture;
    if (!frame)
        return;
    window.width = frame->width;
    window.height = frame->height;
    window.inside.assign(static_cast<std::size_t>(frame->width) * static_cast<std::size_t>(frame->height),
                         shape ? 0 : 1);
    if (!shape)
        return;
    m_mask = *shape;
    m_shapeName = maskLoaded.name;

    // A larger picture is cut to the window (its top-left part shows); a
    // smaller one leaves part of the window without it.
    for (const auto& l : loaded) {
        if (!l.picture || &l == &maskLoaded || (l.picture->width == shape->width && l.picture->height == shape->height))
            continue;
        const bool covers = l.picture->width >= shape->width && l.picture->height >= shape->height;
        Report(m_skin, l.line, covers ? Severity::Note : Severity::Warning,
               "the " + l.role + " picture " + Quote(l.name) + " is " + Size(l.picture->width, l.picture->height) +
                   ", but the Mask picture (the window) is " + Size(shape->width, shape->height) +
                   (covers ? ": the menu shows its top-left part" : ""));
    }

    const bool any = MarkInside(window, *shape);
    const std::string what = "the Mask picture " + Quote(maskLoaded.name);
    if (!any)
        Report(m_skin, maskLoaded.line, Severity::Error, what + " is magenta everywhere: the window shows nothing");
    else
        CheckCutColours(*shape, what, maskLoaded.line);
    CheckTwoXMask("the Mask picture", maskLoaded.name, maskLoaded.line);
}

void Checker::CheckSection(const ControlKind& kind)
{
    const std::string section = kind.section;
    const auto listed = m_skin.doc.GetKeyNamesWithLines(section, IniFile::kKeyListBufferChars);
    const std::size_t count = listed.size();

    // The dialog reads keys "1" to N, N being how many keys the section lists.
    std::set<std::size_t> readLines;
    std::vector<std::size_t> missing;
    for (std::size_t i = 1; i <= count; ++i) {
        if (std::size_t line = m_skin.doc.KeyLine(section, std::to_string(i)))
            readLines.insert(line);
        else
            missing.push_back(i);
    }
    for (const auto& key : listed) {
        if (readLines.count(key.line))
            continue;
        std::string why;
        const auto same = std::find_if(listed.begin(), listed.end(), [&](const auto& k) {
            return k.line != key.line && EqualNoCase(k.name, key.name) && readLines.count(k.line);
        });
        if (same != listed.end()) {
            why = "line " + std::to_string(same->line) + " has the same key";
        } else {
            why = "the section lists " + std::to_string(count) + " keys, so the menu reads keys 1 to " +
                  std::to_string(count);
            if (!missing.empty()) {
                why += missing.size() == 1 ? ", and key " : ", and keys ";
                for (std::size_t m = 0; m < missing.size(); ++m)
                    why += (m ? (m + 1 == missing.size() ? " and " : ", ") : "") + std::to_string(missing[m]);
                why += missing.size() == 1 ? " is missing" : " are missing";
            }
        }
        Report(m_skin, key.line, Severity::Error, "[" + section + "] key " + Quote(key.name) + " is never read: " + why);
    }

    for (const ControlLine& control : ReadControlLines(IniFile(m_skin.file.hostPath), kind)) {
        const std::string key = std::to_string(control.key);
        CheckControlLine(control, key, m_skin.doc.KeyLine(section, key));
    }
}

void Checker::CheckControlLine(const ControlLine& control, const std::string& key, std::size_t line)
{
    const ControlKind& kind = *control.kind;
    const std::string subject = std::string(kind.noun) + " " + Quote(control.Name());
    m_controls.push_back({&kind, control.Name(), line, control.rect});

    const std::size_t whole = m_skin.Raw(kind.section, key).size();
    if (whole > IniFile::kValueBufferChars - 1)
        Report(m_skin, line, Severity::Warning,
               subject + ": the line has " + std::to_string(whole) + " characters, and only the first " +
                   std::to_string(IniFile::kValueBufferChars - 1) + " are read");
    else if (whole > kControlLineLimit)
        Report(m_skin, line, Severity::Warning,
               subject + ": the line has " + std::to_string(whole) +
                   " characters, more than the 255 a control line may hold (this menu reads it in full)");

    CheckFields(control, subject, line);

    const Picture* ownMask = nullptr;
    std::string thumbName;
    WindowLayout::Control shown{&kind, control.Name(), control.rect, std::nullopt, true, 0};
    for (int field = 1; field <= kind.FieldCount(); ++field) {
        if (kind.Format(field).type != FieldType::Picture)
            continue;
        const std::string role = subject + ": the " + kind.FieldName(field);
        const std::string what = role + " " + Quote(control.Field(field));
        const Picture* picture = SkinPicture(role, control.Field(field), line);
        if (!picture)
            continue;
        if (kind.Format(field).role == FieldRole::Thumb) {
            shown.thumb = *picture;
            thumbName = control.Field(field);
        }
        if (kind.Format(field).role != FieldRole::Mask)
            continue;
        ownMask = picture;
        m_controls.back().ownMask = picture;
        const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
        if (std::all_of(picture->pixels.begin(), picture->pixels.end(), [&](std::uint32_t p) { return cut.Contains(p); }))
            Report(m_skin, line, Severity::Error,
                   what + " is magenta everywhere: the button can be neither seen nor clicked");
        else
            CheckCutColours(*picture, what, line);
        CheckTwoXMask(role, control.Field(field), line);
    }
    if (kind.FieldOf(FieldRole::Position)) {
        const std::int32_t position = control.Number(FieldRole::Position);
        shown.position = std::clamp<std::int32_t>(position, 0, 100);
        shown.horizontal = control.Flag(FieldRole::Horizontal);
        if (position != shown.position)
            Report(m_skin, line, Severity::Warning,
                   subject + ": the position " + std::to_string(position) + " lies outside 0 to 100 and is taken as " +
                       std::to_string(shown.position));
    }
    m_report.window.controls.push_back(std::move(shown));
    m_thumbNames.push_back(thumbName);

    CheckOrientation(control, subject, line);
    CheckPlacement(control, subject, line, ownMask);
}

void Checker::CheckFields(const ControlLine& control, const std::string& subject, std::size_t line)
{
    const ControlKind& kind = *control.kind;
    const int taken = kind.FieldCount();
    const auto fieldName = [&](int field) { return std::string(kind.FieldName(field)); };
    const std::string counts = "the line has " + std::to_string(control.written) + " fields, " +
                               WithArticle(kind.noun) + " takes " + std::to_string(taken);
    // A field lost or added shifts the numbers after it: one of them then
    // repeats the last field or reads a text.
    bool shifted = false;
    for (int f = 1; f <= taken; ++f)
        if (kind.Format(f).type == FieldType::Number)
            shifted = shifted || control.Repeats(f) || !IsPlainNumber(control.Field(f));
    const Severity countSeverity = shifted ? Severity::Error : Severity::Warning;

    if (control.written < taken) {
        std::vector<std::string> repeated;
        for (int f = control.written + 1; f <= taken; ++f)
            if (kind.Format(f).type != FieldType::Unused)
                repeated.push_back(fieldName(f));
        if (!repeated.empty())
            Report(m_skin, line, countSeverity,
                   subject + ": " + counts + ": " + JoinFields(repeated) + (repeated.size() == 1 ? " repeats" : " repeat") +
                       " the last field " + Quote(control.Field(control.written)));
    }

    if (const int text = kind.FieldOf(FieldRole::Text)) {
        // The text ends at the next comma; what follows is the unused field or beyond.
        const bool cut = control.written > taken ||
                         (control.written == taken && !control.Field(taken).empty() && !IsPlainNumber(control.Field(taken)));
        if (cut) {
            std::string rest = control.value;
            for (int f = 1; f <= text; ++f)
                NextToken(rest);
            Report(m_skin, line, countSeverity,
                   subject + ": the text is cut at a comma: the label shows " + Quote(control.Field(text)) + ", and " +
                       Quote(rest) + " is not shown (a field cannot hold a comma)");
        }
    } else if (control.written > taken) {
        Report(m_skin, line, countSeverity, subject + ": " + counts + ": " + Quote(control.rest) + " is ignored");
    }

    // The rectangle first, then the other numbers.
    const int rect = kind.RectField();
    std::vector<int> numbers{rect, rect + 1, rect + 2, rect + 3};
    for (int f = 1; f <= kind.FieldCount(); ++f)
        if (kind.Format(f).type == FieldType::Number && (f < rect || f > rect + 3))
            numbers.push_back(f);
    for (int f : numbers) {
        if (control.Repeats(f) || IsPlainNumber(control.Field(f)))
            continue;
        const std::string& text = control.Field(f);
        Report(m_skin, line, Severity::Warning,
               subject + ": the " + fieldName(f) +
                   (TrimBlanks(text).empty() ? " is empty"
                                       : " " + Quote(text) + " is not a number") +
                   " and reads as " + std::to_string(ParseInt(text)));
    }

    for (int f = 1; f <= kind.FieldCount(); ++f) {
        const FieldFormat& flag = kind.Format(f);
        if (flag.type == FieldType::Flag && control.Repeats(f) && control.Flag(flag.role))
            Report(m_skin, line, Severity::Warning,
                   subject + ": the " + fieldName(f) + " repeats the " + fieldName(control.written) + " " +
                       Quote(control.Field(f)) + ", which begins with \"" + flag.letter + "\": " + flag.whenSet);
    }

    const std::string& face = control.Text(FieldRole::Face);
    if (face.size() > 31)
        Report(m_skin, line, Severity::Warning,
               subject + ": the font face " + Quote(face) + " is longer than 31 characters and is cut to " +
                   Quote(face.substr(0, 31)));
}

void Checker::CheckPlacement(const ControlLine& control, const std::string& subject, std::size_t line,
                             const Picture* ownMask)
{
    const SkinRect& r = control.rect;
    if (r.Width() <= 0 || r.Height() <= 0) {
        Report(m_skin, line, Severity::Error,
               subject + ": it has no area (width " + std::to_string(r.Width()) + ", height " +
                   std::to_string(r.Height()) + ")");
        return;
    }
    const WindowLayout& window = m_report.window;
    if (window.width == 0)
        return; // no picture gives the window a size
    const std::string frame = "the " + Size(window.width, window.height) + " window (the Mask picture)";
    const std::int64_t left = std::max<std::int64_t>(r.left, 0), top = std::max<std::int64_t>(r.top, 0);
    const std::int64_t right = std::min<std::int64_t>(r.right, window.width);
    const std::int64_t bottom = std::min<std::int64_t>(r.bottom, window.height);
    if (left >= right || top >= bottom) {
        Report(m_skin, line, Severity::Error, subject + ": it lies outside " + frame + " and is never seen");
        return;
    }
    if (left != r.left || top != r.top || right != r.right || bottom != r.bottom)
        Report(m_skin, line, Severity::Warning, subject + ": it reaches beyond " + frame);
    if (!m_mask)
        return;

    // Only what the control itself shows counts: a ButtonEx shows its own outline.
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    std::size_t own = 0, cutAway = 0;
    for (std::int64_t y = top; y < bottom; ++y)
        for (std::int64_t x = left; x < right; ++x) {
            if (ownMask) {
                const std::int64_t mx = x - r.left, my = y - r.top;
                if (mx >= ownMask->width || my >= ownMask->height ||
                    cut.Contains(ownMask->At(static_cast<int>(mx), static_cast<int>(my))))
                    continue;
            }
            ++own;
            cutAway += !window.Inside(static_cast<int>(x), static_cast<int>(y));
        }
    if (cutAway && cutAway == own)
        Report(m_skin, line, Severity::Error,
               subject + ": it lies wholly in the part of the window that the Mask picture cuts away");
    else if (cutAway)
        Report(m_skin, line, Severity::Warning,
               subject + ": " + std::to_string(cutAway) + " of its " + std::to_string(own) +
                   " pixels lie in the part of the window that the Mask picture cuts away");
}

// "H" makes a trackbar horizontal but a progress bar vertical: a bar that
// runs across its short side was given the other letter.
void Checker::CheckOrientation(const ControlLine& control, const std::string& subject, std::size_t line)
{
    const ControlKind& kind = *control.kind;
    for (FieldRole role : {FieldRole::Horizontal, FieldRole::Vertical}) {
        const int field = kind.FieldOf(role);
        if (!field)
            continue;
        const bool vertical = control.Flag(role) == (role == FieldRole::Vertical);
        const std::int64_t w = control.rect.Width(), h = control.rect.Height();
        if (w <= 0 || h <= 0 || (vertical ? w <= h : h <= w))
            continue;
        Report(m_skin, line, Severity::Warning,
               subject + ": the " + kind.FieldName(field) + " " + Quote(control.Field(field)) + " makes it " +
                   (vertical ? "vertical" : "horizontal") + " (\"" + kind.Format(field).letter + "\" makes " +
                   WithArticle(kind.noun) + " " + (role == FieldRole::Vertical ? "vertical" : "horizontal") +
                   "), but it is " + Size(static_cast<int>(w), static_cast<int>(h)) + ", " +
                   (vertical ? "wider than high" : "higher than wide"));
    }
}

// Controls made earlier lie above later ones (a child window joins its
// siblings at the bottom), and a click goes to the top one under the pointer:
// a control under earlier ones never gets the clicks there. A ButtonEx takes
// clicks only inside its own outline. Labels do nothing when clicked, so only
// what lies under them matters.
void Checker::CheckCovered()
{
    const WindowLayout& window = m_report.window;
    if (window.width == 0)
        return;
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    std::vector<int> top(static_cast<std::size_t>(window.width) * static_cast<std::size_t>(window.height), -1);
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Control& c = m_controls[i];
        const std::int64_t left = std::max<std::int64_t>(c.rect.left, 0), top0 = std::max<std::int64_t>(c.rect.top, 0);
        const std::int64_t right = std::min<std::int64_t>(c.rect.right, window.width);
        const std::int64_t bottom = std::min<std::int64_t>(c.rect.bottom, window.height);
        std::size_t clickable = 0, covered = 0;
        std::set<int> above;
        for (std::int64_t y = top0; y < bottom; ++y)
            for (std::int64_t x = left; x < right; ++x) {
                if (!window.Inside(static_cast<int>(x), static_cast<int>(y)))
                    continue;
                if (c.ownMask) {
                    const std::int64_t mx = x - c.rect.left, my = y - c.rect.top;
                    if (mx >= c.ownMask->width || my >= c.ownMask->height ||
                        cut.Contains(c.ownMask->At(static_cast<int>(mx), static_cast<int>(my))))
                        continue;
                }
                ++clickable;
                int& owner = top[static_cast<std::size_t>(y) * static_cast<std::size_t>(window.width) +
                                 static_cast<std::size_t>(x)];
                if (owner < 0) {
                    owner = static_cast<int>(i);
                } else {
                    ++covered;
                    above.insert(owner);
                }
            }
        if (!covered || c.kind->id == ControlKindId::TextLabel)
            continue;
        std::vector<std::string> names;
        for (int a : above)
            names.push_back(std::string(m_controls[static_cast<std::size_t>(a)].kind->noun) + " " +
                            Quote(m_controls[static_cast<std::size_t>(a)].name) + " (line " +
                            std::to_string(m_controls[static_cast<std::size_t>(a)].line) + ")");
        const std::string subject = std::string(c.kind->noun) + " " + Quote(c.name);
        const std::string under = JoinFields(names) + ", made before it,";
        if (covered == clickable)
            Report(m_skin, c.line, Severity::Error, subject + ": it lies wholly under " + under + " and never gets a click");
        else
            Report(m_skin, c.line, Severity::Warning,
                   subject + ": " + std::to_string(covered) + " of its " + std::to_string(clickable) +
                       " pixels lie under " + under + " and get no clicks");
    }
}

bool Checker::HasImageButton(const std::string& name) const
{
    return std::any_of(m_controls.begin(), m_controls.end(), [&](const Control& c) {
        return c.kind->id == ControlKindId::ImageButton && c.name == name;
    });
}

void Checker::CheckNames()
{
    // Names that almost match: the menu compares them byte for byte.
    const auto nearMiss = [](const std::string& name, const std::string& target) -> std::string {
        if (name == target || !EqualNoCase(TrimBlanks(name), target))
            return "";
        const bool blanks = TrimBlanks(name) != name, cased = TrimBlanks(name) != target;
        return blanks && cased ? "in case and in blanks" : blanks ? "only in blanks" : "only in case";
    };
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        const Control& c = m_controls[i];
        const ControlKindId kind = c.kind->id;
        const std::string subject = std::string(c.kind->noun) + " " + Quote(c.name);
        for (std::size_t j = 0; j < i; ++j)
            if (m_controls[j].kind == c.kind && m_controls[j].name == c.name && !c.name.empty()) {
                Report(m_skin, c.line, Severity::Warning,
                       subject + ": the " + c.kind->noun + " on line " + std::to_string(m_controls[j].line) +
                           " has the same name, and the menu cannot tell them apart");
                break;
            }
        // Commands that do something; ID_ICON and ID_MAXIMIZED name harmless things.
        const bool acts = !DecideMenuClick(
                               c.name, "C:\\", [](const std::string&, const std::string&) { return std::string("x"); },
                               [](const std::string&) { return true; })
                               .empty();
        if (kind == ControlKindId::ImageButton)
            CheckCommandName(c, subject);
        else if (acts)
            Report(m_skin, c.line, Severity::Error,
                   subject + ": a click on " + WithArticle(c.kind->noun) + " runs no command; only image buttons [" +
                       ControlKindOf(ControlKindId::ImageButton).section + "] do");
        if (kind == ControlKindId::TextLabel) {
            const std::string how = nearMiss(c.name, kInfoLabel);
            if (!how.empty())
                Report(m_skin, c.line, Severity::Warning,
                       subject + ": the name differs from \"ID_INFO\" " + how +
                           ", and the program buttons' texts go only to a label named exactly \"ID_INFO\"");
        }
    }

    bool programButtons = false;
    for (char n = '1'; n <= '8'; ++n)
        programButtons = programButtons || HasImageButton(std::string("ID_BUTTON") + n);
    const bool info = std::any_of(m_controls.begin(), m_controls.end(), [](const Control& c) {
        return c.kind->id == ControlKindId::TextLabel && c.name == kInfoLabel;
    });
    if (programButtons && !info) {
        const std::size_t labels = m_skin.SectionLine(ControlKindOf(ControlKindId::TextLabel).section);
        Report(m_skin, labels ? labels : m_skin.SectionLine(ControlKindOf(ControlKindId::ImageButton).section),
               Severity::Warning,
               "no text label is named \"ID_INFO\": the program buttons' texts are not shown");
    }
}

// ID_BUTTON followed by a number, loosely written: a program button, in range or not.
bool LooksLikeProgramButton(const std::string& name)
{
    const std::string loose = LooseName(name), program = "IDBUTTON";
    return loose.size() > program.size() && loose.compare(0, program.size(), program) == 0 &&
           std::all_of(loose.begin() + static_cast<std::ptrdiff_t>(program.size()), loose.end(),
                       [](char ch) { return ch >= '0' && ch <= '9'; });
}

// An image button whose name looks like a command but is not one.
void Checker::CheckCommandName(const Control& c, const std::string& subject)
{
    const std::vector<std::string> commands(std::begin(kMenuCommandNames), std::end(kMenuCommandNames));
    if (std::find(commands.begin(), commands.end(), c.name) != commands.end())
        return;
    const std::string trimmed(TrimBlanks(c.name)), loose = LooseName(c.name);
    for (const std::string& command : commands) {
        std::string how;
        if (EqualNoCase(trimmed, command))
            how = trimmed == c.name ? "only in case" : trimmed == command ? "only in blanks" : "in case and in blanks";
        else if (loose == LooseName(command))
            how = "only in spelling";
        if (!how.empty()) {
            Report(m_skin, c.line, Severity::Error,
                   subject + ": the name differs from the command " + Quote(command) + " " + how +
                       ", and names must match exactly: a click does nothing");
            return;
        }
    }
    if (LooksLikeProgramButton(c.name)) {
        Report(m_skin, c.line, Severity::Error,
               subject + ": the program buttons are ID_BUTTON1 to ID_BUTTON8, and a click on this one does nothing");
        return;
    }
    const std::string meant = ProbablyMeant(c.name, commands);
    if (!meant.empty())
        Report(m_skin, c.line, Severity::Warning,
               subject + ": the name is no command, and a click does nothing: probably " + Quote(meant) + " was meant");
}

void Checker::CheckAutorun()
{
    std::vector<std::string> programButtons;
    for (char n = '1'; n <= '8'; ++n)
        if (HasImageButton(std::string("ID_BUTTON") + n))
            programButtons.push_back(std::string("ID_BUTTON") + n);
    const bool homePage = HasImageButton("ID_HOMEPAGE");
    if (programButtons.empty() && !homePage)
        return; // nothing in the menu reads AUTORUN.INF

    const IniSource inf = Open(m_paths.autorunInfPath, "AUTORUN.INF");
    if (!inf.Present()) {
        if (!programButtons.empty())
            Report(inf, 0, Severity::Error, "not found: the program buttons open the disc folder");
        else
            Report(inf, 0, Severity::Error, "not found: the home page button does nothing");
        return;
    }
    CheckSections(inf, {"RUN_FILES", "TEXT_INFO"});
    CheckRepeatedKeys(inf, "RUN_FILES");
    CheckRepeatedKeys(inf, "TEXT_INFO");
    for (const auto& name : programButtons)
        CheckProgramButton(inf, name);
    CheckHomePage(inf);
    CheckUnreadEntries(inf);
    CheckLaunchers(inf, programButtons);
}

void Checker::CheckProgramButton(const IniSource& inf, const std::string& name)
{
    const std::string value =
        platform::ReadProfileString(inf.file.hostPath, "RUN_FILES", name, "", kInfValueBufferChars);
    const std::size_t line = inf.LineFor("RUN_FILES", name);
    const std::size_t whole = inf.Raw("RUN_FILES", name).size();
    if (whole > kInfValueBufferChars - 1)
        Report(inf, line, Severity::Warning,
               name + " has " + std::to_string(whole) + " characters, and the menu reads only the first " +
                   std::to_string(kInfValueBufferChars - 1));

    // What a click does, decided by the menu's own dispatch.
    DiscFile target;
    const auto readInf = [&](const std::string& section, const std::string& key) {
        return platform::ReadProfileString(inf.file.hostPath, section, key, "", kInfValueBufferChars);
    };
    const auto exists = [&](const std::string& path) {
        target = m_disc.Find(path, true);
        return target.IsThere();
    };
    const std::vector<MenuEffect> effects = DecideMenuClick(name, m_disc.ProgramDir(), readInf, exists);
    const bool notFound = std::any_of(effects.begin(), effects.end(),
                                      [](const MenuEffect& e) { return e.kind == MenuEffect::ShowMessage; });
    if (value.empty()) {
        Report(inf, line, Severity::Warning,
               "[RUN_FILES] has no entry for " + name + ": a click on it opens the disc folder");
    } else if (target.state == DiscFile::Outside) {
        Report(inf, line, Severity::Error, name + " opens " + Quote(value) + ", which lies outside the disc folder");
    } else if (notFound) {
        std::string hint;
        for (std::size_t blank = value.find_first_of(" \t"); blank != std::string::npos;
             blank = value.find_first_of(" \t", blank + 1))
            if (m_disc.FindRelative(value.substr(0, blank), true).IsThere())
                hint = " (the menu passes no arguments: " + Quote(value.substr(0, blank)) + " alone would be found)";
        Report(inf, line, Severity::Error,
               name + " opens " + Quote(value) + ", which is not on the disc: a click shows " + Quote(kFileNotFoundText) + hint);
    }
}

void Checker::CheckHomePage(const IniSource& inf)
{
    const bool button = HasImageButton("ID_HOMEPAGE");
    const std::size_t keyLine = inf.doc.KeyLine("RUN_FILES", "ID_HOMEPAGE");
    const auto readInf = [&](const std::string& section, const std::string& key) {
        return platform::ReadProfileString(inf.file.hostPath, section, key, "", kInfValueBufferChars);
    };
    const bool doesNothing =
        DecideMenuClick("ID_HOMEPAGE", m_disc.ProgramDir(), readInf, [](const std::string&) { return true; }).empty();
    if (!doesNothing)
        return;
    if (keyLine)
        Report(inf, keyLine, button ? Severity::Error : Severity::Warning,
               std::string("ID_HOMEPAGE is empty") + (button ? ": the home page button does nothing" : ""));
    else if (button)
        Report(inf, inf.SectionLine("RUN_FILES"), Severity::Error,
               "[RUN_FILES] has no entry for ID_HOMEPAGE: the home page button does nothing");
}

// Entries that no image button reads: written for a button that is not in
// main.ini, or under a misspelt key; and texts longer than the menu reads.
void Checker::CheckUnreadEntries(const IniSource& inf)
{
    std::vector<std::string> commands; // the keys the menu may read
    for (char n = '1'; n <= '8'; ++n)
        commands.push_back(std::string("ID_BUTTON") + n);
    const bool info = std::any_of(m_controls.begin(), m_controls.end(), [](const Control& c) {
        return c.kind->id == ControlKindId::TextLabel && c.name == kInfoLabel;
    });
    for (const std::string section : {"RUN_FILES", "TEXT_INFO"}) {
        std::vector<std::string> keys = commands;
        if (section == "RUN_FILES")
            keys.push_back("ID_HOMEPAGE");
        for (const auto& key : inf.doc.GetKeyNamesWithLines(section, kWholeValue)) {
            if (inf.doc.KeyLine(section, key.name) != key.line)
                continue; // a repeated key: reported as such
            const std::string where = "[" + section + "] " + key.name;
            const auto known = std::find_if(keys.begin(), keys.end(), [&](const std::string& k) { return EqualNoCase(k, key.name); });
            if (known != keys.end() && HasImageButton(*known)) {
                const std::size_t whole = inf.Raw(section, key.name).size();
                if (section == "TEXT_INFO" && whole > kInfValueBufferChars - 1)
                    Report(inf, key.line, Severity::Warning,
                           where + " has " + std::to_string(whole) + " characters, and the menu reads only the first " +
                               std::to_string(kInfValueBufferChars - 1) + ": the text shown ends at " +
                               Quote(inf.Raw(section, key.name).substr(kInfValueBufferChars - 21, 20)));
                continue;
            }
            const bool beyond = known == keys.end() && LooksLikeProgramButton(key.name);
            const std::string meant = known == keys.end() && !beyond ? ProbablyMeant(key.name, keys) : "";
            if (known != keys.end()) {
                Report(inf, key.line, Severity::Warning, where + " is never read: no image button is named " + Quote(*known));
            } else if (!meant.empty() && HasImageButton(meant) && !inf.doc.KeyLine(section, meant) && section == "RUN_FILES") {
                Report(inf, key.line, Severity::Error,
                       where + " is never read: probably " + meant + " was meant, which has no entry and opens the disc folder");
            } else {
                Report(inf, key.line, Severity::Warning,
                       where + " is never read" +
                           (beyond          ? ": the program buttons are ID_BUTTON1 to ID_BUTTON8"
                            : meant.empty() ? ": no image button reads it"
                                            : ": probably " + meant + " was meant"));
            }
        }
        if (section != "TEXT_INFO" || !info)
            continue;
        for (const std::string& name : commands)
            if (HasImageButton(name) && !inf.doc.KeyLine(section, name) && inf.doc.KeyLine("RUN_FILES", name))
                Report(inf, inf.LineFor(section, name), Severity::Warning,
                       "[TEXT_INFO] has no entry for " + name + ": a click shows only the disc folder's path in \"" +
                           kInfoLabel + "\"");
    }
}

// A button that starts verpick.exe: it reads config.ini beside itself, and
// without it starts nothing.
void Checker::CheckLaunchers(const IniSource& inf, const std::vector<std::string>& programButtons)
{
    for (const std::string& name : programButtons) {
        const std::string value =
            platform::ReadProfileString(inf.file.hostPath, "RUN_FILES", name, "", kInfValueBufferChars);
        const std::size_t slash = value.find_last_of("\\/");
        const std::string folder = slash == std::string::npos ? "" : value.substr(0, slash + 1);
        if (!EqualNoCase(value.substr(folder.size()), "verpick.exe"))
            continue;
        const std::string dir = m_disc.ProgramDir() + folder;
        if (m_disc.Find(dir + launcher::kConfigFileName, false).IsThere())
            CheckConfig(dir);
        else
            Report(inf, inf.LineFor("RUN_FILES", name), Severity::Error,
                   name + " starts " + Quote(value) + ", but no " + launcher::kConfigFileName +
                       " is beside it: verpick starts nothing");
    }
}

// config.ini beside a verpick.exe; `dir` ends in a backslash.
void Checker::CheckConfig(const std::string& dir)
{
    if (!m_configDirs.insert(dir).second)
        return;
    const IniSource config = Open(dir + launcher::kConfigFileName, launcher::kConfigFileName);
    if (!config.Present())
        return;
    const std::string section = launcher::kConfigSection;
    CheckSections(config, {section});
    CheckRepeatedKeys(config, section);
    const struct {
        launcher::VersionClass version;
        const char* windows;
    } choices[] = {{launcher::VersionClass::VistaOrLater, "Windows Vista and later"},
                   {launcher::VersionClass::WindowsXp, "Windows XP and older"}};
    for (const auto& choice : choices) {
        const std::string key = launcher::ChooseConfigKey(choice.version);
        const std::string value = platform::ReadProfileString(config.file.hostPath, section, key, "",
                                                              launcher::kConfigValueBufferChars);
        const std::size_t line = config.LineFor(section, key);
        const std::size_t whole = config.Raw(section, key).size();
        if (whole > launcher::kConfigValueBufferChars - 1)
            Report(config, line, Severity::Warning,
                   key + " has " + std::to_string(whole) + " characters, and verpick reads only the first " +
                       std::to_string(launcher::kConfigValueBufferChars - 1));
        if (value.empty()) {
            // Every Windows since 2003 reads VISTA; leaving out XP may be meant.
            Report(config, line,
                   choice.version == launcher::VersionClass::VistaOrLater ? Severity::Error : Severity::Warning,
                   "[" + section + "] has no entry for " + key + ": verpick starts nothing on " + choice.windows);
            continue;
        }
        // The launcher's own rule finds the program within the command line.
        bool found = false;
        launcher::BuildCommandLine(dir, value, [&](const std::string& path) {
            found = found || m_disc.Find(path, false).IsThere();
            return found;
        });
        if (!found)
            Report(config, line, Severity::Error,
                   key + " starts " + Quote(value) + ", but no program of that name is on the disc");
    }
}

} // namespace

std::size_t DiscReport::Count(Severity severity) const
{
    return static_cast<std::size_t>(std::count_if(findings.begin(), findings.end(),
                                                  [severity](const Finding& f) { return f.severity == severity; }));
}

DiscReport CheckDisc(const DiscFolder& disc, int dpi)
{
    return Checker(disc, dpi).Run();
}
