// demo_art: draws the demo disc's start menu and writes everything the menu
// reads, from one layout table, so that pictures, main.ini and AUTORUN.INF
// cannot drift apart. The table holds every text in English and, beside it,
// in Turkish and German. The demo disc is in all three: English in its base
// sections, Turkish and German in language sections with pictures of their
// own. The Turkish disc (--turkish) is Turkish alone, its folders too: it
// shows letters that no single ANSI code page holds together with Western ones.
//
//   demo_art [--turkish] DISC_DIR PREVIEW_PNG [REVIEW_DIR]
//
// DISC_DIR gets AUTORUN.INF and Data/ (main.ini and the pictures, each also
// drawn at twice the resolution under its @2x name); PREVIEW_PNG
// is the menu as it shows on screen, cut to its outline; REVIEW_DIR, when given,
// gets a PNG of every full-window picture for checking by eye. The Turkish
// disc's files are UTF-8 without a byte-order mark, as editors save them.
#include "tools/Canvas.h"
#include "skin/ControlLines.h"
#include "skin/DisplayScale.h"
#include "tools/PictureFiles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// ---- palette and type ----------------------------------------------------

const Color kBackTop = Hex(0x0B1526);
const Color kBackBottom = Hex(0x101E35);
const Color kEdge = Hex(0x2A3D5C);
const Color kRule = Hex(0x1C2B44);
const Color kSurface = Hex(0x14243D);
const Color kSurfaceOver = Hex(0x1B3152);
const Color kSurfaceDown = Hex(0x0E1B2F);
const Color kSurfaceOff = Hex(0x111B2C);
const Color kBorder = Hex(0x22365A);
const Color kBorderOff = Hex(0x19253A);
const Color kCard = Hex(0x111F36);
const Color kCardBorder = Hex(0x1E3050);
const Color kText = Hex(0xF1F5F9);
const Color kTextMuted = Hex(0x8FA2BF);
const Color kTextDim = Hex(0x5E6F8C);
const Color kTextOff = Hex(0x3D4A60);
const Color kAccent = Hex(0x38BDF8);
const Color kAccent2 = Hex(0x818CF8);
const Color kAccentDeep = Hex(0x0284C7);
const Color kAccentDeep2 = Hex(0x4F46E5);
const Color kTrack = Hex(0x24385A);
const Color kDanger = Hex(0xE5484D);
const Color kMagenta = Hex(0xFF00FF);

constexpr int kWidth = 600;
constexpr int kHeight = 400;
constexpr float kCorner = 16;

const char* const kLabelFace = "Tahoma"; // present on every Windows, and in Wine

