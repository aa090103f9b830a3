#include "tools/skincheck/HtmlPage.h"

#include "skin/MaskRuns.h"

#include <algorithm>
#include <fstream>

using menupage::Outline;
using menupage::PageControl;
using menupage::PageData;
using menupage::PageKind;

namespace {

// Its index among the page's pictures, -1 for none.
int AddPicture(PageData& page, const std::optional<PixelImage>& picture)
{
    if (!picture || picture->pixels.empty())
        return -1;
    page.pictures.push_back(*picture);
    return static_cast<int>(page.pictures.size()) - 1;
}

// The outline as the window system gets it: none when it takes more
// rectangles than the menu gives a window, which then stays rectangular.
std::optional<Outline> Runs(const WindowOutline& outline)
{
    Outline runs;
    RegionRectCount count;
    for (int y = 0; y < outline.height; ++y)
        for (int x = 0; x < outline.width;) {
            if (!outline.Inside(x, y)) {
                ++x;
                continue;
            }
            int end = x;
            while (end < outline.width && outline.Inside(end, y))
                ++end;
            runs.push_back({x, y, end, y + 1});
            count.Add(runs.back());
            x = end;
        }
    if (count.Total() > kMaxRegionRects)
        return std::nullopt;
    return runs;
}

const char* Place(const LaunchPlan::Choice& choice)
{
    return choice.required ? "on Windows Vista and later" : "before";
}

std::string Launcher(const LauncherButton& button)
{
    if (!button.plan || !button.plan->config.Present())
        return "starts verpick.exe, which starts nothing: no config.ini is beside it";
    std::string words = "starts verpick.exe, which starts ";
    for (std::size_t i = 0; i < button.plan->choices.size(); ++i) {
        const LaunchPlan::Choice& c = button.plan->choices[i];
        words += std::string(i ? " and " : "") + (c.value.empty() ? "nothing" : c.value) + " " + Place(c);
    }
    return words;
}

std::string Backslashed(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Effect(const DiscModel& model, const ModelControl& control, const MenuEffect& e)
{
    const std::string& dir = model.disc->ProgramDir();
    switch (e.kind) {
    case MenuEffect::EndDialog: return "closes the menu";
    case MenuEffect::Minimize: return "minimises the window";
    case MenuEffect::ShowMessage:
        return "shows \"" + e.text + "\" (" + Backslashed(control.clickTarget.relative) + " is not on the disc)";
    case MenuEffect::Open:
        for (const LauncherButton& b : model.launchers)
            if (b.button == control.Name())
                return Launcher(b);
        if (e.target == dir)
            return "opens the disc folder";
        return "opens " + (e.target.rfind(dir, 0) == 0 ? e.target.substr(dir.size()) : e.target);
    case MenuEffect::SetLabelText:
    case MenuEffect::Repaint: break;
    }
    return "";
}

// The control a finding is about: the one on its line of main.ini, or the
// program button whose AUTORUN.INF entry stands on it.
int ControlOf(const DiscModel& model, const Finding& f)
{
    const bool inSkin = f.file == model.skin.shown;
    const bool inAutorun = model.autorun && f.file == model.autorun->shown;
    for (std::size_t i = 0; i < model.controls.size() && f.line && (inSkin || inAutorun); ++i) {
        const ModelControl& c = model.controls[i];
        const auto entryLine = [&](const char* section) { return model.autorun->KeyLine(section, c.Name()); };
        if (inSkin ? c.line == f.line
                   : c.Is(ControlKindId::ImageButton) &&
                         (entryLine(kRunFilesSection) == f.line || entryLine(kTextInfoSection) == f.line))
            return static_cast<int>(i);
    }
    return -1;
}

PageKind KindOf(const ModelControl& c)
{
    switch (c.kind->id) {
    case ControlKindId::ImageButton: return PageKind::Button;
    case ControlKindId::ButtonEx: return PageKind::ButtonEx;
    case ControlKindId::TextLabel: return PageKind::Label;
    case ControlKindId::Trackbar: return PageKind::Trackbar;
    case ControlKindId::Progress: return PageKind::Progress;
    }
    return PageKind::Button;
}

PageControl Control(PageData& page, const DiscModel& model, std::size_t i)
{
    const ModelControl& c = model.controls[i];
    const ScaledWindow& scaled = model.scaled;
    const ControlLine& line = c.fields;
    PageControl out;
    out.kind = KindOf(c);
    out.name = c.Name();
    out.rect = scaled.rects[i];
    out.line = c.line;
    out.tooltip = line.Text(FieldRole::Tooltip);
    out.staticLook = line.Flag(FieldRole::StaticLook);
    out.action = ClickInWords(model, c);
    for (const MenuEffect& e : c.click)
        if (e.kind == MenuEffect::SetLabelText)
            out.infoText = e.text;
    if (out.kind == PageKind::ButtonEx && scaled.ownMasks[i]) {
        const WindowOutline own = LayOutWindow(*scaled.ownMasks[i], &*scaled.ownMasks[i]);
        out.mask = Runs(own);
        if (out.mask) // the window of the button is its rectangle: the mask beyond it has no effect
            for (SkinRect& r : *out.mask)
                r.right = std::min(r.right, out.rect.Width());
    }
    out.text = line.Text(FieldRole::Text);
    out.colour = static_cast<std::uint32_t>(line.Number(FieldRole::Colour));
    out.bold = line.Flag(FieldRole::Bold);
    out.italic = line.Flag(FieldRole::Italic);
    out.face = line.Text(FieldRole::Face).substr(0, 31);
    out.fontHeight = ScaleFontHeight(line.Number(FieldRole::FontHeight), scaled.dpi);
    out.horizontal = c.horizontal;
    out.position = c.position;
    out.vertical = line.Flag(FieldRole::Vertical);
    if (out.kind == PageKind::Trackbar) {
        out.thumb = AddPicture(page, scaled.thumbs[i]);
        out.thumbDown = AddPicture(page, scaled.thumbDowns[i]);
        // The thumb travels the control's length, as the preview draws it.
        const PixelImage* thumb = scaled.thumbs[i] ? &*scaled.thumbs[i] : nullptr;
        const int length = c.horizontal ? out.rect.Width() : out.rect.Height();
        out.thumbAt100 = thumb ? length - (c.horizontal ? thumb->size.width : thumb->size.height) : 0;
    }
    return out;
}

} // namespace

std::string ClickInWords(const DiscModel& model, const ModelControl& control)
{
    std::string words;
    for (const MenuEffect& e : control.click) {
        const std::string said = Effect(model, control, e);
        if (!said.empty())
            words += (words.empty() ? "" : ", then ") + said;
    }
    return words.empty() ? "does nothing" : words;
}

// The window of `model` into `window` (the page or one of its views), its pictures among the page's.
template <typename Window>
void FillWindow(Window& window, PageData& page, const DiscModel& model)
{
    const ScaledWindow& scaled = model.scaled;
    if (scaled.outline.width == 0) // no picture of the skin loads at this scale: no window
        return;
    window.width = scaled.outline.width;
    window.height = scaled.outline.height;
    window.main = AddPicture(page, scaled.main);
    window.over = AddPicture(page, scaled.over);
    window.down = AddPicture(page, scaled.down);
    // No control of the menu is ever disabled, so its Disabled picture never shows.
    if (scaled.outline.shaped)
        window.outline = Runs(scaled.outline);
    for (std::size_t i = 0; i < model.controls.size(); ++i)
        window.controls.push_back(Control(page, model, i));
}

PageData PageFromReport(const DiscReport& report, const std::string& title)
{
    const DiscModel& model = report.model;
    PageData page;
    page.title = title;
    page.language = model.language;
    page.scalePercent = (model.scaled.dpi * 100 + kBaseDpi / 2) / kBaseDpi;
    FillWindow(page, page, model);
    for (const DiscModel& view : report.views) {
        menupage::PageView& v = page.views.emplace_back();
        v.language = view.language;
        FillWindow(v, page, view);
    }
    const DiscFolder& disc = *model.disc;
    for (const Finding& f : report.findings) {
        // Tied to a control of the window it was found in.
        page.findings.push_back({f.severity == Severity::Error ? "error" : f.severity == Severity::Warning ? "warning" : "note",
                                 disc.Display(f.file) + (f.line ? ":" + std::to_string(f.line) : ""),
                                 (f.language.empty() ? "" : "[" + f.language + "] ") + f.message, -1});
        const auto view = std::find_if(report.views.begin(), report.views.end(),
                                       [&](const DiscModel& v) { return v.language == f.language; });
        page.findings.back().control = ControlOf(view == report.views.end() ? model : *view, f);
    }
    return page;
}

bool WriteHtml(const std::string& path, const DiscReport& report, const std::string& title)
{
    const std::string page = menupage::WriteMenuPage(PageFromReport(report, title));
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(page.data(), static_cast<std::streamsize>(page.size()));
    file.close();
    return !file.fail();
}