struct Fonts {
    Font regular{"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"};
    Font bold{"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
};

// ---- languages -----------------------------------------------------------

enum class Lang { English, Turkish, German };

// A text of the disc beside its translations; a name without a German one
// (the disc's folders) is the English one.
struct Words {
    const char* english;
    const char* turkish;
    const char* german = nullptr;
};

std::string In(Lang lang, Words w)
{
    return lang == Lang::Turkish ? w.turkish : lang == Lang::German && w.german ? w.german : w.english;
}

// ---- layout --------------------------------------------------------------

enum class Look { Main, Over, Down, Disabled };
const Look kLooks[] = {Look::Main, Look::Over, Look::Down, Look::Disabled};

enum class Kind { Button, ButtonEx, Label, Trackbar, Progress };
enum class Style { Program, Link, Window, Close };
enum class Icon { None, Install, ReadMe, Guide, News, Samples, Tools, Drivers, Version, Folder, Globe, Minimise, Cross };

struct Rect {
    int x, y, w, h;
    Box ToBox() const { return {float(x), float(y), float(w), float(h)}; }
};

struct Control {
    Kind kind = Kind::Button;
    std::string name;
    Rect rect{};
    std::string tooltip; // buttons and progress bars
    Style style = Style::Program;
    Icon icon = Icon::None;
    std::string label, caption; // drawn into the pictures
    // What AUTORUN.INF gives a program button: the file it opens, relative to
    // the disc, and the text that the menu shows when it is clicked.
    std::string runFile, info;
    // Text labels: the program draws these itself.
    std::string text;
    bool bold = false;
    int fontHeight = 0;
    Color textColor;
};

Control Make(Kind kind, std::string name, Rect rect, std::string tooltip = "")
{
    Control c;
    c.kind = kind;
    c.name = std::move(name);
    c.rect = rect;
    c.tooltip = std::move(tooltip);
    return c;
}

Control ProgramButton(int index, int col, int row, Icon icon, std::string label, std::string caption,
                      std::string tooltip, std::string runFile, std::string info)
{
    Control c = Make(Kind::Button, "ID_BUTTON" + std::to_string(index), {24 + col * 184, 112 + row * 56, 176, 48},
                     std::move(tooltip));
    c.icon = icon;
    c.label = std::move(label);
    c.caption = std::move(caption);
    c.runFile = std::move(runFile);
    c.info = std::move(info);
    return c;
}

Control Button(std::string name, Rect r, Style style, Icon icon, std::string label, std::string tooltip)
{
    Control c = Make(Kind::Button, std::move(name), r, std::move(tooltip));
    c.style = style;
    c.icon = icon;
    c.label = std::move(label);
    return c;
}

Control Label(std::string name, Rect r, std::string text, bool bold, int height, Color color)
{
    Control c = Make(Kind::Label, std::move(name), r);
    c.text = std::move(text);
    c.bold = bold;
    c.fontHeight = height;
    c.textColor = color;
    return c;
}

const char* const kHomePage = "https://www.example.com/";
const Rect kEmblem{16, 16, 48, 48};
const Rect kCardRect{400, 112, 176, 216};
const Rect kInfoStrip{24, 340, 552, 28};

// Image-button and ButtonEx rectangles lie on the 8-pixel grid: JPEG codes the
// pictures in 8 x 8 blocks, so the ground around the controls stays the same
// in all four pictures to the last bit, and no seam shows at a control's edge.
// `ownFolders`: the disc's folders carry the language's names (the Turkish
// disc); otherwise only the read-me is the language's own.
std::vector<Control> Layout(Lang lang, bool ownFolders)
{
    const auto t = [lang](Words w) { return In(lang, w); };
    const auto folder = [lang, ownFolders](Words w) { return ownFolders ? In(lang, w) : std::string(w.english); };
    std::vector<Control> c = {
        ProgramButton(1, 0, 0, Icon::Install, t({"Install", "Kur", "Installieren"}),
                      t({"Set up on this PC", "Bu bilgisayara kurun", "Auf diesem PC"}),
                      t({"Install Halcyon Studio 4", "Halcyon Studio 4'\u00FC kurun", "Halcyon Studio 4 installieren"}),
                      folder({"Setup\\setup.cmd", "Kurulum\\kurulum.cmd"}),
                      t({"Starting the installer of Halcyon Studio 4...",
                         "Halcyon Studio 4 kurulumu ba\u015Flat\u0131l\u0131yor...",
                         "Das Installationsprogramm von Halcyon Studio 4 wird gestartet..."})),
        ProgramButton(2, 1, 0, Icon::ReadMe, t({"Read me", "Beni oku", "Liesmich"}),
                      t({"Before you begin", "Ba\u015Flamadan \u00F6nce", "Vor dem Start"}),
                      t({"Read this first", "\u00D6nce bunu okuyun", "Bitte zuerst lesen"}), t({"README.TXT", "BEN\u0130OKU.TXT", "LIESMICH.TXT"}),
                      t({"Opening the read-me: please read it before you install.",
                         "Beni oku dosyas\u0131 a\u00E7\u0131l\u0131yor: l\u00FCtfen kurmadan \u00F6nce okuyun.",
                         "Die Liesmich-Datei wird ge\u00F6ffnet: bitte vor der Installation lesen."})),
        ProgramButton(3, 0, 1, Icon::Guide, t({"User guide", "K\u0131lavuz", "Handbuch"}),
                      t({"Learn the essentials", "Temel bilgileri \u00F6\u011Frenin", "Die Grundlagen"}),
                      t({"Open the user guide", "Kullan\u0131m k\u0131lavuzunu a\u00E7\u0131n", "Das Handbuch \u00F6ffnen"}),
                      folder({"Docs\\UserGuide.html", "Belgeler\\K\u0131lavuz.html"}),
                      t({"Opening the user guide in your web browser...",
                         "Kullan\u0131m k\u0131lavuzu web taray\u0131c\u0131n\u0131zda a\u00E7\u0131l\u0131yor...",
                         "Das Handbuch wird in Ihrem Webbrowser ge\u00F6ffnet..."})),
        ProgramButton(4, 1, 1, Icon::News, t({"What's new", "Yenilikler", "Neuerungen"}),
                      t({"Release notes for 4.2", "4.2 s\u00FCr\u00FCm notlar\u0131", "Hinweise zu 4.2"}),
                      t({"What is new in this version", "Bu s\u00FCr\u00FCmdeki yenilikler", "Neu in dieser Version"}),
                      folder({"Docs\\ReleaseNotes.txt", "Belgeler\\S\u00FCr\u00FCm notlar\u0131.txt"}),
                      t({"Opening the release notes: what is new in version 4.2.",
                         "S\u00FCr\u00FCm notlar\u0131 a\u00E7\u0131l\u0131yor: 4.2 s\u00FCr\u00FCm\u00FCndeki yenilikler.",
                         "Die Versionshinweise werden ge\u00F6ffnet: neu in Version 4.2."})),
        ProgramButton(5, 0, 2, Icon::Samples, t({"Samples", "\u00D6rnekler", "Beispiele"}),
                      t({"Example projects", "\u00D6rnek projeler", "Beispielprojekte"}),
                      t({"Browse the sample projects", "\u00D6rnek projelere g\u00F6z at\u0131n", "Die Beispielprojekte ansehen"}),
                      folder({"Samples", "\u00D6rnekler"}),
                      t({"Opening the samples: example projects to explore.",
                         "\u00D6rnekler a\u00E7\u0131l\u0131yor: ke\u015Ffedilecek \u00F6rnek projeler.",
                         "Die Beispiele werden ge\u00F6ffnet: Projekte zum Ausprobieren."})),
        ProgramButton(6, 1, 2, Icon::Tools, t({"Free tools", "Ara\u00E7lar", "Werkzeuge"}),
                      t({"Converters, plug-ins", "D\u00F6n\u00FC\u015Ft\u00FCr\u00FCc\u00FCler", "Konverter, Plug-ins"}),
                      t({"Free tools on this disc", "Bu diskteki \u00FCcretsiz ara\u00E7lar", "Kostenlose Werkzeuge auf dieser Disc"}),
                      folder({"Tools", "Ara\u00E7lar"}),
                      t({"Opening the free tools: converters and add-ons.",
                         "\u00DCcretsiz ara\u00E7lar a\u00E7\u0131l\u0131yor: d\u00F6n\u00FC\u015Ft\u00FCr\u00FCc\u00FCler ve eklentiler.",
                         "Die kostenlosen Werkzeuge werden ge\u00F6ffnet: Konverter und Add-ons."})),
        ProgramButton(7, 0, 3, Icon::Drivers, t({"Drivers", "S\u00FCr\u00FCc\u00FCler", "Treiber"}),
                      t({"Tablets and devices", "Tabletler ve ayg\u0131tlar", "Tablets und Ger\u00E4te"}),
                      t({"Device drivers", "Ayg\u0131t s\u00FCr\u00FCc\u00FCleri", "Ger\u00E4tetreiber"}),
                      folder({"Drivers", "S\u00FCr\u00FCc\u00FCler"}),
                      t({"Opening the drivers for pen tablets and colour probes.",
                         "Kalem tabletlerinin ve renk \u00F6l\u00E7erlerin s\u00FCr\u00FCc\u00FCleri a\u00E7\u0131l\u0131yor.",
                         "Die Treiber f\u00FCr Stifttabletts und Farbmessger\u00E4te werden ge\u00F6ffnet."})),
        ProgramButton(8, 1, 3, Icon::Version, t({"Auto setup", "Kolay kurulum", "Auto-Setup"}),
                      t({"Picks the right setup", "Do\u011Fru kurulumu se\u00E7er", "W\u00E4hlt das Setup"}),
                      t({"Start the setup made for your Windows", "Windows s\u00FCr\u00FCm\u00FCn\u00FCze uygun kurulumu ba\u015Flat\u0131n", "Das Setup f\u00FCr Ihr Windows starten"}),
                      "verpick.exe",
                      t({"Starting the setup made for your version of Windows...",
                         "Windows s\u00FCr\u00FCm\u00FCn\u00FCze uygun kurulum ba\u015Flat\u0131l\u0131yor...",
                         "Das Setup f\u00FCr Ihre Windows-Version wird gestartet..."})),
        Button("ID_BROWSE", {408, 144, 160, 32}, Style::Link, Icon::Folder,
               t({"Browse the disc", "Diske g\u00F6z at\u0131n", "Disc ansehen"}),
               t({"Open the disc in Explorer", "Diski Gezgin'de a\u00E7\u0131n", "Die Disc im Explorer \u00F6ffnen"})),
        Button("ID_HOMEPAGE", {408, 184, 160, 32}, Style::Link, Icon::Globe,
               t({"Visit our website", "Web sitemiz", "Unsere Website"}), t({"Open the Halcyon website", "Halcyon web sitesini a\u00E7\u0131n", "Die Halcyon-Website \u00F6ffnen"})),
        Button("ID_MINIMIZE", {504, 24, 32, 32}, Style::Window, Icon::Minimise, "",
               t({"Minimise", "Simge durumuna k\u00FC\u00E7\u00FClt", "Minimieren"})),
        Button("ID_CLOSE", {544, 24, 32, 32}, Style::Close, Icon::Cross, "", t({"Close", "Kapat", "Schlie\u00DFen"})),
        Make(Kind::ButtonEx, "ID_EMBLEM", kEmblem, "Halcyon Studio 4"),
        Label("ID_TITLE", {24, 84, 360, 20},
              t({"Choose what you would like to do", "\u0130stedi\u011Finiz i\u015Flemi se\u00E7in", "Was m\u00F6chten Sie tun?"}), true, -14, kText),
        Label("ID_INFO", {52, 346, 516, 18},
              t({"Welcome! Click an item to open it.",
                 "Ho\u015F geldiniz! A\u00E7mak i\u00E7in bir \u00F6\u011Feye t\u0131klay\u0131n.",
                 "Willkommen! Klicken Sie zum \u00D6ffnen auf einen Eintrag."}),
              false, -13, Hex(0xB4C3D9)),
        Make(Kind::Trackbar, "ID_MUSIC", {464, 260, 104, 24}),
        Make(Kind::Progress, "ID_EFFECTS", {464, 292, 104, 24},
             t({"Click or drag to set the effects volume", "Efekt sesini ayarlamak i\u00E7in t\u0131klay\u0131n veya s\u00FCr\u00FCkleyin", "Zum Einstellen der Effektlautst\u00E4rke klicken oder ziehen"})),
    };
    return c;
}

bool UsesAllLooks(const Control& c) { return c.kind == Kind::Button || c.kind == Kind::ButtonEx; }

// ---- icons ---------------------------------------------------------------

// A line icon in a 20 x 20 design square: segments, outlines and dots.
class IconShape {
public:
    IconShape(const Box& box) : m_box(box), m_scale(box.w / 20) {}

    IconShape& Line(std::vector<std::pair<float, float>> points)
    {
        for (std::size_t i = 0; i + 1 < points.size(); ++i)
            m_lines.push_back({Pt(points[i]), Pt(points[i + 1])});
        return *this;
    }
    IconShape& Outline(float x, float y, float w, float h, float r)
    {
        m_outlines.push_back({m_box.x + x * m_scale, m_box.y + y * m_scale, w * m_scale, h * m_scale, r * m_scale});
        return *this;
    }
    IconShape& Ring(float cx, float cy, float rx, float ry)
    {
        m_rings.push_back({m_box.x + cx * m_scale, m_box.y + cy * m_scale, rx * m_scale, ry * m_scale});
        return *this;
    }
    IconShape& Dot(float cx, float cy, float r)
    {
        m_dots.push_back({m_box.x + cx * m_scale, m_box.y + cy * m_scale, r * m_scale, 0});
        return *this;
    }

    void Draw(Canvas& canvas, Color color, float stroke = 1.6f) const
    {
        canvas.Stroke(m_box, [this](float x, float y) { return Distance(x, y); }, stroke * m_scale, Solid(color));
        for (const auto& d : m_dots)
            canvas.Fill(m_box, [&](float x, float y) { return SdCircle(x, y, d[0], d[1], d[2]); }, Solid(color));
    }

private:
    using Pt2 = std::pair<float, float>;
    Pt2 Pt(Pt2 p) const { return {m_box.x + p.first * m_scale, m_box.y + p.second * m_scale}; }

    float Distance(float x, float y) const
    {
        float d = 1e9f;
        for (const auto& l : m_lines)
            d = std::min(d, DistSegment(x, y, l.first.first, l.first.second, l.second.first, l.second.second));
        for (const auto& o : m_outlines)
            d = std::min(d, std::fabs(SdRoundBox(x, y, Box{o[0], o[1], o[2], o[3]}, o[4])));
        for (const auto& r : m_rings)
            d = std::min(d, r[2] == r[3] ? std::fabs(SdCircle(x, y, r[0], r[1], r[2]))
                                         : DistEllipse(x, y, r[0], r[1], r[2], r[3]));
        return d;
    }

    Box m_box;
    float m_scale;
    std::vector<std::pair<Pt2, Pt2>> m_lines;
    std::vector<std::array<float, 5>> m_outlines;
    std::vector<std::array<float, 4>> m_rings;
    std::vector<std::array<float, 4>> m_dots;
};

void DrawIcon(Canvas& canvas, Icon icon, const Box& box, Color color)
{
    IconShape s(box);
    switch (icon) {
    case Icon::Install:
        s.Line({{10, 2.5f}, {10, 12.5f}}).Line({{6, 8.5f}, {10, 12.5f}, {14, 8.5f}});
        s.Line({{3, 12}, {3, 16.5f}, {17, 16.5f}, {17, 12}});
        break;
    case Icon::ReadMe:
        s.Outline(4, 2, 12, 16, 2).Line({{7.5f, 7}, {12.5f, 7}}).Line({{7.5f, 10}, {12.5f, 10}});
        s.Line({{7.5f, 13}, {10.5f, 13}});
        break;
    case Icon::Guide:
        s.Line({{10, 5.5f}, {2.5f, 3.5f}, {2.5f, 15}, {10, 17}, {17.5f, 15}, {17.5f, 3.5f}, {10, 5.5f}, {10, 17}});
        break;
    case Icon::News: {
        std::vector<std::pair<float, float>> star;
        for (int i = 0; i <= 10; ++i) {
            const float a = float(i) * 3.14159265f / 5 - 3.14159265f / 2;
            const float r = i % 2 == 0 ? 8.0f : 3.6f;
            star.push_back({10 + r * std::cos(a), 10.8f + r * std::sin(a)});
        }
        s.Line(star);
        break;
    }
    case Icon::Samples:
    case Icon::Folder:
        s.Line({{2.5f, 4.5f}, {8, 4.5f}, {9.8f, 6.5f}, {17.5f, 6.5f}, {17.5f, 15.5f}, {2.5f, 15.5f}, {2.5f, 4.5f}});
        if (icon == Icon::Samples)
            s.Line({{2.5f, 9}, {17.5f, 9}});
        break;
    case Icon::Tools:
        s.Line({{3, 5.5f}, {17, 5.5f}}).Line({{3, 10}, {17, 10}}).Line({{3, 14.5f}, {17, 14.5f}});
        s.Dot(7, 5.5f, 2.2f).Dot(13, 10, 2.2f).Dot(9, 14.5f, 2.2f);
        break;
    case Icon::Drivers:
        s.Outline(5.5f, 5.5f, 9, 9, 1.5f);
        for (float p : {8.0f, 12.0f})
            s.Line({{p, 2.5f}, {p, 5.5f}}).Line({{p, 14.5f}, {p, 17.5f}}).Line({{2.5f, p}, {5.5f, p}}).Line(
                {{14.5f, p}, {17.5f, p}});
        break;
    case Icon::Version:
        s.Outline(2, 3, 16, 11, 1.5f).Line({{10, 14}, {10, 16.5f}}).Line({{6.5f, 16.5f}, {13.5f, 16.5f}});
        s.Line({{7, 8.5f}, {9, 10.5f}, {13, 6.5f}});
        break;
    case Icon::Globe:
        s.Ring(10, 10, 7.5f, 7.5f).Ring(10, 10, 3.2f, 7.5f).Line({{2.5f, 10}, {17.5f, 10}});
        break;
    case Icon::Minimise:
        s.Line({{5.5f, 10}, {14.5f, 10}});
        break;
    case Icon::Cross:
        s.Line({{6, 6}, {14, 14}}).Line({{14, 6}, {6, 14}});
        break;
    case Icon::None:
        return;
    }
    s.Draw(canvas, color);
}

// ---- drawing ---------------------------------------------------------------

// A hairline or any other straight-edged box.
void FillBox(Canvas& c, const Box& b, Color color)
{
    c.Fill(b, [&](float x, float y) { return SdRoundBox(x, y, b, 0); }, Solid(color));
}

void FillRound(Canvas& c, const Box& b, float r, const Paint& paint, float alpha = 1)
{
    c.Fill(b, [&](float x, float y) { return SdRoundBox(x, y, b, r); }, paint, alpha);
}

void FillCircle(Canvas& c, float cx, float cy, float r, const Paint& paint, float alpha = 1)
{
    c.Fill({cx - r, cy - r, 2 * r, 2 * r}, [&](float x, float y) { return SdCircle(x, y, cx, cy, r); }, paint, alpha);
}

// A rounded panel with a one-pixel border.
void Panel(Canvas& c, const Box& b, float r, Color border, const Paint& fill)
{
    FillRound(c, b, r, Solid(border));
    FillRound(c, b.Inset(1), r - 1, fill);
}

Paint HorizontalGradient(float x0, float x1, Color left, Color right)
{
    return [=](float x, float) { return Mix(left, right, std::clamp((x - x0) / (x1 - x0), 0.0f, 1.0f)); };
}

// A soft light: strongest at the centre, fading out to nothing at the radius.
void Light(Canvas& c, float cx, float cy, float radius, Color color, float strength)
{
    const float s = float(c.Scale());
    for (int y = std::max(0, int((cy - radius) * s)); y < std::min(c.Height(), int((cy + radius) * s) + 1); ++y)
        for (int x = std::max(0, int((cx - radius) * s)); x < std::min(c.Width(), int((cx + radius) * s) + 1); ++x) {
            const float d = std::hypot((float(x) + 0.5f) / s - cx, (float(y) + 0.5f) / s - cy) / radius;
            if (d < 1)
                c.Blend(x, y, color, strength * (1 - d) * (1 - d));
        }
}

void Chevron(Canvas& c, const Box& b, float dy, Color color)
{
    const float x = b.Right() - 13, y = b.CenterY() + dy;
    c.Stroke({x - 4, y - 6, 8, 12},
             [&](float px, float py) {
                 return std::min(DistSegment(px, py, x - 2, y - 4, x + 2, y), DistSegment(px, py, x + 2, y, x - 2, y + 4));
             },
             1.6f, Solid(color));
}

void CheckFits(const Font& font, float px, const std::string& text, float room, const std::string& where)
{
    if (font.Measure(text, px) > room)
        throw std::runtime_error("\"" + text + "\" does not fit " + where);
}

// Everything that no control covers: the same in all four pictures.
void DrawGround(Canvas& c, const Fonts& f, Lang lang)
{
    const Box window{0, 0, float(kWidth), float(kHeight)};
    c.Fill(window, [](float, float) { return -1.0f; }, VerticalGradient(0, kHeight, kBackTop, kBackBottom));
    Light(c, 520, -30, 330, Hex(0x4F46E5), 0.20f);
    Light(c, 40, 430, 260, Hex(0x0EA5E9), 0.10f);

    // Header: the brand, and a rule under it.
    const float end = c.Text(f.bold, 22, 76, 41, "Halcyon Studio", kText);
    c.Text(f.bold, 22, end + 6, 41, "4", kAccent);
    c.Text(f.regular, 11, 77, 58, In(lang, {"Creative suite  \u00B7  Installation disc", "Yarat\u0131c\u0131 paket  \u00B7  Kurulum diski", "Kreativpaket  \u00B7  Installationsdisc"}),
           kTextMuted);
    FillBox(c, {24, 72, 552, 1}, kRule);

    // Right-hand card: quick links and sound.
    Panel(c, kCardRect.ToBox(), 12, kCardBorder, Solid(kCard));
    c.Text(f.bold, 9, 416, 133, In(lang, {"QUICK LINKS", "HIZLI BA\u011ELANTILAR", "SCHNELLZUGRIFF"}), kTextDim, 1.2f);
    FillBox(c, {416, 229, 144, 1}, kRule);
    c.Text(f.bold, 9, 416, 251, In(lang, {"SOUND", "SES", "TON"}), kTextDim, 1.2f);
    c.Text(f.regular, 11.5f, 416, 276, In(lang, {"Music", "M\u00FCzik", "Musik"}), kTextMuted);
    c.Text(f.regular, 11.5f, 416, 308, In(lang, {"Effects", "Efektler", "Effekte"}), kTextMuted);

    // Information strip: the program writes the text; here only a quiet panel and its mark.
    const Box strip = kInfoStrip.ToBox();
    Panel(c, strip, 8, Hex(0x1A2A44), Solid(Hex(0x0D192C)));
    FillCircle(c, 38, 354, 7, Solid(Hex(0x1E3A5F)));
    FillCircle(c, 38, 350.6f, 1.1f, Solid(kAccent));
    FillRound(c, {37, 352.6f, 2, 5.2f}, 0.8f, Solid(kAccent));

    // Footer.
    c.Text(f.regular, 10, 24, 388,
           In(lang, {"\u00A9 2025 Halcyon Software Ltd. All rights reserved.",
                     "\u00A9 2025 Halcyon Software Ltd. T\u00FCm haklar\u0131 sakl\u0131d\u0131r.",
                     "\u00A9 2025 Halcyon Software Ltd. Alle Rechte vorbehalten."}),
           kTextDim);
    const std::string version = In(lang, {"Version 4.2.0  \u00B7  Disc 1 of 1", "S\u00FCr\u00FCm 4.2.0  \u00B7  Disk 1 / 1", "Version 4.2.0  \u00B7  Disc 1 von 1"});
    c.Text(f.regular, 10, 576 - f.regular.Measure(version, 10), 388, version, kTextDim);

    // A fine light line just inside the outline.
    c.Stroke(window, [&](float x, float y) { return std::fabs(SdRoundBox(x, y, window.Inset(0.5f), kCorner - 0.5f)); },
             1.0f, Solid(kEdge));
}

void DrawProgramButton(Canvas& c, const Fonts& f, const Control& ctl, Look look)
{
    const Box b = ctl.rect.ToBox();
    const float dy = look == Look::Down ? 1.0f : 0.0f;
    const Box tile{b.x + 10, b.y + 10 + dy, 28, 28};
    const Box icon = tile.Inset(5);
    // Room up to where the chevron of the hovered look begins.
    CheckFits(f.bold, 13, ctl.label, b.w - 64, ctl.name);
    CheckFits(f.regular, 10, ctl.caption, b.w - 64, ctl.name);
    struct Colours {
        Color border;
        Paint fill, tile;
        Color icon, label, caption;
    };
    const Colours s = look == Look::Main ? Colours{kBorder, Solid(kSurface), Solid(Hex(0x1A3352)), Hex(0x7DD3FC), kText, kTextMuted}
                  : look == Look::Over ? Colours{kAccent, Solid(kSurfaceOver), DiagonalGradient(tile, kAccent, kAccent2),
                                               Hex(0xFFFFFF), Hex(0xFFFFFF), Hex(0xBFD0E6)}
                  : look == Look::Down ? Colours{kAccentDeep, Solid(kSurfaceDown),
                                               DiagonalGradient(tile, kAccentDeep, kAccentDeep2), Hex(0xE0F2FE),
                                               Hex(0xE2E8F0), kTextMuted}
                                       : Colours{kBorderOff, Solid(kSurfaceOff), Solid(Hex(0x162133)), kTextOff,
                                               Hex(0x4A5870), kTextOff};
    Panel(c, b, 10, s.border, s.fill);
    FillRound(c, tile, 8, s.tile);
    DrawIcon(c, ctl.icon, icon, s.icon);
    c.Text(f.bold, 13, b.x + 46, b.y + 22 + dy, ctl.label, s.label);
    c.Text(f.regular, 10, b.x + 46, b.y + 37 + dy, ctl.caption, s.caption);
    if (look == Look::Over || look == Look::Down)
        Chevron(c, b, dy, look == Look::Over ? kAccent : kAccentDeep);
}

void DrawLinkButton(Canvas& c, const Fonts& f, const Control& ctl, Look look)
{
    const Box b = ctl.rect.ToBox();
    const float dy = look == Look::Down ? 1.0f : 0.0f;
    CheckFits(f.regular, 12, ctl.label, b.w - 56, ctl.name);
    struct Colours {
        Color border, fill, icon, label;
    };
    const Colours s = look == Look::Main   ? Colours{Hex(0x1D3152), Hex(0x152845), kAccent, Hex(0xDCE5F2)}
                  : look == Look::Over   ? Colours{kAccent, kSurfaceOver, Hex(0xFFFFFF), Hex(0xFFFFFF)}
                  : look == Look::Down   ? Colours{kAccentDeep, kSurfaceDown, Hex(0x7DD3FC), Hex(0xE2E8F0)}
                                         : Colours{kBorderOff, kSurfaceOff, kTextOff, Hex(0x4A5870)};
    Panel(c, b, 8, s.border, Solid(s.fill));
    DrawIcon(c, ctl.icon, {b.x + 10, b.y + 8 + dy, 16, 16}, s.icon);
    c.Text(f.regular, 12, b.x + 34, b.y + 20.5f + dy, ctl.label, s.label);
    if (look == Look::Over || look == Look::Down)
        Chevron(c, b, dy, look == Look::Over ? kAccent : kAccentDeep);
}

void DrawWindowButton(Canvas& c, const Control& ctl, Look look)
{
    const Box b = ctl.rect.ToBox();
    const bool close = ctl.style == Style::Close;
    Color icon = kTextMuted;
    if (look == Look::Over || look == Look::Down) {
        const Color back = close ? (look == Look::Over ? kDanger : Hex(0xB4292F))
                                 : (look == Look::Over ? Hex(0x263D62) : Hex(0x18294A));
        FillCircle(c, b.CenterX(), b.CenterY(), 14, Solid(back));
        icon = look == Look::Over ? Hex(0xFFFFFF) : Hex(0xE2E8F0);
    } else if (look == Look::Disabled) {
        icon = kTextOff;
    }
    DrawIcon(c, ctl.icon, b.Inset(6), icon);
}

// The brand mark: an H whose bar rises, in a round badge.
void DrawEmblem(Canvas& c, const Control& ctl, Look look)
{
    const Box b = ctl.rect.ToBox();
    const float cx = b.CenterX(), cy = b.CenterY() + (look == Look::Down ? 1.0f : 0.0f);
    const Box badge{cx - 21, cy - 21, 42, 42};
    Paint fill = DiagonalGradient(badge, kAccent, Hex(0x6366F1));
    Color mark = Hex(0xFFFFFF);
    switch (look) {
    case Look::Main:
        break;
    case Look::Over:
        c.Stroke(b, [&](float x, float y) { return std::fabs(SdCircle(x, y, cx, cy, 22.5f)); }, 2, Solid(kAccent), 0.55f);
        fill = DiagonalGradient(badge, Hex(0x67D3FB), Hex(0x8B8FF9));
        break;
    case Look::Down:
        fill = DiagonalGradient(badge, kAccentDeep, kAccentDeep2);
        mark = Hex(0xE0F2FE);
        break;
    case Look::Disabled:
        fill = Solid(Hex(0x253247));
        mark = kTextDim;
        break;
    }
    FillCircle(c, cx, cy, 21, fill);
    c.Stroke(badge,
             [&](float x, float y) {
                 return std::min({DistSegment(x, y, cx - 7, cy - 9, cx - 7, cy + 9),
                                  DistSegment(x, y, cx + 7, cy - 9, cx + 7, cy + 9),
                                  DistSegment(x, y, cx - 7, cy + 3, cx + 7, cy - 3)});
             },
             3.4f, Solid(mark));
}

void DrawTrack(Canvas& c, const Control& ctl)
{
    const Box b = ctl.rect.ToBox();
    FillRound(c, {b.x + 4, b.CenterY() - 2, b.w - 8, 4}, 2, Solid(kTrack));
}

void DrawProgress(Canvas& c, const Control& ctl, Look look)
{
    const Box b = ctl.rect.ToBox();
    const Box bar{b.x + 2, b.CenterY() - 4, b.w - 4, 8};
    // The bar shows the Down picture over its filled share, the Main one elsewhere.
    FillRound(c, bar, 4, look == Look::Down ? HorizontalGradient(bar.x, bar.Right(), kAccent, kAccent2) : Solid(kTrack));
}

void DrawControl(Canvas& c, const Fonts& f, const Control& ctl, Look look)
{
    const Rect& r = ctl.rect;
    c.SetClip(r.x, r.y, r.w, r.h); // a control's looks never reach beyond its rectangle
    switch (ctl.kind) {
    case Kind::Button:
        if (ctl.style == Style::Program)
            DrawProgramButton(c, f, ctl, look);
        else if (ctl.style == Style::Link)
            DrawLinkButton(c, f, ctl, look);
        else
            DrawWindowButton(c, ctl, look);
        break;
    case Kind::ButtonEx:
        DrawEmblem(c, ctl, look);
        break;
    case Kind::Trackbar:
        DrawTrack(c, ctl);
        break;
    case Kind::Progress:
        DrawProgress(c, ctl, look);
        break;
    case Kind::Label:
        break; // a quiet stretch of ground: the program draws the text
    }
    c.ResetClip();
}

Canvas DrawLook(const Fonts& f, Lang lang, const std::vector<Control>& layout, Look look, int scale)
{
    Canvas c(kWidth * scale, kHeight * scale, kBackTop, scale);
    DrawGround(c, f, lang);
    for (const auto& ctl : layout)
        DrawControl(c, f, ctl, look);
    return c;
}

bool InsideWindow(int x, int y)
{
    return SdRoundBox(float(x) + 0.5f, float(y) + 0.5f, Box{0, 0, float(kWidth), float(kHeight)}, kCorner) <= 0;
}

bool InsideEmblem(int x, int y)
{
    const float half = float(kEmblem.w) / 2;
    return SdCircle(float(x) + 0.5f, float(y) + 0.5f, half, half, half - 0.5f) <= 0;
}

const float kThumbW = 20, kThumbH = 24;

// The trackbar's thumb is copied over the track as it is, so it carries the
// card and the track behind the knob (taken from the Main picture).
Canvas DrawThumb(const Canvas& main, const Control& track, bool pressed)
{
    const int s = main.Scale();
    Canvas t(int(kThumbW) * s, int(kThumbH) * s, kCard, s);
    const int sx = (track.rect.x + track.rect.w / 2 - int(kThumbW) / 2) * s;
    for (int y = 0; y < t.Height(); ++y)
        for (int x = 0; x < t.Width(); ++x)
            t.Blend(x, y, main.At(sx + x, track.rect.y * s + y), 1);
    const float cx = kThumbW / 2, cy = kThumbH / 2;
    if (pressed) {
        FillCircle(t, cx, cy, 9.5f, Solid(kAccent), 0.28f);
        FillCircle(t, cx, cy, 7, Solid(kAccent));
        FillCircle(t, cx, cy, 2.5f, Solid(Hex(0xFFFFFF)));
    } else {
        FillCircle(t, cx, cy + 1, 7.5f, Solid(Hex(0x000000)), 0.35f);
        FillCircle(t, cx, cy, 7, Solid(Hex(0xF1F5F9)));
        FillCircle(t, cx, cy, 2.5f, Solid(kAccent));
    }
    return t;
}

// ---- checks ----------------------------------------------------------------

// Outside the rectangles of the controls that show it, a state picture must be
// the Main picture itself, or the window would show seams.
void CheckGroundMatches(const Canvas& main, const Canvas& other, const std::vector<Control>& layout, Look look)
{
    const int s = main.Scale();
    auto covered = [&](int px, int py) {
        const int x = px / s, y = py / s; // the rectangles lie on whole design units
        for (const auto& ctl : layout) {
            const bool shows = UsesAllLooks(ctl) || (ctl.kind == Kind::Progress && look == Look::Down);
            const Rect& r = ctl.rect;
            if (shows && x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h)
                return true;
        }
        return false;
    };
    for (int y = 0; y < main.Height(); ++y)
        for (int x = 0; x < main.Width(); ++x) {
            const Color a = main.At(x, y), b = other.At(x, y);
            if (!covered(x, y) && (a.r != b.r || a.g != b.g || a.b != b.b))
                throw std::runtime_error("a state picture differs from Main outside the controls at " +
                                         std::to_string(x) + "," + std::to_string(y));
        }
}

void CheckLayout(const std::vector<Control>& layout)
{
    for (const auto& ctl : layout) {
        const Rect& r = ctl.rect;
        for (int y = r.y; y < r.y + r.h; ++y)
            for (int x = r.x; x < r.x + r.w; ++x)
                if (!InsideWindow(x, y))
                    throw std::runtime_error(ctl.name + " reaches outside the window's outline");
        if (UsesAllLooks(ctl) && (r.x % 8 || r.y % 8 || r.w % 8 || r.h % 8))
            throw std::runtime_error(ctl.name + " is off the 8-pixel grid");
    }
}

// ---- files -----------------------------------------------------------------

const char* const kThumb = "thumb.bmp";
const char* const kThumbDown = "thumb_down.bmp";
const char* const kEmblemMask = "emblem_mask.bmp";
const int kMusicStart = 70;

// The demo draws only these kinds; a kind added to the menu needs no change here.
ControlKindId LineKind(Kind kind)
{
    switch (kind) {
    case Kind::Button: return ControlKindId::ImageButton;
    case Kind::ButtonEx: return ControlKindId::ButtonEx;
    case Kind::Label: return ControlKindId::TextLabel;
    case Kind::Trackbar: return ControlKindId::Trackbar;
    case Kind::Progress: return ControlKindId::Progress;
    }
    return ControlKindId::ImageButton; // every Kind is listed above
}

std::string ControlLineOf(const Control& c)
{
    using R = FieldRole;
    ControlLineWriter line(ControlKindOf(LineKind(c.kind)));
    line.Text(R::Name, c.name).Rect(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
    switch (c.kind) {
    case Kind::Button:
    case Kind::ButtonEx:
        line.Text(R::Tooltip, c.tooltip).Flag(R::StaticLook, false);
        if (c.kind == Kind::ButtonEx)
            line.Text(R::Mask, kEmblemMask);
        break;
    case Kind::Label:
        line.Text(R::Face, kLabelFace).Flag(R::Bold, c.bold).Flag(R::Italic, false);
        line.Number(R::FontHeight, c.fontHeight).Number(R::Colour, ColorRef(c.textColor));
        line.Text(R::Text, c.text).Text(R::Unused, "0");
        break;
    case Kind::Trackbar:
        line.Text(R::Thumb, kThumb).Text(R::ThumbDown, kThumbDown);
        line.Flag(R::Horizontal, true).Number(R::Position, kMusicStart).Text(R::Unused, "0");
        break;
    case Kind::Progress:
        line.Text(R::Tooltip, c.tooltip).Flag(R::Vertical, false);
        break;
    }
    return line.Line();
}

// A language of the demo disc beyond its base: its tag, its layout, and the
// suffix of its pictures' names ("main-tr.jpg").
struct Translation {
    const char* tag;
    std::vector<Control> layout;
};

const char* const kLookFiles[] = {"main.jpg", "over.jpg", "down.jpg", "disabled.jpg"};

std::string LookFile(std::size_t look, const std::string& tag)
{
    const std::string name = kLookFiles[look];
    return tag.empty() ? name : name.substr(0, name.find('.')) + "-" + tag + name.substr(name.find('.'));
}

// The language sections: the Screen pictures, and of every other section only
// the keys whose values differ from the base's (a control line whole).
std::string LanguageSections(const std::vector<Control>& base, const Translation& tr)
{
    std::string text = "\n; " + std::string(tr.tag) + ": what differs from the sections above\n[Screen." + tr.tag + "]\n";
    const char* keys[] = {"Main", "Over", "Down", "Disabled"};
    for (std::size_t i = 0; i < 4; ++i)
        text += std::string(keys[i]) + "=" + LookFile(i, tr.tag) + "\n";
    for (const ControlKind& kind : ControlKinds()) {
        std::string lines;
        int key = 0;
        for (std::size_t i = 0; i < base.size(); ++i)
            if (LineKind(base[i].kind) == kind.id && (++key, ControlLineOf(base[i]) != ControlLineOf(tr.layout[i])))
                lines += std::to_string(key) + "=" + ControlLineOf(tr.layout[i]) + "\n";
        if (!lines.empty())
            text += "[" + std::string(kind.section) + "." + tr.tag + "]\n" + lines;
    }
    return text;
}

std::string MainIni(const std::vector<Control>& layout, const std::vector<Translation>& translations)
{
    for (const auto& c : layout)
        for (const std::string* field : {&c.tooltip, &c.text})
            if (field->find(',') != std::string::npos)
                throw std::runtime_error(c.name + ": a field of a control line cannot hold a comma");
    std::string text = "; Halcyon Studio 4 demo skin. Written by tools/demo_art (scripts/demo-art.sh):\n"
                       "; change the tool and run it again rather than editing this file.\n"
                       "[Screen]\nMain=main.jpg\nMask=mask.bmp\nOver=over.jpg\nDown=down.jpg\nDisabled=disabled.jpg\n";
    // Each section under a comment that names its fields.
    for (const ControlKind& kind : ControlKinds()) {
        text += "\n; " + kind.Headings() + "\n[" + kind.section + "]\n";
        int key = 0;
        for (const auto& c : layout)
            if (LineKind(c.kind) == kind.id)
                text += std::to_string(++key) + "=" + ControlLineOf(c) + "\n";
    }
    for (const Translation& tr : translations)
        text += LanguageSections(layout, tr);
    return text;
}

std::string AutorunInf(const std::vector<Control>& layout, const std::vector<Translation>& translations)
{
    std::string run, info;
    for (const auto& c : layout)
        if (!c.runFile.empty()) {
            run += c.name + "=" + c.runFile + "\n";
            info += c.name + "=" + c.info + "\n";
        }
    std::string text = "[autorun]\nopen=autorun.exe\nicon=autorun.exe,0\nlabel=Halcyon Studio 4\n\n"
                       "; What the menu's program buttons open, relative to this folder, and the\n"
                       "; text it shows for each.\n[RUN_FILES]\n" +
                       run + "ID_HOMEPAGE=" + kHomePage + "\n\n[TEXT_INFO]\n" + info;
    for (const Translation& tr : translations) {
        std::string ownRun, ownInfo;
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const Control& c = tr.layout[i];
            if (c.runFile != layout[i].runFile)
                ownRun += c.name + "=" + c.runFile + "\n";
            if (c.info != layout[i].info)
                ownInfo += c.name + "=" + c.info + "\n";
        }
        text += "\n; " + std::string(tr.tag) + "\n[RUN_FILES." + tr.tag + "]\n" + ownRun + "[TEXT_INFO." + tr.tag +
                "]\n" + ownInfo;
    }
    return text;
}

// ---- preview ---------------------------------------------------------------

// The menu as it first shows: the labels' texts (set here in DejaVu, where
// Windows uses Tahoma) and the thumb at its starting place.
Canvas OnScreen(const Canvas& main, const Fonts& f, const std::vector<Control>& layout, const Canvas& thumb)
{
    Canvas s = main;
    for (const auto& c : layout) {
        if (c.kind == Kind::Label) {
            const float px = float(std::abs(c.fontHeight));
            s.SetClip(c.rect.x, c.rect.y, c.rect.w, c.rect.h);
            s.Text(c.bold ? f.bold : f.regular, px, float(c.rect.x), float(c.rect.y) + px, c.text, c.textColor);
            s.ResetClip();
        } else if (c.kind == Kind::Trackbar) {
            const int cx = c.rect.x + 10 + (c.rect.w - 20) * kMusicStart / 100;
            for (int y = 0; y < thumb.Height(); ++y)
                for (int x = 0; x < thumb.Width(); ++x)
                    s.Blend(cx - thumb.Width() / 2 + x, c.rect.y + y, thumb.At(x, y), 1);
        }
    }
    return s;
}

// RGBA: the window cut to its outline, over a soft shadow.
void WritePreview(const fs::path& path, const Canvas& screen)
{
    const int pad = 24, w = kWidth + 2 * pad, h = kHeight + 2 * pad;
    std::vector<std::uint8_t> out(std::size_t(w) * h * 4, 0);
    const auto rgb = screen.Rgb8();
    const Box shadow{float(pad), float(pad + 6), float(kWidth), float(kHeight)};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            std::uint8_t* p = &out[(std::size_t(y) * w + x) * 4];
            const int wx = x - pad, wy = y - pad;
            if (wx >= 0 && wy >= 0 && wx < kWidth && wy < kHeight && InsideWindow(wx, wy)) {
                const std::size_t i = (std::size_t(wy) * kWidth + wx) * 3;
                p[0] = rgb[i];
                p[1] = rgb[i + 1];
                p[2] = rgb[i + 2];
                p[3] = 255;
            } else {
                const float d = SdRoundBox(float(x) + 0.5f, float(y) + 0.5f, shadow, kCorner);
                const float a = std::clamp(1 - d / 18, 0.0f, 1.0f);
                p[3] = std::uint8_t(std::lround(80 * a * a));
            }
        }
    WritePng(path, w, h, 4, out);
}

void WriteReview(const fs::path& dir, const std::vector<Canvas>& looks, const Canvas& screen)
{
    fs::create_directories(dir);
    const char* names[] = {"main", "over", "down", "disabled"};
    for (std::size_t i = 0; i < looks.size(); ++i)
        WritePng(dir / (std::string(names[i]) + ".png"), kWidth, kHeight, 3, looks[i].Rgb8());
    WritePng(dir / "screen.png", kWidth, kHeight, 3, screen.Rgb8());
    std::vector<std::uint8_t> mask(std::size_t(kWidth) * kHeight * 3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const Color c = InsideWindow(x, y) ? Hex(0xFFFFFF) : kMagenta;
            const auto i = (std::size_t(y) * kWidth + x) * 3;
            mask[i] = std::uint8_t(c.r * 255);
            mask[i + 1] = std::uint8_t(c.g * 255);
            mask[i + 2] = std::uint8_t(c.b * 255);
        }
    WritePng(dir / "mask.png", kWidth, kHeight, 3, mask);
}

} // namespace

int main(int argc, char** argv)
{
    const Lang lang = argc > 1 && argv[1] == std::string("--turkish") ? Lang::Turkish : Lang::English;
    if (lang == Lang::Turkish) {
        --argc;
        ++argv;
    }
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: demo_art [--turkish] DISC_DIR PREVIEW_PNG [REVIEW_DIR]\n";
        return 2;
    }
    try {
        const fs::path disc = argv[1], data = disc / "Data";
        fs::create_directories(data);
        const Fonts fonts;
        const auto layout = Layout(lang, lang != Lang::English);
        CheckLayout(layout);
        // The demo disc speaks Turkish and German too; the Turkish disc only Turkish.
        std::vector<Translation> translations;
        if (lang == Lang::English)
            translations = {{"tr", Layout(Lang::Turkish, false)}, {"de", Layout(Lang::German, false)}};

        // Every picture at 1x and, beside it under its @2x name, drawn again at
        // twice the resolution for high-DPI displays.
        std::vector<Canvas> looks;
        Canvas thumb(1, 1, kCard);
        for (int scale : {1, 2}) {
            auto named = [scale](const std::string& name) { return scale == 1 ? name : TwoXPictureName(name); };
            std::vector<Canvas> drawn;
            for (Look look : kLooks)
                drawn.push_back(DrawLook(fonts, lang, layout, look, scale));
            for (std::size_t i = 1; i < drawn.size(); ++i)
                CheckGroundMatches(drawn[0], drawn[i], layout, kLooks[i]);

            for (std::size_t i = 0; i < drawn.size(); ++i)
                WriteJpeg(data / named(kLookFiles[i]), drawn[i]);
            // Masks at 2x cut exactly where the 1x ones do, each pixel twice over,
            // so the window's shape is the same at either size.
            auto scaled = [scale](bool (*inside)(int, int)) {
                return [scale, inside](int x, int y) { return inside(x / scale, y / scale); };
            };
            WriteMask(data / named("mask.bmp"), kWidth * scale, kHeight * scale, scaled(InsideWindow));
            WriteMask(data / named(kEmblemMask), kEmblem.w * scale, kEmblem.h * scale, scaled(InsideEmblem));

            const Control* track = nullptr;
            for (const auto& c : layout)
                if (c.kind == Kind::Trackbar)
                    track = &c;
            const Canvas up = DrawThumb(drawn[0], *track, false);
            WriteBmp(data / named(kThumb), up);
            WriteBmp(data / named(kThumbDown), DrawThumb(drawn[0], *track, true));
            // Each language's looks, with its texts drawn in. The mask, the
            // emblem's mask and the thumbs are the base's: the thumbs carry
            // the ground behind them, which must not differ by language.
            for (const Translation& tr : translations) {
                const Lang other = tr.tag == std::string("tr") ? Lang::Turkish : Lang::German;
                std::vector<Canvas> own;
                for (Look look : kLooks)
                    own.push_back(DrawLook(fonts, other, tr.layout, look, scale));
                for (std::size_t i = 1; i < own.size(); ++i)
                    CheckGroundMatches(own[0], own[i], tr.layout, kLooks[i]);
                if (DrawThumb(own[0], *track, false).Rgb8() != up.Rgb8())
                    throw std::runtime_error(std::string("the ground behind the thumb differs in ") + tr.tag);
                for (std::size_t i = 0; i < own.size(); ++i)
                    WriteJpeg(data / named(LookFile(i, tr.tag)), own[i]);
            }
            if (scale == 1) {
                looks = drawn;
                thumb = up;
            }
        }

        WriteText(data / "main.ini", MainIni(layout, translations));
        WriteText(disc / "AUTORUN.INF", AutorunInf(layout, translations));

        const Canvas screen = OnScreen(looks[0], fonts, layout, thumb);
        fs::create_directories(fs::path(argv[2]).parent_path());
        WritePreview(argv[2], screen);
        if (argc == 4)
            WriteReview(argv[3], looks, screen);
    } catch (const std::exception& e) {
        std::cerr << "demo_art: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
